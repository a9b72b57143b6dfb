#pragma once
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace BPS {

// The positions of one buffer by the 6 bytes that start there: each hash bucket is a chain from
// the latest position entered back to the first, so that a search meets the nearest ones first
// and can stop after a bounded number. Positions are entered in increasing order, all at once
// for a buffer searched whole, or as the encoder moves on for the output written so far.
class Chaines_hachage {
public:
    // Six bytes, not four: a copy of text costs 3 to 4 bytes of patch, so shorter matches save
    // little, and chains of longer keys hold only positions worth trying.
    static constexpr std::size_t longueur_cle = 6;
    static constexpr std::uint32_t aucune = UINT32_MAX;

    // Buffers up to taille_maximale (1 GiB), whose positions fit 32 bits with room for `aucune`.
    explicit Chaines_hachage(std::vector<unsigned char> const& octets);

    // Enters every position below `fin` not entered yet that has 6 bytes from it.
    void entrer_jusqua(std::size_t fin);
    // Leaves out the positions below `fin` not entered yet.
    void sauter_jusqua(std::size_t fin) { entrees_ = std::max(entrees_, fin); }

    // Fetches the bucket of the 6 bytes at `cle` ahead of premiere(), so that the two tables'
    // waits for memory overlap. `disponible` bytes are readable from `cle` (at least 6).
    void preparer(unsigned char const* cle, std::size_t disponible) const {
        __builtin_prefetch(&tetes_[hacher(cle, disponible)]);
    }
    // The latest position entered whose 6 bytes may be those at `cle` (a hash match: the caller
    // compares), or `aucune`.
    std::uint32_t premiere(unsigned char const* cle, std::size_t disponible) const {
        return tetes_[hacher(cle, disponible)];
    }
    // The position entered before `position` in its bucket, or `aucune`.
    std::uint32_t suivante(std::uint32_t position) const { return precedentes_[position]; }

private:
    std::uint32_t hacher(unsigned char const* cle, std::size_t disponible) const;

    std::vector<unsigned char> const& octets_;
    int bits_;
    std::vector<std::uint32_t> tetes_;
    std::vector<std::uint32_t> precedentes_;
    std::size_t entrees_ = 0;
};

}  // namespace BPS
