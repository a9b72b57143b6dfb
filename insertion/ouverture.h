#pragma once

class Fichier;

namespace Insereur {

class Table_ins;

// Loads the character table, then opens the ROM for reading and writing and the script for
// reading, in that order. A failure is reported on stdout ("%s\n" with the error's message
// for the table and the ROM, "Impossible d'ouvrir le fichier \"%s\"\n" for the script) and
// gives false; nothing has been written then.
bool ouvrir(Table_ins& table, char const* chemin_table, Fichier& rom, char const* chemin_rom, Fichier& script,
            char const* chemin_script);

}  // namespace Insereur
