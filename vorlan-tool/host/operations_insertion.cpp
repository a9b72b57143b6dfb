#include "host/chargement.h"
#include "host/enregistrement.h"
#include "host/operations.h"
#include "host/rom_a_modifier.h"
#include "insertion/encodage-bascules.h"
#include "insertion/insereur-fixe.h"
#include "insertion/insereur.h"
#include "lib/erreur.h"

namespace Operations {

int inserer(char const* rom, std::vector<std::string> const& table, char const* script, int debut, int fin,
            Table_pointeurs const& pointeurs, char const* formule, Ecriture ecriture) {
    Tables_insertion tbl;
    Rom_a_modifier f_rom;
    std::string texte;
    if (!ouvrir_insertion(tbl, table, f_rom, rom, texte, script, ecriture)) return debut;
    Calcul::Formule const formule_lue(formule);
    if (auto erreur = Insereur::verifier(f_rom.fichier.size(), debut, fin, pointeurs, formule_lue)) {
        afficher(*erreur);
        return debut;
    }
    std::vector<unsigned char> octets;
    if (!lire_rom(f_rom.fichier, octets)) return debut;

    Insereur::Image_rom image(std::move(octets));
    Insereur::Insertion const insertion =
        tbl.avec_bascules
            ? Insereur::inserer(Insereur::encoder_bascules(texte, tbl.bascules, true), image, debut, fin, pointeurs,
                                formule_lue)
            : Insereur::inserer(tbl.simple, texte, image, debut, fin, pointeurs, formule_lue);
    afficher(insertion.rapports);
    // The formula's failure ends the command at the guard, as every error of the system does.
    if (insertion.arret) throw math_error(*insertion.arret);
    if (ecriture == Ecriture::reelle && !enregistrer(f_rom, image)) return debut;
    return insertion.fin_ecrite;
}

void inserer_fixe(char const* rom, std::vector<std::string> const& table, char const* script, int adresse, int nombre,
                  int taille) {
    Tables_insertion tbl;
    Rom_a_modifier f_rom;
    std::string texte;
    if (!ouvrir_insertion(tbl, table, f_rom, rom, texte, script)) return;
    if (auto erreur = Insereur::verifier_fixe(f_rom.fichier.size(), adresse)) {
        afficher(*erreur);
        return;
    }
    std::vector<unsigned char> octets;
    if (!lire_rom(f_rom.fichier, octets)) return;

    Insereur::Image_rom image(std::move(octets));
    Rapports const rapports = tbl.avec_bascules
                                  ? Insereur::ins_fixe(tbl.bascules, texte, image, adresse, nombre, taille)
                                  : Insereur::ins_fixe(tbl.simple, texte, image, adresse, nombre, taille);
    afficher(rapports);
    // Nothing to write leaves the file itself alone, as it always has.
    if (!image.zones_ecrites().empty()) enregistrer(f_rom, image);
}

}  // namespace Operations
