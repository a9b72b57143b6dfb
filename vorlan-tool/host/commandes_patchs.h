#pragma once

extern "C" {
#include <lua.h>
}

// creer_patch(original, modifie, patch) and appliquer_patch(rom, patch, resultat): the IPS or
// BPS patch that turns one ROM into another, and its application.
int lua_creer_patch(lua_State* state);
int lua_appliquer_patch(lua_State* state);
