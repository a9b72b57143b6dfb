#pragma once
#include <string>
#include <variant>
#include <vector>

#include "echange/lignes.h"

// The team's glossary: a UTF-8 CSV file with the header "original,traduction", one term a row.
namespace Echange {

struct Terme {
    std::string original;
    std::string traduction;
};

// The terms in file order, rows with an empty original left out; or why the file is refused
// (its Defaut, line and expected count of cells in the Lecture).
std::variant<std::vector<Terme>, Lecture> lire_glossaire(std::string const& octets);

}  // namespace Echange
