#include "host/chargement.h"
#include "host/enregistrement.h"
#include "host/operations.h"
#include "insertion/image-rom.h"
#include "jeu/extraction-jeu.h"
#include "jeu/insertion-jeu.h"
#include "jeu/verification.h"

namespace Operations {

namespace {

// The description checked against the ROM's size, before anything is read from it.
bool verifier_jeu(Jeu::Description const& jeu, Fichier const& rom) {
    Rapports const refus = Jeu::verifier(jeu, rom.size());
    afficher(refus);
    return refus.empty();
}

}  // namespace

void extraire_jeu(Jeu::Description const& jeu, char const* script) {
    Extracteur::Table_ext caracteres;
    if (!charger_table(caracteres, jeu.table.c_str(), Message::ouverture_impossible_ligne)) return;
    Fichier f_rom;
    if (!ouvrir_rom(f_rom, jeu.rom.c_str()) || !verifier_jeu(jeu, f_rom)) return;
    if (meme_fichier(script, jeu.rom.c_str())) {
        afficher(Rapport(Message::script_est_la_rom, {script}));
        return;
    }
    if (meme_fichier(script, jeu.table.c_str())) {
        afficher(Rapport(Message::script_est_la_table, {script}));
        return;
    }
    Sortie sortie;
    std::vector<unsigned char> octets;
    if (!sortie.preparer(script, Message::fopen_impossible_ligne) || !lire_rom(f_rom, octets)) return;
    Extracteur::Extraction const extraction = Jeu::extraire(caracteres, octets, jeu);
    afficher(extraction.rapports);
    sortie.enregistrer(extraction.script);
}

std::optional<Jeu::Bilan> inserer_jeu(Jeu::Description const& jeu, char const* script,
                                      Jeu::Options_insertion const& options) {
    Insereur::Table_ins tbl;
    if (!charger_table(tbl, jeu.table.c_str(), Message::ouverture_impossible_ligne)) return std::nullopt;
    char const* const rom = jeu.rom.c_str();
    // A simulation only reads the ROM; the real insertion locks it and prepares its replacement
    // before any work, so that a ROM it could not write is refused at once.
    Remplacement::Verrou verrou;
    Sortie sortie;
    Fichier f_rom;
    bool const ouverte =
        options.simulation ? ouvrir_rom(f_rom, rom) : ouvrir_rom_a_modifier(verrou, sortie, f_rom, rom);
    if (!ouverte || !verifier_jeu(jeu, f_rom)) return std::nullopt;
    std::optional<std::string> texte = lire_texte(script);
    if (!texte) {
        afficher(Rapport(Message::ouverture_impossible, {script}));
        return std::nullopt;
    }
    if (!differents(rom, jeu.table.c_str()) || !differents(rom, script)) return std::nullopt;
    std::vector<unsigned char> octets;
    if (!lire_rom(f_rom, octets)) return std::nullopt;

    Insereur::Image_rom image(std::move(octets));
    Jeu::Insertion_jeu const insertion = Jeu::inserer(tbl, *texte, jeu, options, image);
    afficher(insertion.rapports);
    if (insertion.refusee) return std::nullopt;
    Jeu::Bilan bilan = insertion.bilan;
    if (bilan.ecrit && !options.simulation && !sortie.enregistrer(image.octets().data(), image.octets().size()))
        bilan.ecrit = false;
    return bilan;
}

}  // namespace Operations
