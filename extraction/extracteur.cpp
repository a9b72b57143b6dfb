#include "extraction/extracteur.h"

#include <cstdio>
#include <vector>

#include "extraction/ecriture-script.h"
#include "extraction/extracteur-pointeurs.h"
#include "extraction/preparation.h"
#include "lib/vorlan_lib.h"

namespace Extracteur {

namespace {

// The first failed check's message, or null when the arguments can be used. The end byte must
// lie inside the ROM, as insertion requires, so both accept the same ranges and no byte is
// decoded that was not read.
char const* verifier(int taille_rom, int debut, int fin, int adresse, int nombre, int taille) {
    if (debut > fin) return "Erreur, le début du texte se situe après la fin du texte\n";
    if (debut < 0 || debut > taille_rom || fin >= taille_rom)
        return "Erreur, l'emplacement du texte est situé hors de la rom\n";
    if (adresse < 0 || adresse > taille_rom)
        return "Erreur, l'adresse du début des pointeurs se situe en dehors de la rom\n";
    if (nombre < 0) return "Erreur, le nombre de pointeurs est négatif\n";
    if (taille < 2 || taille > 4) return "Erreur, la taille des pointeurs est incorrecte\n";
    return nullptr;
}

}  // namespace

int extraire(char const* rom, char const* table, char const* script, int debut, int fin, int adresse,
             int nombre, int taille, char const* formule, bool ordre) {
    Table_ext caracteres;
    Fichier f_rom;
    Fichier f_script;
    if (!preparer(caracteres, table, f_rom, rom)) return 0;
    if (char const* erreur = verifier(f_rom.size(), debut, fin, adresse, nombre, taille)) {
        std::fputs(erreur, stdout);
        return 0;
    }
    if (!creer_script(f_script, script, rom, table)) return 0;

    std::vector<Pt_ext> const pointeurs = charger_pointeurs(f_rom, adresse, nombre, formule, taille, ordre);

    std::vector<unsigned char> texte(static_cast<std::size_t>(fin) - static_cast<std::size_t>(debut) + 1);
    f_rom.seek(debut, 0);
    std::size_t const lus = static_cast<std::size_t>(f_rom.read(texte.data(), 1, static_cast<int>(texte.size())));

    // With 2- or 3-byte pointers only the low 16 or 24 bits of a position are compared.
    unsigned int const masque = Octets::tronquer(0xFFFFFFFFu, static_cast<unsigned int>(taille));
    auto tronquer = [masque](unsigned int valeur) { return valeur & masque; };
    std::size_t suivant = 0;
    std::size_t const total = pointeurs.size();
    // Pointers to text before the range never get a tag.
    while (suivant < total && pointeurs[suivant].lire_valeur() < tronquer(static_cast<unsigned int>(debut))) ++suivant;

    Ecriture_script ecriture(f_script);
    for (std::size_t p = 0; p < lus;) {
        unsigned int const position = tronquer(static_cast<unsigned int>(debut) + static_cast<unsigned int>(p));
        // Pointers into the inside of a sequence already decoded as one entry are dropped.
        while (suivant < total && position > pointeurs[suivant].lire_valeur()) ++suivant;
        while (suivant < total && position == tronquer(pointeurs[suivant].lire_valeur())) {
            ecriture.ecrire_balise(pointeurs[suivant].lire_numero());
            ++suivant;
        }
        p += ecriture.decoder(caracteres, &texte[p], lus - p);
    }
    return ecriture.terminer() ? 1 : 0;
}

}  // namespace Extracteur
