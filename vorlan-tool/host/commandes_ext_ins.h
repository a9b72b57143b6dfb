#pragma once

extern "C" {
#include <lua.h>
}

class Lua;

// Which way a command body shared by several commands works: a simulation is an insertion
// that writes nothing.
enum class Sens { extraction, insertion, simulation };

// The script commands extraire, inserer and simuler_inserer. Checks the arguments (explicit
// pointer parameters, a profile name, or "SANS_POINTEURS"), prints the framing messages and
// runs the operation; inserer and simuler_inserer hand their result back to the script.
int lua_ext_ins(Sens sens, Lua& lua);
// The script commands extraire_fixe and inserer_fixe.
int lua_ext_ins_fixe(Sens sens, Lua& lua);

int lua_extraire(lua_State* state);
int lua_inserer(lua_State* state);
int lua_simuler_inserer(lua_State* state);
int lua_extraire_fixe(lua_State* state);
int lua_inserer_fixe(lua_State* state);
