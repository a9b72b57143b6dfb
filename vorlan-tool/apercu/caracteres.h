#pragma once
#include <cstddef>
#include <string_view>

// The characters of a script: UTF-8 sequences when the whole script is valid UTF-8, else
// single bytes, as Latin-1 reads them.
namespace Apercu {

// True when the text is valid UTF-8: no stray continuation byte, no sequence cut short, no
// overlong form, no surrogate, nothing past U+10FFFF.
bool utf8_valide(std::string_view texte);

// The bytes of the character at `position` (1 outside UTF-8, or at the end of the text).
std::size_t longueur_caractere(std::string_view texte, std::size_t position, bool utf8);

// The first `nombre` characters of the text.
std::string_view debut_du_texte(std::string_view texte, std::size_t nombre, bool utf8);

}  // namespace Apercu
