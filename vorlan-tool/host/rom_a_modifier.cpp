#include "host/rom_a_modifier.h"

#include <optional>

#include "host/chargement.h"

namespace Operations {

namespace {

// After the tables: the ROM, then the script.
bool ouvrir_rom_et_script(Rom_a_modifier& f_rom, char const* rom, std::string& texte, char const* script,
                          Ecriture ecriture) {
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
    return true;
}

// One file of one table without switches is read as insertion always read it, its reports
// printed once; anything else as tables that switch.
bool charger_tables_insertion(Tables_insertion& tables, std::vector<std::string> const& noms) {
    if (noms.size() > 1)
        return tables.avec_bascules = charger_tables(tables.bascules, noms, Message::ouverture_impossible_ligne);
    std::optional<std::string> const contenu = lire_octets(noms[0].c_str());
    if (!contenu) {
        afficher(Rapport(Message::ouverture_impossible_ligne, {noms[0]}));
        return false;
    }
    Extracteur::Tables_ext::Chargement const chargement = tables.bascules.charger({{noms[0], *contenu}});
    if (chargement.accepte && !tables.bascules.bascule()) {
        afficher(tables.simple.charger(*contenu));
        return true;
    }
    afficher(chargement.rapports);
    return tables.avec_bascules = chargement.accepte;
}

}  // namespace

bool ouvrir_insertion(Insereur::Table_ins& tbl, char const* table, Rom_a_modifier& f_rom, char const* rom,
                      std::string& texte, char const* script, Ecriture ecriture) {
    return charger_table(tbl, table, Message::ouverture_impossible_ligne) &&
           ouvrir_rom_et_script(f_rom, rom, texte, script, ecriture) && differents(rom, table) &&
           differents(rom, script);
}

bool ouvrir_insertion(Tables_insertion& tables, std::vector<std::string> const& noms, Rom_a_modifier& f_rom,
                      char const* rom, std::string& texte, char const* script, Ecriture ecriture) {
    if (!charger_tables_insertion(tables, noms) || !ouvrir_rom_et_script(f_rom, rom, texte, script, ecriture))
        return false;
    for (std::string const& nom : noms)
        if (!differents(rom, nom.c_str())) return false;
    return differents(rom, script);
}

bool enregistrer(Rom_a_modifier& f_rom, Insereur::Image_rom const& image) {
    return f_rom.sortie.enregistrer(image.octets().data(), image.octets().size());
}

}  // namespace Operations
