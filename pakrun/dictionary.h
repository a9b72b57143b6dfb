#pragma once
#include "pakrun/position-set.h"

namespace pakrun {

// The codec's sliding dictionary.
constexpr int ringSize = 256;
constexpr int ringStart = 0xEF;  // first write position: 256 - longestMatch
constexpr int longestMatch = 17;
constexpr int shortestMatch = 2;

// The 256-byte ring shared by the encoder and the decoder, all positions modulo 256, and for
// each byte value the set of positions that hold it, kept up to date by every write so that
// the encoder's match search visits only the candidates that can match. The decoder uses the
// same ring: the index costs it two bit operations per byte.
class Dictionary {
public:
    // All bytes 0.
    Dictionary();

    unsigned char at(int position) const { return bytes_[position & 0xFF]; }
    // Inline: every byte coded or decoded passes through here.
    void put(int position, unsigned char byte) {
        position &= 0xFF;
        positions_[bytes_[position]].erase(position);
        positions_[byte].insert(position);
        bytes_[position] = byte;
    }

    PositionSet const& positionsOf(unsigned char byte) const { return positions_[byte]; }

private:
    unsigned char bytes_[ringSize];
    PositionSet positions_[256];
};

}  // namespace pakrun
