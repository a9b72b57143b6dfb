#include "pakrun/position-set.h"

namespace pakrun {

PositionSet PositionSet::candidates() {
    PositionSet set = all();
    set.words_[0] &= ~std::uint64_t{0x1FFFF};
    return set;
}

PositionSet PositionSet::all() {
    PositionSet set;
    for (auto& word : set.words_) word = ~std::uint64_t{0};
    return set;
}

int PositionSet::highest() const {
    for (int w = 3; w >= 0; --w) {
        if (words_[w] != 0) return w * 64 + 63 - __builtin_clzll(words_[w]);
    }
    return -1;
}

PositionSet PositionSet::shiftedDown(int n) const {
    // Bit t of the result is bit t + n of this set: a rotation of the 256 bits.
    n &= 255;
    int const wordShift = n >> 6;
    int const bitShift = n & 63;
    PositionSet result;
    for (int w = 0; w < 4; ++w) {
        std::uint64_t const low = words_[(w + wordShift) & 3];
        std::uint64_t const high = words_[(w + wordShift + 1) & 3];
        result.words_[w] = bitShift == 0 ? low : (low >> bitShift) | (high << (64 - bitShift));
    }
    return result;
}

PositionSet PositionSet::operator&(PositionSet const& other) const {
    PositionSet result;
    for (int w = 0; w < 4; ++w) result.words_[w] = words_[w] & other.words_[w];
    return result;
}

}  // namespace pakrun
