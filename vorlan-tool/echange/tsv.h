#pragma once
#include <string>
#include <vector>

#include "echange/lignes.h"

// Tab-separated files, in UTF-8: the columns of the CSV files, one record per line.
namespace Echange {

// A byte-order mark, the header row, then one record per row, each ended by LF; in a field a
// tab is written "\t", a line feed "\n", a CR "\r" and a backslash "\\".
std::string ecrire_tsv(std::vector<Ligne_echange> const& lignes);

// Records may end with CR LF; a backslash followed by anything but t, n, r or a backslash
// refuses the file.
Lecture lire_tsv(std::string const& octets);

}  // namespace Echange
