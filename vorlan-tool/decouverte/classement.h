#pragma once
#include <vector>

#include "decouverte/series.h"

// Which of the runs the pointer finder proposes, and in what order.
namespace Decouverte {

// Best first: more distinct starts reached; then fewer misses; then the wider pointer (a 4-byte
// GBA pointer over the 3-byte reading of its low bytes); then fewer slots (fewer repeats of a
// start); then bytes in a row over a split table; the smaller stride; the mapping in the order
// of Correspondance; little-endian; the lower offset; and the remaining parameters, so that
// the order is total and the result the same whatever the order runs come in.
bool meilleure(Recherche const& r, Serie const& a, Serie const& b);

// The runs kept, best first. Each slot byte belongs to one kept run at most: the best reading
// of some bytes wins, and a run sharing bytes with a better one is cut down to its pieces that
// do not (each again starting and ending on a slot that designates a start, and kept if it
// still reaches `minimum` starts). So the same table seen at twice its stride,
// the low bytes of its pointers read as shorter ones, or its bytes read in the other order,
// give nothing more. A split run that would use a byte twice (its high bytes' table among its
// own low bytes) is cut first.
std::vector<Serie> retenir(Recherche const& r, std::vector<Serie> candidates, int minimum);

}  // namespace Decouverte
