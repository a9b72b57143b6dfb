#pragma once
#include "lib/fichiers.h"
#include "tables/extracteur-table.h"

namespace Extracteur {

// The common start of both extractions: loads the character table, then opens the ROM for
// binary reading. When one of them cannot be opened, prints the error's message followed by a
// line feed and returns false.
bool preparer(Table_ext& table, char const* fichier_table, Fichier& rom, char const* fichier_rom);

// Creates (or empties) the script file once the arguments have passed their checks, so that a
// refused extraction leaves an earlier script alone. Refuses a script that is the ROM or the
// table file; reports an open failure as preparer does.
bool creer_script(Fichier& script, char const* fichier_script, char const* fichier_rom, char const* fichier_table);

}  // namespace Extracteur
