#pragma once
#include <cstddef>
#include <vector>

#include "insertion/encodage.h"

namespace Insereur {

// Where the texts of a script go in the ROM.
struct Placement {
    struct Place {
        int position;        // the offset its pointers designate
        std::size_t ecrits;  // how many of its bytes are written there
    };

    std::vector<Place> places;   // one per text, in script order
    int fin_ecrite = 0;          // just after the last byte written
    bool debordement = false;    // some text did not fit
    long long manquants = 0;     // bytes that did not fit, when it overflowed
};

// The texts one after another from `debut`, in script order, within debut..fin (inclusive).
// Once an entry does not fit, no further byte is written, even of smaller texts: the pointers
// of every later text designate where writing stopped, and `manquants` counts every byte
// left out beyond the room.
Placement placer_a_la_suite(Encodage const& encodage, int debut, int fin);

}  // namespace Insereur
