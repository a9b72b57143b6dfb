#pragma once
#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

#include "jeu/description.h"

namespace Jeu {

// A stretch of free room of one block: [debut, fin) of ROM offsets, filled from the start.
struct Segment {
    std::size_t bloc = 0;  // index into the description's espace
    long long debut = 0;
    long long fin = 0;
    long long curseur = 0;  // where the next text would go

    long long libre() const { return fin - curseur; }
};

// Where each text goes, whole: a position inside one segment, or nothing when it found none.
// `atteignable(t, q)` tells whether every pointer of text t can designate offset q.
//  - ordre: texts in their order, each at the current segment's cursor if it fits and can be
//    reached there, else at the first later one where it does; never back to an earlier one.
//  - compact: largest text first (equal sizes in their order), each into the segment with the
//    least room left that still holds it where it can be reached (best fit decreasing); the
//    texts that fewer segments can hold and reach come before the others.
// The segments' cursors are left after what was placed in them.
std::vector<std::optional<long long>> placer(std::vector<long long> const& tailles, std::vector<Segment>& segments,
                                             Mode_placement mode,
                                             std::function<bool(std::size_t, long long)> const& atteignable);

}  // namespace Jeu
