#include "extraction/extracteur-fixe.h"
#include "extraction/extracteur.h"
#include "host/chargement.h"
#include "host/enregistrement.h"
#include "host/operations.h"

namespace Operations {

namespace {

void ecrire_script(Sortie& sortie, Extracteur::Extraction const& extraction) {
    afficher(extraction.rapports);
    sortie.enregistrer(extraction.script);
}

}  // namespace

void extraire(char const* rom, std::vector<std::string> const& tables, char const* script, int debut, int fin,
              Table_pointeurs const& pointeurs, char const* formule) {
    Extracteur::Tables_ext caracteres;
    if (!charger_tables(caracteres, tables, Message::ouverture_impossible_ligne)) return;
    Fichier f_rom;
    if (!ouvrir_rom(f_rom, rom)) return;
    if (auto erreur = Extracteur::verifier(f_rom.size(), debut, fin, pointeurs)) {
        afficher(*erreur);
        return;
    }
    std::vector<unsigned char> octets;
    Sortie sortie;
    if (!preparer_script(sortie, script, rom, tables) || !lire_rom(f_rom, octets)) return;
    Calcul::Formule const formule_lue(formule);
    ecrire_script(sortie, Extracteur::extraire(caracteres, octets, debut, fin, pointeurs, formule_lue));
}

void extraire(char const* rom, char const* table, char const* script, int debut, int fin,
              Table_pointeurs const& pointeurs, char const* formule) {
    extraire(rom, std::vector<std::string>{table}, script, debut, fin, pointeurs, formule);
}

void extraire_fixe(char const* rom, std::vector<std::string> const& tables, char const* script, int adresse,
                   int nombre, int taille) {
    Extracteur::Tables_ext caracteres;
    if (!charger_tables(caracteres, tables, Message::ouverture_impossible_ligne)) return;
    Fichier f_rom;
    if (!ouvrir_rom(f_rom, rom)) return;
    if (auto erreur = Extracteur::verifier_fixe(f_rom.size(), adresse, nombre, taille)) {
        afficher(*erreur);
        return;
    }
    std::vector<unsigned char> octets;
    Sortie sortie;
    if (!preparer_script(sortie, script, rom, tables) || !lire_rom(f_rom, octets)) return;
    ecrire_script(sortie, Extracteur::ext_fixe(caracteres, octets, adresse, nombre, taille));
}

}  // namespace Operations
