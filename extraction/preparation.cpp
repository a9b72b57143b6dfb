#include "extraction/preparation.h"

#include <sys/stat.h>

#include <cstdio>

#include "lib/erreur.h"

namespace Extracteur {

namespace {

// True when both names lead to one existing file.
bool meme_fichier(char const* premier, char const* second) {
    struct stat a;
    struct stat b;
    return stat(premier, &a) == 0 && stat(second, &b) == 0 && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace

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

bool creer_script(Fichier& script, char const* fichier_script, char const* fichier_rom, char const* fichier_table) {
    // Creating the script empties its file: a script named like the ROM or the table would
    // destroy it.
    if (meme_fichier(fichier_script, fichier_rom)) {
        std::printf("Erreur, le script '%s' est le fichier de la rom : il ne sera pas écrasé\n", fichier_script);
        return false;
    }
    if (meme_fichier(fichier_script, fichier_table)) {
        std::printf("Erreur, le script '%s' est le fichier de la table : il ne sera pas écrasé\n", fichier_script);
        return false;
    }
    try {
        script.open(fichier_script, "w");
    } catch (fopen_error const& e) {
        std::printf("%s\n", e.read_error());
        return false;
    }
    return true;
}

}  // namespace Extracteur
