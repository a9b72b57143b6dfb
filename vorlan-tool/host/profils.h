#pragma once
#include "lib/string.h"

// A named pointer profile: the two formulas between pointer values and ROM offsets for one
// usual cartridge memory layout, with the size and byte order of its pointers.
class Profils_ext_ins {
public:
    Profils_ext_ins(char const* nom, char const* formule_ext, char const* formule_ins, int taille, bool ordre);

    String const& lire_nom() const { return nom_; }
    // Raw pointer value (X) to ROM offset.
    String const& lire_formule_ext() const { return formule_ext_; }
    // ROM offset (X) to the pointer value to store.
    String const& lire_formule_ins() const { return formule_ins_; }
    // -1 marks the end of the table.
    int lire_taille() const { return taille_; }
    // true: little-endian.
    bool lire_ordre() const { return ordre_; }

private:
    String nom_;
    String formule_ext_;
    String formule_ins_;
    int taille_;
    bool ordre_;
};

// The profiles a script may name, searched in order; the last row (size -1) ends the table.
extern Profils_ext_ins const tbl_profils[];

// Index in tbl_profils of the profile called exactly `nom`, or -1.
int chercher_profil(char const* nom);
