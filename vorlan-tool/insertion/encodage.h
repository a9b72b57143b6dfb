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

    // A reference "<#PT" digits ">" to the text of that tag, after a control code of
    // Code_a_renvoi: the code's `taille` bytes at `debut`, left zero for the caller to fill.
    struct Renvoi {
        std::size_t debut;
        int numero;
        std::size_t code;  // index into the codes given to encoder
    };

    std::vector<int> pointeurs;           // numbers of the tags just before it, in script order
    std::vector<unsigned char> octets;    // its encoded bytes
    std::vector<Entree_longue> longues;   // in offset order
    Rapports rapports;                    // its unknown characters, in script order
    std::vector<Renvoi> renvois;          // in offset order

    // The most of its bytes that can be written in `place` bytes without cutting an entry.
    std::size_t coupure(std::size_t place) const;
    // Appends one table entry's bytes, recorded in `longues` when it has two or more.
    void ajouter(unsigned char const* code, std::size_t taille);
};

// A control code whose parameters hold, from their byte `position`, a pointer of `taille`
// bytes to another text of the script.
struct Code_a_renvoi {
    std::vector<unsigned char> code;
    int position = 0;
    int taille = 0;
};

// The first step of an insertion: the script as the ordered list of its texts.
struct Encodage {
    std::vector<Texte_encode> textes;

    // The text that the pointer tag `numero` opens: a tag after anything else starts the next
    // text; consecutive tags share one.
    Texte_encode& apres_balise(int numero);
};

// Encodes a script by longest match through the table (in a window of the table's longest
// text, but at least 10 characters), a pointer tag ("<PT" any number of digits ">" LF)
// winning over a table entry of equal length. A character that no entry begins with is
// reported and skipped. Right where a code of `codes` (written through the table) is followed
// by `position` parameter bytes, "<#PT" digits ">" stands for its pointer's bytes; anywhere
// else it is plain text.
Encodage encoder(std::string const& script, Table_ins const& table, std::vector<Code_a_renvoi> const& codes = {});

}  // namespace Insereur
