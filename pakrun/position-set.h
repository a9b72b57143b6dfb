#pragma once
#include <cstdint>

namespace pakrun {

// A set of ring positions (0 to 255), one bit each, so that the match search can intersect
// "where does this byte occur" sets in a few word operations. Defined here in full: the
// search uses it several times per coded byte, and the calls must inline.
class PositionSet {
public:
    static PositionSet all() { return PositionSet(~std::uint64_t{0}, ~std::uint64_t{0}, ~std::uint64_t{0}, ~std::uint64_t{0}); }

    PositionSet() = default;

    // Without the `count` positions (fewer than 64) from `first` on, modulo 256.
    PositionSet without(int first, int count) const {
        PositionSet result = *this;
        std::uint64_t const run = (std::uint64_t{1} << count) - 1;
        int const word = (first >> 6) & 3;
        int const shift = first & 63;
        result.words_[word] &= ~(run << shift);
        if (shift != 0) result.words_[(word + 1) & 3] &= ~(run >> (64 - shift));
        return result;
    }

    void insert(int position) { words_[(position >> 6) & 3] |= bit(position); }
    void erase(int position) { words_[(position >> 6) & 3] &= ~bit(position); }
    bool contains(int position) const { return (words_[(position >> 6) & 3] & bit(position)) != 0; }
    bool empty() const { return (words_[0] | words_[1] | words_[2] | words_[3]) == 0; }

    // Exactly one position in the set: a single bit among the words, held by one word only.
    bool single() const {
        std::uint64_t const any = words_[0] | words_[1] | words_[2] | words_[3];
        bool const oneWord = ((words_[0] | words_[1]) & (words_[2] | words_[3])) == 0 &&
                             (words_[0] & words_[1]) == 0 && (words_[2] & words_[3]) == 0;
        return any != 0 && (any & (any - 1)) == 0 && oneWord;
    }

    // The first position found going down from `start`, past 0 on to 255; -1 when the set is
    // empty.
    int nearestDownFrom(int start) const {
        int const word = (start >> 6) & 3;
        int const shift = start & 63;
        std::uint64_t const atOrBelow = shift == 63 ? ~std::uint64_t{0} : (std::uint64_t{2} << shift) - 1;
        if ((words_[word] & atOrBelow) != 0) return word * 64 + highestBit(words_[word] & atOrBelow);
        for (int step = 1; step < 4; ++step) {
            int const w = (word - step) & 3;
            if (words_[w] != 0) return w * 64 + highestBit(words_[w]);
        }
        if ((words_[word] & ~atOrBelow) != 0) return word * 64 + highestBit(words_[word] & ~atOrBelow);
        return -1;
    }

    // Every position p moved to p + 1, modulo 256.
    PositionSet shiftedUpByOne() const {
        return PositionSet((words_[0] << 1) | (words_[3] >> 63), (words_[1] << 1) | (words_[0] >> 63),
                           (words_[2] << 1) | (words_[1] >> 63), (words_[3] << 1) | (words_[2] >> 63));
    }

    PositionSet operator&(PositionSet const& other) const {
        return PositionSet(words_[0] & other.words_[0], words_[1] & other.words_[1], words_[2] & other.words_[2],
                           words_[3] & other.words_[3]);
    }

private:
    PositionSet(std::uint64_t w0, std::uint64_t w1, std::uint64_t w2, std::uint64_t w3) : words_{w0, w1, w2, w3} {}

    static int highestBit(std::uint64_t word) { return 63 - __builtin_clzll(word); }

    static std::uint64_t bit(int position) { return std::uint64_t{1} << (position & 63); }

    std::uint64_t words_[4] = {0, 0, 0, 0};
};

}  // namespace pakrun
