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

// The patch that turns `source` into `cible`, with `metadonnees` carried as they are. Each step
// takes, of the matches found at the output position, the one that saves the most patch bytes
// (its length less the encoded size of its action and offset move): the source at the same
// offset (SourceRead), the source or the output where their offsets already point, or the
// nearest positions with the same first 6 bytes in the source (SourceCopy) or in the output
// written so far (TargetCopy, overlapping copies included). A short match that waiting one byte
// improves is put off; bytes that match nothing are literals (TargetRead).
Creation creer(std::vector<unsigned char> const& source, std::vector<unsigned char> const& cible,
               std::vector<unsigned char> const& metadonnees = {});

}  // namespace BPS
