#pragma once

extern "C" {
#include <lua.h>
}

#include "echange/codage.h"
#include "host/champs.h"

// The exchange with a translation team. Each takes one table of named fields, checked whole
// before any file is opened.

// exporter{ script, traduction, sortie, encodage, largeurs, largeur, lignes, langue, fixe }: the
// script's texts as a PO, POT, CSV or TSV file (by the name of sortie).
int lua_exporter(lua_State* state);
// importer{ fichier, script, sortie, encodage, table, glossaire, forcer, appliquer_flous, fixe }:
// the file's translations put into the script, written as sortie; returns { traduits, flous,
// non_traduits, refuses, avertissements, pourcentage }.
int lua_importer(lua_State* state);

// The field encodage: "latin1" (when absent) or "utf8". False after printing the refusal.
bool lire_encodage(Champs const& c, Echange::Encodage& encodage);
