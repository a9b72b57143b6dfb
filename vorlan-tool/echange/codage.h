#pragma once
#include <cstddef>
#include <optional>
#include <string>

// The character sets of the exchange: scripts hold Latin-1 or UTF-8 bytes, the files handed to
// translators are always UTF-8.
namespace Echange {

enum class Encodage { latin1, utf8 };

// The offset of the first byte that does not belong to a well-formed UTF-8 character (an
// overlong form, a surrogate or a value past U+10FFFF is none); nothing when all do.
std::optional<std::size_t> erreur_utf8(std::string const& texte);

// Each Latin-1 byte as its UTF-8 character.
std::string latin1_vers_utf8(std::string const& texte);

// A UTF-8 text (checked beforehand) as the script's bytes. For Latin-1, a character past U+00FF
// cannot be held: the text is refused, and `refuse` gets that character's code point.
std::optional<std::string> depuis_utf8(std::string const& texte, Encodage encodage, long& refuse);
std::string vers_utf8(std::string const& texte, Encodage encodage);

}  // namespace Echange
