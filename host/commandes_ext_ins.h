#pragma once

extern "C" {
#include <lua.h>
}

class Lua;

// Which way a command body shared by two commands works.
enum class Sens { extraction, insertion };

// The script commands extraire and inserer. Checks the arguments (explicit pointer parameters,
// a profile name, or "SANS_POINTEURS"), prints the framing messages and runs the operation;
// inserer hands its result back to the script.
int lua_ext_ins(Sens sens, Lua& lua);
// The script commands extraire_fixe and inserer_fixe.
int lua_ext_ins_fixe(Sens sens, Lua& lua);

int lua_extraire(lua_State* state);
int lua_inserer(lua_State* state);
int lua_extraire_fixe(lua_State* state);
int lua_inserer_fixe(lua_State* state);
