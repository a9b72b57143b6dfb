#pragma once
#include "host/blua.h"

// One row of the command table: the script name and its C function. The table ends with
// a row whose function is null.
struct Fonction_lua {
    char const* nom;
    lua_CFunction fonction;
};

extern Fonction_lua const fonctions[];

// Makes every command of the table a global script function.
void declarer_fonctions(Lua& lua);

// Runs one script command's body. The interpreter's C frames cannot carry C++ exceptions,
// so every error of the system's own types (and running out of memory) that the operation
// lets through is caught here: its message is printed (with a line feed added when it has
// none) and the command returns to the script with no result.
int proteger(lua_State* state, int (*corps)(Lua& lua));
