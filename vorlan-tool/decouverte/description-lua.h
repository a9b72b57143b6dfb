#pragma once
#include <string>

#include "jeu/description.h"

// A game's description as a Lua file that returns it, written to be read and edited by hand:
// `return { rom = "...", table = "...", textes = { ... }, pointeurs = { ... } }`. Offsets are in
// hexadecimal, one range and one group a line; what extraire_jeu reads back from it is the
// description itself.
namespace Decouverte {

std::string description_lua(Jeu::Description const& jeu);

// A Lua string literal of the bytes, each byte kept: quotes, backslashes, control characters
// and bytes past 0x7E escaped as "\ddd".
std::string chaine_lua(std::string const& octets);

}  // namespace Decouverte
