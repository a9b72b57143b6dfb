#pragma once

extern "C" {
#include <lua.h>
}

class Lua;

// The script commands extraire and inserer: mode 0 extracts, mode 1 inserts. Checks the
// arguments (explicit pointer parameters, a profile name, or "SANS_POINTEURS"), prints the
// framing messages and calls the operation; inserer hands its result back to the script.
int lua_ext_ins(int mode, Lua& lua);
// The script commands extraire_fixe (mode 0) and inserer_fixe (mode 1).
int lua_ext_ins_fixe(int mode, Lua& lua);

int lua_extraire(lua_State* state);
int lua_inserer(lua_State* state);
int lua_extraire_fixe(lua_State* state);
int lua_inserer_fixe(lua_State* state);
