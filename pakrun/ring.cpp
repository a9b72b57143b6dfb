#include "pakrun/ring.h"

namespace pakrun {

namespace {

// Bytes matched through the position sets before the remaining candidates are counted one
// by one. Beyond a few bytes few candidates are left, and counting them is cheaper.
constexpr int indexedBytes = 3;

}  // namespace

int checkSequence(Dictionary const& ring, int a, int b) {
    int count = 0;
    while (count < longestMatch && ring.at(a + count) == ring.at(b + count)) ++count;
    return count;
}

int findSequence(Dictionary const& ring, int position, int& best) {
    // Candidates are held as offsets t = candidate - position (modulo 256): the nearest
    // candidate, position - 1, is t = 255, so "nearest first" is "highest t first". A
    // candidate matches k bytes when ring[position + t + i] = ring[position + i] for each i < k.
    PositionSet left = PositionSet::candidates() & ring.positionsOf(ring.at(position)).shiftedDown(position);
    if (left.empty()) {
        best = 0;
        return 0;
    }
    int matched = 1;
    for (; matched < indexedBytes; ++matched) {
        int const at = position + matched;
        PositionSet const next = left & ring.positionsOf(ring.at(at)).shiftedDown(at);
        if (next.empty()) break;
        left = next;
    }
    if (matched < indexedBytes) {
        // Every candidate left matches exactly `matched` bytes: the nearest wins.
        best = (position + left.highest()) & 0xFF;
        return matched;
    }
    // Same rule as a scan of all 239 candidates, nearest first: only a strictly longer match
    // replaces the best one, and a full-length match ends the search.
    int length = 0;
    for (int t = left.highest(); t >= 0; t = left.highest()) {
        left.erase(t);
        int const candidate = (position + t) & 0xFF;
        int const count = checkSequence(ring, candidate, position);
        if (count > length) {
            length = count;
            best = candidate;
            if (length == longestMatch) break;
        }
    }
    return length;
}

int copyDictionary(Dictionary& ring, int source, int destination, int count) {
    for (int i = 0; i < count; ++i) ring.put(destination + i, ring.at(source + i));
    return (destination + count) & 0xFF;
}

int copyToDictionary(Dictionary& ring, int position, unsigned char const* bytes, int count) {
    for (int i = 0; i < count; ++i) ring.put(position + i, bytes[i]);
    return (position + count) & 0xFF;
}

}  // namespace pakrun
