#pragma once

namespace Extracteur {

// Decodes the ROM's bytes debut..fin (inclusive) through the character table into a script
// file: "<PT%04d>\n" before the text each pointer designates, each known byte sequence's text
// by longest match, "<%02X>" for each byte that starts none. Pointers are read as
// charger_pointeurs does (adresse, nombre, taille, formule, ordre); a run without pointers
// passes 0, 0, 2, "X", false. Reports its errors on stdout and returns 0; returns 1 when the
// script was written. The script file is created before the range checks, so it is left empty
// when one fails. The end offset must lie inside the ROM (fin < size), as for insertion.
int extraire(char const* rom, char const* table, char const* script, int debut, int fin, int adresse,
             int nombre, int taille, char const* formule, bool ordre);

}  // namespace Extracteur
