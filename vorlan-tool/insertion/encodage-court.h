#pragma once
#include <string>

#include "insertion/encodage.h"
#include "insertion/table-courte.h"

namespace Insereur {

// Encodes a script in the fewest bytes the table allows, into the same texts as encoder()
// gives (split at the same pointer tags, long entries and unknown characters recorded the
// same way), so that an insertion can take either.
//
// Every text between tags is encoded on its own: each code is an entry of the insertion
// table whose text comes next in the script, and the codes must read back as themselves,
// one by one, when extraction decodes the text's bytes by longest key (see automate-cles.h):
// a shorter encoding that would read back as other text is never taken. An end token or a
// line break may read back with one final line feed more or less, and a raw form "<XX>"
// stands for its byte whatever key that byte is, as long as no unit of the reading moves.
// A character that no such encoding can hold is reported, as encoder() reports an unknown
// one, and skipped: the fewest characters are skipped first, then the fewest bytes written.
// Among encodings of equally few bytes, the one whose first code covers the longest text is
// taken, then the same from there on: where longest match gives one of the shortest faithful
// encodings, it is the one given.
//
// A pointer tag ("<PT" digits ">" LF) that longest match would read where it stands, no table
// text there being longer, cuts the script: no code covers part of it. References to other
// texts ("<#PT" digits ">") are not read: the texts' renvois stay empty.
Encodage encoder_court(std::string const& script, Table_courte const& table);

}  // namespace Insereur
