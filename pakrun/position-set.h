#pragma once
#include <cstdint>

namespace pakrun {

// A set of ring positions (0 to 255), one bit each, so that the match search can intersect
// "where does this byte occur" sets in a few word operations.
class PositionSet {
public:
    // Positions 17 to 255: seen from a coding position j moved to 0, these are the 239
    // candidates j - 1 down to j - 239; 0 to 16 are j itself and its lookahead.
    static PositionSet candidates();
    static PositionSet all();

    void insert(int position) { words_[(position >> 6) & 3] |= bit(position); }
    void erase(int position) { words_[(position >> 6) & 3] &= ~bit(position); }
    bool contains(int position) const { return (words_[(position >> 6) & 3] & bit(position)) != 0; }
    bool empty() const { return (words_[0] | words_[1] | words_[2] | words_[3]) == 0; }

    // The highest position in the set, or -1 when it is empty.
    int highest() const;

    // Every position p moved to p - n, modulo 256.
    PositionSet shiftedDown(int n) const;

    PositionSet operator&(PositionSet const& other) const;

private:
    static std::uint64_t bit(int position) { return std::uint64_t{1} << (position & 63); }

    std::uint64_t words_[4] = {0, 0, 0, 0};
};

}  // namespace pakrun
