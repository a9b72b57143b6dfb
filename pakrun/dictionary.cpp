#include "pakrun/dictionary.h"

namespace pakrun {

Dictionary::Dictionary() : bytes_{} { positions_[0] = PositionSet::all(); }

void Dictionary::put(int position, unsigned char byte) {
    position &= 0xFF;
    positions_[bytes_[position]].erase(position);
    positions_[byte].insert(position);
    bytes_[position] = byte;
}

}  // namespace pakrun
