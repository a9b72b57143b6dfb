#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "patchs/bps-format.h"

// Writing a BPS patch that turns a source ROM into a target.
namespace BPS {

enum class Statut_creation {
    ok,
    trop_grand,  // the source or the target is over taille_maximale (1 GiB)
};

struct Creation {
    Statut_creation statut = Statut_creation::ok;
    std::vector<unsigned char> patch;  // empty unless ok
    // Actions written and target bytes they make, by kind (indexed by Genre).
    std::uint64_t actions[4] = {};
    std::uint64_t octets[4] = {};
};

// The patch that turns `source` into `cible`, with `metadonnees` carried as they are. The
// actions are those of the fewest patch bytes the encoder finds: an optimal parse over the
// encoded size of each action (its number, its offset move, its literal bytes), weighing at
// each output offset the source at the same offset (SourceRead), copies where the source and
// output offsets already point or a short move away, and the longest matches anywhere in the
// source or in the output written so far (SourceCopy, TargetCopy, overlapping copies included)
// found by a suffix array; bytes that nothing pays for are literals (TargetRead).
Creation creer(std::vector<unsigned char> const& source, std::vector<unsigned char> const& cible,
               std::vector<unsigned char> const& metadonnees = {});

}  // namespace BPS
