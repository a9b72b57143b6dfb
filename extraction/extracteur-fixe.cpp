#include "extraction/extracteur-fixe.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "extraction/ecriture-script.h"
#include "extraction/preparation.h"

namespace Extracteur {

namespace {

char const* verifier(int taille_rom, int adresse, int nombre, int taille) {
    if (adresse < 0 || adresse > taille_rom) return "Erreur, l'emplacement du texte est situé hors de la rom\n";
    if (nombre < 0) return "Erreur, le nombre de mots est négatif\n";
    if (taille < 0) return "Erreur, la taille des mots est négative\n";
    return nullptr;
}

}  // namespace

int ext_fixe(char const* rom, char const* table, char const* script, int adresse, int nombre, int taille) {
    Table_ext caracteres;
    Fichier f_rom;
    Fichier f_script;
    if (!preparer(caracteres, table, f_rom, rom)) return 0;
    if (char const* erreur = verifier(f_rom.size(), adresse, nombre, taille)) {
        std::fputs(erreur, stdout);
        return 0;
    }
    if (!creer_script(f_script, script, rom, table)) return 0;

    // The block is nombre x taille bytes; only what the ROM holds of it is read.
    long long const bloc = static_cast<long long>(nombre) * taille;
    long long const reste = static_cast<long long>(f_rom.size()) - adresse;
    if (bloc > reste)
        std::printf("Attention, les mots dépassent la fin de la rom : seuls les %lld octets qui s'y trouvent seront lus\n",
                    reste);
    std::vector<unsigned char> octets(static_cast<std::size_t>(std::min(bloc, reste)));
    f_rom.seek(adresse, 0);
    std::size_t const lus =
        octets.empty() ? 0 : static_cast<std::size_t>(f_rom.read(octets.data(), 1, static_cast<int>(octets.size())));

    // A word's units may take more bytes than its length (multi-byte entries); units left
    // without bytes write nothing, and the word's line still ends. Words that start past the
    // end of the ROM have nothing to show: they get no line, so a mistyped count cannot fill
    // the disk with empty lines.
    Ecriture_script ecriture(f_script);
    std::size_t curseur = 0;
    int mot = 0;
    for (; mot < nombre; ++mot) {
        if (bloc > reste && curseur >= lus) break;
        for (int unite = 0; unite < taille && curseur < lus; ++unite)
            curseur += ecriture.decoder(caracteres, &octets[curseur], lus - curseur);
        ecriture.ecrire("\n", 1);
    }
    if (mot + 1 == nombre)
        std::printf("Attention, le mot %d est situé hors de la rom, il ne sera pas extrait\n", nombre);
    else if (mot < nombre)
        std::printf("Attention, les mots %d à %d sont situés hors de la rom, ils ne seront pas extraits\n", mot + 1,
                    nombre);
    return ecriture.terminer() ? 1 : 0;
}

}  // namespace Extracteur
