#pragma once

#include "pakrun/dictionary.h"

namespace pakrun {

// pkDecomp's answer when the compressed bytes end before the requested size is produced.
constexpr int pkInputExhausted = -1;

// The most that `packed` compressed bytes can expand to: every item takes at least one byte and
// yields at most longestMatch bytes.
constexpr long pkMostExpanded(long packed) { return packed * longestMatch; }

// Expands a compressed block into exactly `size` bytes of output, reading no more than the
// `available` bytes of input. Returns the number of compressed bytes consumed, 0 for a size
// of 0 or less, or pkInputExhausted when the block needs more bytes than were given.
// Writes nothing beyond out[size - 1]: what a last reference would produce past the size is
// dropped.
int pkDecomp(unsigned char const* in, int available, unsigned char* out, int size);

}  // namespace pakrun
