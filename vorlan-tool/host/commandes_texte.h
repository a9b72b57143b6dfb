#pragma once

extern "C" {
#include <lua.h>
}

// The script commands supprimer_mots(script, output, word list) and
// mettre_en_forme(script, output, table, width, lines per box): each checks its arguments,
// prints its framing messages and calls its operation; neither returns a result.
int lua_supprimer_mots(lua_State* state);
int lua_mettre_en_forme(lua_State* state);
// verifier_mise_en_forme(script, table, width, lines per box): the number of problems found.
int lua_verifier_mise_en_forme(lua_State* state);
