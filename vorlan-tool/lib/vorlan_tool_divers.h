#pragma once
#include <string>
#include <string_view>

// The text utilities that the table loaders and the script readers call.
namespace Vorlan_tool {

// Cuts the next field out of a buffer of `length` bytes from `position`: at most 256 bytes,
// up to the delimiter. The position ends one past the delimiter (or past the one byte
// skipped after a 256-byte field, or at length + 1 at the end of the buffer).
std::string prendre_jusqu_a(char const* buffer, char delimiter, int length, int& position);
// In place: every backslash followed by "n" becomes one line feed; nothing else is an escape.
void convertir(std::string& text);
// The text as messages show it: each line feed as backslash and "n", up to its first NUL byte.
std::string afficher_chaine(std::string_view text);
// True when the line is exactly "<PT" digits ">" LF (one digit or more). The number (wrapped
// to 32 bits) is stored as soon as the digits are read, even when the match then fails.
bool scan_pointeur(char const* line, int& numero);
// Length of the pointer tag line ("<PT", one digit or more, ">", LF) that begins the
// `disponible` characters from `debut`; 0 when none does. At most one prefix can be a tag.
std::size_t longueur_balise(char const* debut, std::size_t disponible);
// The same, with the tag's number in `numero`. A number beyond the int range would wrap onto a
// real pointer (4294967297 onto 1): it is taken as the largest int, which is then reported as
// past the pointer table.
std::size_t longueur_balise(char const* debut, std::size_t disponible, int& numero);

}  // namespace Vorlan_tool
