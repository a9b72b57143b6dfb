#include "host/profils.h"

Profils_ext_ins::Profils_ext_ins(char const* nom, char const* formule_ext, char const* formule_ins, int taille,
                                 bool ordre)
    : nom_(nom), formule_ext_(formule_ext), formule_ins_(formule_ins), taille_(taille), ordre_(ordre) {}

// LowRom banks hold $8000 bytes of ROM each, addressed from $8000 to $FFFF; the bank byte
// counts from $00 (LowRom1) or from $80 (LowRom2).
Profils_ext_ins const tbl_profils[] = {
    Profils_ext_ins("SNES16", "X", "X", 2, true),
    Profils_ext_ins("SNES24-HighRom", "X-$C00000", "X+$C00000", 3, true),
    Profils_ext_ins("SNES24-LowRom1", "(X/$10000)*$8000+X%$8000", "((X/$8000)*$10000)+(X%$8000)+$8000", 3, true),
    Profils_ext_ins("SNES24-LowRom2", "(X/$10000-$80)*$8000+X%$8000", "(((X/$8000)+$80)*$10000)+(X%$8000)+$8000", 3,
                    true),
    Profils_ext_ins("", "", "", -1, false),
};

int chercher_profil(char const* nom) {
    String const cherche(nom);
    int i = 0;
    while (tbl_profils[i].lire_taille() != -1 && tbl_profils[i].lire_nom() != cherche) ++i;
    return tbl_profils[i].lire_taille() != -1 ? i : -1;
}
