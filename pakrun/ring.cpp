#include "pakrun/ring.h"

namespace pakrun {

int checkSequence(Dictionary const& ring, int a, int b) {
    int count = 0;
    while (count < longestMatch && ring.at(a + count) == ring.at(b + count)) ++count;
    return count;
}

int findSequence(Dictionary const& ring, int position, int& best) {
    position &= 0xFF;
    // `reached` holds, for every candidate c whose first `matched` bytes match, the position
    // c + matched - 1 of its last matching byte: one more byte is then a shift by one and an
    // intersection with where that byte occurs. The candidates are every position but the
    // coding position and the 16 after it.
    PositionSet reached = ring.positionsOf(ring.at(position)).without(position, longestMatch);
    if (reached.empty()) {
        best = 0;
        return 0;
    }
    int matched = 1;
    while (matched < longestMatch && !reached.single()) {
        PositionSet const next = reached.shiftedUpByOne() & ring.positionsOf(ring.at(position + matched));
        if (next.empty()) break;
        reached = next;
        ++matched;
    }
    // The nearest candidate wins, as in a scan from position - 1 down that keeps only strictly
    // longer matches: its last matching byte is the first found going down from
    // position - 1 + matched - 1.
    int const lastByte = matched - 1;
    best = (reached.nearestDownFrom(position - 1 + lastByte) - lastByte) & 0xFF;
    // A lone candidate wins with all it matches; otherwise every candidate left matches
    // exactly `matched` bytes.
    return reached.single() ? checkSequence(ring, best, position) : matched;
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
