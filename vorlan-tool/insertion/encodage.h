#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "lib/rapport.h"
#include "tables/insereur-table.h"

namespace Insereur {

// One text of a script: what follows a group of consecutive pointer tags up to the next tag
// (the first text, before any tag, has none), encoded through the table.
struct Texte_encode {
    // A table entry of two bytes or more inside `octets`: a placement that cuts the text may
    // not cut one.
    struct Entree_longue {
        std::size_t debut;
        std::size_t taille;
    };

    std::vector<int> pointeurs;           // numbers of the tags just before it, in script order
    std::vector<unsigned char> octets;    // its encoded bytes
    std::vector<Entree_longue> longues;   // in offset order
    Rapports rapports;                    // its unknown characters, in script order

    // The most of its bytes that can be written in `place` bytes without cutting an entry.
    std::size_t coupure(std::size_t place) const;
};

// The first step of an insertion: the script as the ordered list of its texts.
struct Encodage {
    std::vector<Texte_encode> textes;
};

// Encodes a script by longest match through the table (in a window of the table's longest
// text, but at least 10 characters), a pointer tag ("<PT" any number of digits ">" LF)
// winning over a table entry of equal length. A character that no entry begins with is
// reported and skipped.
Encodage encoder(std::string const& script, Table_ins const& table);

}  // namespace Insereur
