#pragma once

extern "C" {
#include <lua.h>
}

// apercu{ script, table, police = { rom, adresse, premier }, largeurs, largeur, lignes, sortie,
// par_page, pointeurs = { premier, dernier } }: the script's boxes drawn in the game's font
// into numbered PNG pages. Returns { problemes, pages, boites = { { pointeurs, page,
// lignes = { { x, y, largeur, texte } } } } }, or nothing when refused.
int lua_apercu(lua_State* state);
