#include "host/chargement.h"
#include "host/enregistrement.h"
#include "host/operations.h"
#include "insertion/insereur-fixe.h"
#include "insertion/insereur.h"
#include "lib/erreur.h"

namespace Operations {

namespace {

// What both insertions hold from their start to their commit: the ROM locked against other
// commands that patch it, its replacement, and the file read.
struct Rom_a_modifier {
    Remplacement::Verrou verrou;
    Sortie sortie;
    Fichier fichier;
};

// The common start of both insertions: the table, then the ROM, then the script, in that
// order; a ROM that is the table or the script would lose it: refused. A simulated insertion
// only reads the ROM, which it takes as if it were writable.
bool ouvrir(Insereur::Table_ins& tbl, char const* table, Rom_a_modifier& f_rom, char const* rom, std::string& texte,
            char const* script, Ecriture ecriture = Ecriture::reelle) {
    if (!charger_table(tbl, table, Message::ouverture_impossible_ligne)) return false;
    bool const ouverte = ecriture == Ecriture::simulee
                             ? ouvrir_rom(f_rom.fichier, rom)
                             : ouvrir_rom_a_modifier(f_rom.verrou, f_rom.sortie, f_rom.fichier, rom);
    if (!ouverte) return false;
    std::optional<std::string> lu = lire_texte(script);
    if (!lu) {
        afficher(Rapport(Message::ouverture_impossible, {script}));
        return false;
    }
    texte = std::move(*lu);
    return differents(rom, table) && differents(rom, script);
}

bool enregistrer(Rom_a_modifier& f_rom, Insereur::Image_rom const& image) {
    return f_rom.sortie.enregistrer(image.octets().data(), image.octets().size());
}

}  // namespace

int inserer(char const* rom, char const* table, char const* script, int debut, int fin,
            Table_pointeurs const& pointeurs, char const* formule, Ecriture ecriture) {
    Insereur::Table_ins tbl;
    Rom_a_modifier f_rom;
    std::string texte;
    if (!ouvrir(tbl, table, f_rom, rom, texte, script, ecriture)) return debut;
    Calcul::Formule const formule_lue(formule);
    if (auto erreur = Insereur::verifier(f_rom.fichier.size(), debut, fin, pointeurs, formule_lue)) {
        afficher(*erreur);
        return debut;
    }
    std::vector<unsigned char> octets;
    if (!lire_rom(f_rom.fichier, octets)) return debut;

    Insereur::Image_rom image(std::move(octets));
    Insereur::Insertion const insertion = Insereur::inserer(tbl, texte, image, debut, fin, pointeurs, formule_lue);
    afficher(insertion.rapports);
    // The formula's failure ends the command at the guard, as every error of the system does.
    if (insertion.arret) throw math_error(*insertion.arret);
    if (ecriture == Ecriture::reelle && !enregistrer(f_rom, image)) return debut;
    return insertion.fin_ecrite;
}

void inserer_fixe(char const* rom, char const* table, char const* script, int adresse, int nombre, int taille) {
    Insereur::Table_ins tbl;
    Rom_a_modifier f_rom;
    std::string texte;
    if (!ouvrir(tbl, table, f_rom, rom, texte, script)) return;
    if (auto erreur = Insereur::verifier_fixe(f_rom.fichier.size(), adresse)) {
        afficher(*erreur);
        return;
    }
    std::vector<unsigned char> octets;
    if (!lire_rom(f_rom.fichier, octets)) return;

    Insereur::Image_rom image(std::move(octets));
    Rapports const rapports = Insereur::ins_fixe(tbl, texte, image, adresse, nombre, taille);
    afficher(rapports);
    // Nothing to write leaves the file itself alone, as it always has.
    if (!image.zones_ecrites().empty()) enregistrer(f_rom, image);
}

}  // namespace Operations
