#pragma once

namespace Insereur {

// Writes a fixed-length script (one word per line) over `nombre` words of `taille` units from
// ROM offset `adresse`. A unit is one table entry matched by longest match, or one unknown
// character (which writes nothing). Short lines are reported and padded with the "_" entry
// (a zero byte, reported, when the table has none); long lines are reported and cut. Words
// follow one another with no gap. A word that would run past the end of the ROM is reported
// and neither it nor any later word is written. The ROM is written once, after encoding.
// Returns false when an open failure, the offset check or a refused write stopped it.
bool ins_fixe(char const* rom, char const* table, char const* script, int adresse, int nombre, int taille);

}  // namespace Insereur
