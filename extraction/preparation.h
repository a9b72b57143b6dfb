#pragma once
#include "lib/fichiers.h"
#include "tables/extracteur-table.h"

namespace Extracteur {

// The common start of both extractions: loads the character table, opens the ROM for binary
// reading and creates (or empties) the script file, in that order. When one of them cannot be
// opened, prints the error's message followed by a line feed and returns false.
bool preparer(Table_ext& table, char const* fichier_table, Fichier& rom, char const* fichier_rom, Fichier& script,
              char const* fichier_script);

}  // namespace Extracteur
