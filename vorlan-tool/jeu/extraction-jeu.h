#pragma once
#include <vector>

#include "extraction/extracteur.h"
#include "jeu/description.h"
#include "tables/extracteur-table.h"

namespace Jeu {

// Decodes every range of textes (checked by verifier) as extraire decodes one, each opened by
// its marker: "<PT%04d>\n" before the text each pointer of every group designates, the full
// offset its formula gives being compared, so that a pointer is tagged in one place only;
// pointers sharing a position come by number. Pointers that designate no position where a
// text starts in any range are reported, one line per run of consecutive numbers. Embedded
// pointers are numbered after them in offset order: the code's label is followed by
// "<#PT%04d>" for its pointer bytes, or by those bytes raw (reported) when their target starts
// no text. A range of strings that carry their length gives one string per line.
Extracteur::Extraction extraire(Extracteur::Table_ext const& table, std::vector<unsigned char> const& rom,
                                Description const& jeu);

}  // namespace Jeu
