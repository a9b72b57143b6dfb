#pragma once

namespace Insereur {

// Encodes a script (pointer tags "<PT%d>\n" and text) through the character table by longest
// match, a tag winning over a table entry of equal length, into the ROM's range debut..fin
// (inclusive): text bytes one after another, each tagged pointer rewritten to designate the
// text that follows its tag (inserer_pointeur), the rest of the range filled with zeros.
// Prints how many bytes remain ("%d octets restants\n") or are missing.
// The ROM is written only once the whole script is encoded: after a reported error, or a
// math_error from the formula (which goes through to the caller), it is left untouched.
// Returns the offset just after the last text byte, or debut after a reported error.
int inserer(char const* rom, char const* table, char const* script, int debut, int fin, int adresse, int nombre,
            int taille, char const* formule, bool ordre);

}  // namespace Insereur
