#pragma once

extern "C" {
#include <lua.h>
}

// The commands that start a translation from the ROM alone. Each takes one table of named
// fields, checked whole before any file is opened.

// chercher_relatif{ rom, texte | valeurs, largeur, ordre, joker, alphabets, debut, fin, maximum }:
// the hits of a phrase whatever the game's codes, in ROM order, each
// { adresse, bases, valeurs, autres, largeur, ordre, alphabets }.
int lua_chercher_relatif(lua_State* state);
// creer_table{ rom, hit, resultat, remplacer }: the table file a hit implies.
int lua_creer_table(lua_State* state);
// chercher_textes{ rom, table, fins, minimum, debut, fin }: { plages = { { debut, fin } }, debuts }.
int lua_chercher_textes(lua_State* state);
// chercher_pointeurs{ rom, debuts, minimum, ecart }: the pointer groups, best first, as a game
// description's pointeurs takes them, and the count of strings each reaches.
int lua_chercher_pointeurs(lua_State* state);
// decouvrir{ rom, texte, fins, table, description, minimum, ecart, remplacer, largeur, ordre,
// joker, alphabets }: the four steps, the table and the description written; returns the
// description.
int lua_decouvrir(lua_State* state);
