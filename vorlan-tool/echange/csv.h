#pragma once
#include <string>
#include <vector>

#include "echange/lignes.h"
#include "echange/tableur.h"

// CSV files as RFC 4180 writes them, in UTF-8.
namespace Echange {

// A byte-order mark, the header row, then one record per row: records ended by CR LF, a field
// quoted when it holds a comma, a quote, a CR or a LF (line breaks inside it stay LF), its quotes
// doubled.
std::string ecrire_csv(std::vector<Ligne_echange> const& lignes);
Lecture lire_csv(std::string const& octets);

// The records of any CSV file (a byte-order mark skipped), with the line each starts on. Records
// may end with CR LF or LF alone; a quoted field keeps its bytes as they are. A quote left open,
// or text after a closing quote, refuses the file: `defaut` gets the line.
struct Enregistrements {
    std::vector<Cellules> cellules;
    std::vector<int> lignes;
    int defaut = 0;  // 0: read whole
};
Enregistrements lire_enregistrements_csv(std::string const& octets);

}  // namespace Echange
