#pragma once
#include <string>

#include "insertion/image-rom.h"
#include "insertion/table-courte.h"
#include "jeu/description.h"
#include "lib/rapport.h"
#include "tables/insereur-table.h"

namespace Jeu {

struct Insertion_jeu {
    // In order: each text's refused tags and unknown characters, repeated tags, one line per
    // block, the texts that found no room, the pointers left designating rewritten room.
    Rapports rapports;
    Bilan bilan;
    // The script itself could not be used (a marker of no range, a range marked twice, text
    // before any marker, a string too long for its prefix, a reference to no tag):
    // `rapports` says why, nothing was placed.
    bool refusee = false;
};

// Places a game's script (checked description) into the image: encodes it through the table,
// each text being what follows a group of consecutive tags up to the next tag or marker; puts
// the text that opens a range back at the range's start; places every other text whole in the
// room, where each of its pointers can designate it; then, unless some text found no room and
// the insertion is not partial, fills the room with the fill byte and writes the texts and the
// pointer slots. Embedded pointers keep their targets within reach (those whose formulas name P
// are checked once all is placed; a target out of reach, and a text referring to a text
// without place, lose their place) and are written with their targets' offsets; strings that
// carry their length get their prefixes. The caller commits the image when bilan.ecrit is set
// and it is no simulation.
Insertion_jeu inserer(Insereur::Table_ins const& table, std::string const& script, Description const& jeu,
                      Options_insertion const& options, Insereur::Image_rom& image);
// The same with the shortest encoding of every text (encodage = "court"); the description
// declares no embedded pointers, whose references that encoding does not read.
Insertion_jeu inserer(Insereur::Table_courte const& table, std::string const& script, Description const& jeu,
                      Options_insertion const& options, Insereur::Image_rom& image);

}  // namespace Jeu
