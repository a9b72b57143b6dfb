#pragma once
#include <string>
#include <vector>

#include "apercu/police.h"

// A font whose glyphs the tests know: the ROM, the character table, the line-break table.
//
// Codes 0x20 to 0x7F from `adresse_police` on. Each letter a-z, and A-Z, is a solid bar of
// rows 2 to 9 over the columns 0 to advance − 2 (one blank column before the next letter);
// "M" fills its whole 12 × 12 cell though it advances by 6 (to show that glyphs are drawn
// transparently); the space draws nothing. The character table also gives "~" the code
// 0x10, below the font's first code, and "#" the two bytes 01 02; the line-break table gives
// "q" no width, "ll" the width 9 as a whole, and "<Nom>" the width 20.
namespace Police_de_test {

constexpr long long adresse_police = 0x40;
constexpr int premier = 0x20;
constexpr int espace = 4;

// The advance of a letter in the line-break table.
int avance(char c);
// The glyph the test font holds for a character.
Apercu::Glyphe glyphe(char c);

std::vector<unsigned char> rom();
std::string table_caracteres();
std::string table_largeurs();

}  // namespace Police_de_test
