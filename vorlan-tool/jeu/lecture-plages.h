#pragma once
#include <cstddef>
#include <vector>

#include "jeu/description.h"
#include "lib/rapport.h"
#include "tables/extracteur-table.h"

// The first pass of a game's extraction: every range of textes cut into the units decoding
// meets, so that the embedded pointers are found and numbered, and where texts may start is
// known, before a line of the script is written.
namespace Jeu {

struct Unite {
    enum class Sorte {
        texte,    // a table entry and its parameters, or one byte the table does not know
        prefixe,  // the length that opens a string of a range of strings that carry it
    };
    Sorte sorte = Sorte::texte;
    long long debut = 0;
    std::size_t longueur = 0;                      // bytes, parameters included
    Extracteur::Texte_ext const* entree = nullptr;  // null for a prefix or an unknown byte
    std::size_t cle = 0;                           // bytes of the key, before the parameters
    int integre = -1;                              // index of the embedded code it is, if any
};

struct Lecture {
    std::vector<std::vector<Unite>> plages;  // one list per range of textes, in their order
    std::vector<long long> departs;          // where a text can start, in offset order
    Rapports rapports;                       // where a range of strings stopped early
};

// Decodes as Ecriture_script::decoder does, window by window: every unit of a range ending
// with codes may start a text; in a range of strings that carry their length, the strings
// follow each other from its start, only a prefix starts a text, the units of a string stop at
// its end, and the sequence stops (reported) where only zeros are left or at a string that
// would run past the range. A code counts as embedded only with all its parameters.
Lecture lire_plages(Extracteur::Table_ext const& table, std::vector<unsigned char> const& rom, Description const& jeu);

}  // namespace Jeu
