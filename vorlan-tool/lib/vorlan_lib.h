#pragma once

namespace Chaine {

// Parses the whole text as an unsigned 32-bit number (wrapping). Modes: 0 decimal,
// 1 hexadecimal, 2 octal, -1 automatic ("0x" hex, leading "0" octal, else decimal).
// A bad character gives 0 with *ok at 0; success sets *ok to 1 (the empty text is 0).
unsigned int char_to_number(char const* text, int* ok, int mode);
// "$" + hex, "0x" + hex, or decimal. Throws erreur_nombre on a bad digit.
unsigned int char_to_int(char const* text);
bool est_hexa(unsigned char const* text);
bool est_dec(unsigned char const* text);

}  // namespace Chaine

namespace Octets {

// Bit of the given rank counted from the most significant: rank 0 is 0x80, rank 7 is 0x01.
int lire_bit(unsigned char byte, unsigned char rank);
// Keeps the low 1, 2 or 3 bytes; any other count leaves the value unchanged.
unsigned int tronquer(unsigned int value, unsigned int count);

}  // namespace Octets
