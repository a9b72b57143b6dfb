#pragma once

extern "C" {
#include <lua.h>
}

// epreuve{ script, original, table, police, largeurs, largeurs_rom, largeur, lignes, sortie,
// titre, encodage }: the translated script as one web page for its reviewers, its pictures in a
// folder beside it. Returns what apercu returns plus { page, sections }, or nothing when refused.
int lua_epreuve(lua_State* state);
