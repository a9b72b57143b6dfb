#pragma once
#include <functional>
#include <string>
#include <vector>

#include "insertion/encodage.h"
#include "jeu/description.h"
#include "lib/rapport.h"
#include "tables/insereur-table.h"

// The script of a range of strings that carry their length, as extraire writes it and
// inserer reads it back: one string per line, its line feed no part of it; tag lines name the
// string on the line after them.
namespace Jeu {

// How a text becomes bytes: longest match or the shortest encoding, the same for every piece.
using Encodeur = std::function<Insereur::Encodage(std::string const& texte)>;

struct Chaines_encodees {
    // As encoder cuts a piece at its tags: the strings before the first tag, then each group
    // of tags with the strings up to the next, every string after its prefix.
    Insereur::Encodage encodage;
    Rapports refus;  // the strings longer than their prefix can say; the plage names the range
};

// Encodes the piece of range `r` (a range of textes with a prefix). A last line without its
// line feed is a string too; an empty line is an empty string.
Chaines_encodees encoder_chaines(std::string const& texte, Encodeur const& encodeur, Description const& jeu,
                                 std::size_t r);

}  // namespace Jeu
