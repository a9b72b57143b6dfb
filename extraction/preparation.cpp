#include "extraction/preparation.h"

#include <cstdio>

#include "lib/erreur.h"

namespace Extracteur {

bool preparer(Table_ext& table, char const* fichier_table, Fichier& rom, char const* fichier_rom) {
    try {
        table.charger(fichier_table);
        rom.open(fichier_rom, "rb");
    } catch (fopen_error const& e) {
        std::printf("%s\n", e.read_error());
        return false;
    }
    return true;
}

bool creer_script(Fichier& script, char const* fichier_script) {
    try {
        script.open(fichier_script, "w");
    } catch (fopen_error const& e) {
        std::printf("%s\n", e.read_error());
        return false;
    }
    return true;
}

}  // namespace Extracteur
