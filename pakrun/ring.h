#pragma once
#include "pakrun/dictionary.h"

namespace pakrun {

// How many consecutive bytes, at most longestMatch, are equal in the ring from a and from b.
int checkSequence(Dictionary const& ring, int a, int b);

// The longest match for the bytes at the coding position among the 239 positions behind it
// (length 0 to longestMatch); `best` gets its position, the nearest one among equals, or 0
// when no byte matches. A match may run into the coding position's own bytes and beyond.
int findSequence(Dictionary const& ring, int position, int& best);

// Copies count bytes inside the ring one at a time, so that a source just behind the
// destination repeats what was just written. Returns the destination position after the copy.
int copyDictionary(Dictionary& ring, int source, int destination, int count);

// Writes count bytes into the ring from the position on; returns the position after them.
int copyToDictionary(Dictionary& ring, int position, unsigned char const* bytes, int count);

}  // namespace pakrun
