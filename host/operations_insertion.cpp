#include "host/chargement.h"
#include "host/enregistrement.h"
#include "host/operations.h"
#include "insertion/insereur-fixe.h"
#include "insertion/insereur.h"
#include "lib/erreur.h"

namespace Operations {

namespace {

// The common start of both insertions: the table, then the ROM opened for reading and
// writing, then the script, in that order.
bool ouvrir(Insereur::Table_ins& tbl, char const* table, Fichier& f_rom, char const* rom, std::string& texte,
            char const* script) {
    if (!charger_table(tbl, table, Message::ouverture_impossible_ligne) || !ouvrir_rom(f_rom, rom, "rb+"))
        return false;
    std::optional<std::string> lu = lire_texte(script);
    if (!lu) {
        afficher(Rapport(Message::ouverture_impossible, {script}));
        return false;
    }
    texte = std::move(*lu);
    return true;
}

bool enregistrer(Fichier& f_rom, Insereur::Image_rom const& image, char const* rom) {
    if (enregistrer_image(f_rom, image)) return true;
    afficher(Rapport(Message::ecriture_impossible, {rom}));
    return false;
}

}  // namespace

int inserer(char const* rom, char const* table, char const* script, int debut, int fin,
            Table_pointeurs const& pointeurs, char const* formule) {
    Insereur::Table_ins tbl;
    Fichier f_rom;
    std::string texte;
    if (!ouvrir(tbl, table, f_rom, rom, texte, script)) return debut;
    Calcul::Formule const formule_lue(formule);
    if (auto erreur = Insereur::verifier(f_rom.size(), debut, fin, pointeurs, formule_lue)) {
        afficher(*erreur);
        return debut;
    }
    std::vector<unsigned char> octets;
    if (!lire_rom(f_rom, octets)) return debut;

    Insereur::Image_rom image(std::move(octets));
    Insereur::Insertion const insertion = Insereur::inserer(tbl, texte, image, debut, fin, pointeurs, formule_lue);
    afficher(insertion.rapports);
    // The formula's failure ends the command at the guard, as every error of the system does.
    if (insertion.arret) throw math_error(*insertion.arret);
    if (!enregistrer(f_rom, image, rom)) return debut;
    return insertion.fin_ecrite;
}

void inserer_fixe(char const* rom, char const* table, char const* script, int adresse, int nombre, int taille) {
    Insereur::Table_ins tbl;
    Fichier f_rom;
    std::string texte;
    if (!ouvrir(tbl, table, f_rom, rom, texte, script)) return;
    if (auto erreur = Insereur::verifier_fixe(f_rom.size(), adresse)) {
        afficher(*erreur);
        return;
    }
    std::vector<unsigned char> octets;
    if (!lire_rom(f_rom, octets)) return;

    Insereur::Image_rom image(std::move(octets));
    afficher(Insereur::ins_fixe(tbl, texte, image, adresse, nombre, taille));
    enregistrer(f_rom, image, rom);
}

}  // namespace Operations
