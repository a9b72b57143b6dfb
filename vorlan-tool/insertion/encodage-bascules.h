#pragma once
#include <string>

#include "insertion/encodage.h"
#include "tables/extracteur-bascules.h"

namespace Insereur {

// Encodes a script for tables that switch, into the same texts as encoder() gives (split at
// the same pointer tags, unknown characters reported the same way), each in the fewest bytes
// that extraction, decoding them through the same stack of tables (Extracteur::Pile_tables,
// end tokens followed by a line feed when `fins` is set, as extraire writes them), reads back
// as exactly the text.
//
// A code is any key of any of the tables whose text comes next in the script, or the raw form
// "<XX>" of a byte. Which table reads a code is the decoder's business: the search keeps the
// decoder's state (its stack, and the bytes chosen that it cannot read yet because a longer
// key could still begin with them) and takes a code only where the decoder reads it back as
// that text. So a label in the script is its switch's code, the text after it is read in the
// table it names, a stay ends when the decoder would end it, and a code that a longer key or
// a return code would swallow is never taken. Before a code, the encoder may write up to two
// codes that stand for no text of the script: a switch of any table (whose label a later dump
// shows, since the bytes then hold it) or the code that ends the stay of the table on top;
// this is how a character that only another table holds is reached.
//
// The search keeps the 64 cheapest decoder states at each position, which real tables never
// reach. A character that no such encoding can hold is reported and skipped: the fewest characters
// are skipped first, then the fewest labels are added to what a dump shows, then the fewest
// bytes are written; among equally short encodings, the first
// one found taking at each step the code of longest text wins.
Encodage encoder_bascules(std::string const& script, Extracteur::Tables_ext const& tables, bool fins);

}  // namespace Insereur
