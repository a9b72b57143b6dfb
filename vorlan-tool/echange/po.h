#pragma once
#include <string>
#include <vector>

#include "echange/lignes.h"

// Gettext's PO files, in UTF-8.
namespace Echange {

struct En_tete_po {
    std::string projet;  // Project-Id-Version
    std::string langue;  // Language, empty when unknown
};

// The header, then one message per row: its notes as extracted comments ("#."), "fuzzy" when
// flou, the identifier as msgctxt, the original as msgid, the translation as msgstr. Strings are
// laid out as gettext lays them, so that msgcat writes the file back unchanged: one line when
// the string has no line feed but at its end, else "" then one line per line of the text. A
// message with a line too long for gettext's page of 79 columns carries the flag no-wrap, which
// keeps gettext from breaking its lines at other places.
std::string ecrire_po(std::vector<Ligne_echange> const& lignes, En_tete_po const& en_tete);

// Reads a PO file (a byte-order mark allowed): every message but the header (empty msgid
// without msgctxt) and obsolete ones ("#~"), its msgctxt as identifier, its "fuzzy" flag,
// msgstr (msgstr[0] for a plural form) as the translation. C escapes are read in strings,
// octal and hexadecimal ones included. The first line that is not PO refuses the file.
Lecture lire_po(std::string const& octets);

}  // namespace Echange
