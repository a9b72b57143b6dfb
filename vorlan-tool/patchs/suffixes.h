#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// The suffix array of the source and the target together, for the BPS encoder's longest
// matches. Of all the positions before a target offset (the source's, and the target's already
// written), the one sharing the longest start with it is its nearest neighbour among them in
// sorted order, above or below: two such neighbours give the longest match in either buffer,
// wherever it lies.
namespace BPS {

class Suffixes {
public:
    // Positions whose `exclu` byte is 1 (one per source byte, then one per target byte) stay
    // out of the array: the encoder leaves out what it reads from the source in place.
    Suffixes(std::vector<unsigned char> const& source, std::vector<unsigned char> const& cible,
             std::vector<unsigned char> const& exclu);

    // Past the nearest neighbour, the next ones share a shorter start but may lie nearer the
    // offsets the encoder holds, which makes them cheaper.
    static constexpr int voisins_par_cote = 1;

    struct Voisin {
        bool dans_source = false;
        std::uint32_t position = 0;
    };
    static constexpr int voisins_max = 2 * voisins_par_cote;
    // The neighbours of target offset `i` (each a source position or a target position below
    // `i`), nearest first on each side, within a bounded walk of the sorted order; their count.
    int voisins(std::size_t i, Voisin (&sortie)[voisins_max]) const;
    // Fetches what voisins reads first for offset `i`, so that its wait for memory overlaps the
    // work before it.
    void preparer(std::size_t i) const {
        if (i < rang_.size() && rang_[i] != aucun) __builtin_prefetch(&trie_[rang_[i]]);
    }

private:
    static constexpr std::uint32_t bit_cible = std::uint32_t{1} << 31;
    static constexpr std::uint32_t aucun = UINT32_MAX;

    std::vector<std::uint32_t> trie_;  // the offsets kept in sorted order, bit_cible on the target's
    std::vector<std::uint32_t> rang_;  // for each target offset, its rank in trie_, or aucun
};

}  // namespace BPS
