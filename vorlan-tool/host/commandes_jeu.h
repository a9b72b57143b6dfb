#pragma once

extern "C" {
#include <lua.h>
}

// extraire_jeu(jeu, script): the text of every range of a game's description, dumped into one
// script. The description is a table { rom, table, textes, espace, remplissage, pointeurs },
// checked whole (names, types and presence of its fields) before any file is opened.
int lua_extraire_jeu(lua_State* state);
// inserer_jeu(jeu, script [, options]): the script put back into the description's room, with
// options { placement = "ordre" | "compact", fusionner, partiel, simulation }. Returns
// { ecrit, blocs = { { debut, fin, utilise, libre } }, manquants = { { pointeurs, taille } } },
// or nothing when refused.
int lua_inserer_jeu(lua_State* state);
