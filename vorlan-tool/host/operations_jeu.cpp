#include "host/chargement.h"
#include "host/enregistrement.h"
#include "host/operations.h"
#include "host/rom_a_modifier.h"
#include "insertion/image-rom.h"
#include "jeu/extraction-jeu.h"
#include "jeu/insertion-jeu.h"
#include "jeu/integres.h"
#include "jeu/verification.h"

namespace Operations {

namespace {

// The description checked against the ROM's size, before anything is read from it.
bool verifier_jeu(Jeu::Description const& jeu, Fichier const& rom) {
    Rapports const refus = Jeu::verifier(jeu, rom.size());
    afficher(refus);
    return refus.empty();
}

// The embedded codes against the table: they must be codes it follows with their parameters.
bool verifier_codes(Jeu::Description const& jeu, Extracteur::Table_ext const& caracteres) {
    Rapports const refus = Jeu::verifier_integres(jeu, caracteres);
    afficher(refus);
    return refus.empty();
}

// Insertion reads the table as text to bytes, which says nothing of parameters: the table is
// read the other way too, its reports already printed by the first reading.
bool verifier_integres_a_l_insertion(Jeu::Description const& jeu) {
    if (jeu.integres.empty()) return true;
    std::optional<std::string> const contenu = lire_octets(jeu.table.c_str());
    Extracteur::Table_ext caracteres;
    if (contenu) caracteres.charger(*contenu);
    return verifier_codes(jeu, caracteres);
}

// The shortest encoding reads the table both ways; its warnings were printed by the first load.
Jeu::Insertion_jeu inserer_au_plus_court(Jeu::Description const& jeu, std::string const& texte,
                                         Jeu::Options_insertion const& options, Insereur::Image_rom& image) {
    Insereur::Table_courte table;
    std::optional<std::string> const contenu = lire_octets(jeu.table.c_str());
    if (contenu) table.charger(*contenu);
    return Jeu::inserer(table, texte, jeu, options, image);
}

}  // namespace

void extraire_jeu(Jeu::Description const& jeu, char const* script) {
    Extracteur::Table_ext caracteres;
    if (!charger_table(caracteres, jeu.table.c_str(), Message::ouverture_impossible_ligne)) return;
    Fichier f_rom;
    if (!ouvrir_rom(f_rom, jeu.rom.c_str()) || !verifier_jeu(jeu, f_rom) || !verifier_codes(jeu, caracteres))
        return;
    Sortie sortie;
    std::vector<unsigned char> octets;
    if (!preparer_script(sortie, script, jeu.rom.c_str(), jeu.table.c_str()) || !lire_rom(f_rom, octets)) return;
    Extracteur::Extraction const extraction = Jeu::extraire(caracteres, octets, jeu);
    afficher(extraction.rapports);
    sortie.enregistrer(extraction.script);
}

std::optional<Jeu::Bilan> inserer_jeu(Jeu::Description const& jeu, char const* script,
                                      Jeu::Options_insertion const& options) {
    Insereur::Table_ins tbl;
    Rom_a_modifier f_rom;
    std::string texte;
    Ecriture const ecriture = options.simulation ? Ecriture::simulee : Ecriture::reelle;
    if (!ouvrir_insertion(tbl, jeu.table.c_str(), f_rom, jeu.rom.c_str(), texte, script, ecriture) ||
        !verifier_jeu(jeu, f_rom.fichier) || !verifier_integres_a_l_insertion(jeu))
        return std::nullopt;
    std::vector<unsigned char> octets;
    if (!lire_rom(f_rom.fichier, octets)) return std::nullopt;

    Insereur::Image_rom image(std::move(octets));
    Jeu::Insertion_jeu const insertion = options.encodage == Jeu::Encodage_texte::court
                                             ? inserer_au_plus_court(jeu, texte, options, image)
                                             : Jeu::inserer(tbl, texte, jeu, options, image);
    afficher(insertion.rapports);
    if (insertion.refusee) return std::nullopt;
    Jeu::Bilan bilan = insertion.bilan;
    if (bilan.ecrit && ecriture == Ecriture::reelle && !enregistrer(f_rom, image))
        bilan.ecrit = false;
    return bilan;
}

}  // namespace Operations
