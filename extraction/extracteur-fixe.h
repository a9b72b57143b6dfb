#pragma once

namespace Extracteur {

// Decodes `nombre` words of `taille` units each, starting at ROM offset `adresse`, one word per
// line of the script file. A unit is one known byte sequence (longest match) or one unknown
// byte written "<%02X>". The block read is nombre x taille bytes, cut at the end of the ROM;
// units left without bytes (block past the ROM's end, or used up by multi-byte entries) write
// nothing. Reports its errors on stdout and returns 0; returns 1 when the script was written.
int ext_fixe(char const* rom, char const* table, char const* script, int adresse, int nombre, int taille);

}  // namespace Extracteur
