#pragma once

extern "C" {
#include <lua.h>
}

#include "host/operations.h"

// apercu{ script, table, police = { rom, adresse, premier }, largeurs, largeur, lignes, sortie,
// par_page, pointeurs = { premier, dernier } }: the script's boxes drawn in the game's font
// into numbered PNG pages. Returns { problemes, pages, boites = { { pointeurs, page,
// lignes = { { x, y, largeur, texte } } } } }, or nothing when refused.
int lua_apercu(lua_State* state);

// The fields police and largeurs_rom of epreuve's table at `table`, read and checked as apercu
// checks its own, the refusals naming epreuve. False after printing the refusal.
bool lire_police_epreuve(lua_State* L, int table, Operations::Demande_apercu& demande);
// apercu's result for the layout, pushed on the stack.
void pousser_apercu(lua_State* L, Apercu::Mise_en_page const& mise_en_page);
