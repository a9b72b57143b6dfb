#pragma once

extern "C" {
#include <lua.h>
}

// optimiser_dte(script, result, pairs): the DTE pairs of a script.
int lua_optimiser_dte(lua_State* state);
// optimiser_mte(script, result, count, max_length [, rom_size]): the MTE words of a script;
// count and max_length are taken as signed 16-bit numbers, rom_size is 1 or 2 (2 by default).
int lua_optimiser_mte(lua_State* state);
