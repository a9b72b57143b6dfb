#include "host/rom_a_modifier.h"

#include <optional>

#include "host/chargement.h"

namespace Operations {

bool ouvrir_insertion(Insereur::Table_ins& tbl, char const* table, Rom_a_modifier& f_rom, char const* rom,
                      std::string& texte, char const* script, Ecriture ecriture) {
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

}  // namespace Operations
