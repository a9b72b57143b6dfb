#pragma once
#include <optional>
#include <string>
#include <vector>

#include "decouverte/motif.h"
#include "decouverte/recherche-pointeurs.h"
#include "decouverte/recherche-relative.h"
#include "decouverte/recherche-textes.h"
#include "decouverte/table-deduite.h"

// From one phrase seen on screen to a game's layout: the relative search, the table its best
// hit implies, the text that table reads and the pointer tables that designate its strings.
namespace Decouverte {

struct Demande_decouverte {
    Recherche recherche;
    std::vector<std::vector<unsigned char>> fins;  // the end codes, which the new table gains as end entries
    int minimum = 4;                               // strings in a row that make a range
    int minimum_pointeurs = 8;                     // distinct strings a pointer table designates, at least
    std::vector<long long> ecarts;
};

struct Decouverte_faite {
    Resultat_relatif resultat;
    std::optional<Trouvaille> trouvaille;  // none: the phrase is nowhere
    Codes_connus codes;
    Table_deduite table;                   // its text ends with the end entries
    Textes_trouves textes;
    std::vector<Groupe_trouve> groupes;    // kept, in address order
    std::vector<Groupe_trouve> ecartes;    // sharing a byte with a better group or with the text
};

// Bytes decoded on each side of a hit to judge the table it implies.
constexpr long long voisinage = 4096;

// Of hits that imply different tables, the one whose table reads the most values around it
// wins (the first in ROM order between equals). Every step runs only when the one before it
// found something.
Decouverte_faite decouvrir(std::vector<unsigned char> const& rom, Motif const& motif, Demande_decouverte const& d,
                           unsigned fils);

// The line that ends a string at `code`, as a table file writes it: "/00".
std::string entree_de_fin(std::vector<unsigned char> const& code);

// The first slot byte of a group: where its table stands.
long long adresse_du_groupe(Jeu::Groupe const& groupe);

}  // namespace Decouverte
