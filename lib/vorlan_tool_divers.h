#pragma once
#include <string>

namespace Vorlan_tool {

// Cuts the next field out of a buffer of `length` bytes from `position`: at most 256 bytes,
// up to the delimiter. The position ends one past the delimiter (or past the one byte
// skipped after a 256-byte field, or at length + 1 at the end of the buffer).
std::string prendre_jusqu_a(char const* buffer, char delimiter, int length, int& position);
// In place: every backslash followed by "n" becomes one line feed; nothing else is an escape.
void convertir(char* text);
void convertir(std::string& text);
// Prints the text on stdout with each line feed shown as backslash and "n".
void afficher_chaine(char const* text);
// True when the line is exactly "<PT" digits ">" LF (1 to 50 digits). The number is
// stored as soon as the digits are read, even when the match then fails.
bool scan_pointeur(char const* line, int& numero);

}  // namespace Vorlan_tool
