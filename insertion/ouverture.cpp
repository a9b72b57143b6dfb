#include "insertion/ouverture.h"

#include <cstdio>

#include "lib/erreur.h"
#include "lib/fichiers.h"
#include "tables/insereur-table.h"

namespace Insereur {

bool ouvrir(Table_ins& table, char const* chemin_table, Fichier& rom, char const* chemin_rom, Fichier& script,
            char const* chemin_script) {
    try {
        table.charger(chemin_table);
        rom.open(chemin_rom, "rb+");
    } catch (fopen_error const& e) {
        std::printf("%s\n", e.read_error());
        return false;
    }
    try {
        script.open(chemin_script, "rb");
    } catch (fopen_error const&) {
        std::printf("Impossible d'ouvrir le fichier \"%s\"\n", chemin_script);
        return false;
    }
    return true;
}

}  // namespace Insereur
