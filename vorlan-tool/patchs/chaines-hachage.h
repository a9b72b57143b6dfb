#pragma once
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
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
    // waits for memory overlap.
    void preparer(unsigned char const* cle) const { __builtin_prefetch(&tetes_[hacher(cle)]); }
    // The latest position entered whose 6 bytes may be those at `cle` (a hash match: the caller
    // compares), or `aucune`.
    std::uint32_t premiere(unsigned char const* cle) const { return tetes_[hacher(cle)]; }
    // The position entered before `position` in its bucket, or `aucune`.
    std::uint32_t suivante(std::uint32_t position) const { return maillons_[position].precedente; }
    // The 4 bytes after the key at `position` (byte 6 in the low bits), kept beside the chain so
    // that a search can tell how far a candidate matches without reading the buffer there.
    // Meaningless within 10 bytes of the buffer's end.
    std::uint32_t suite(std::uint32_t position) const { return maillons_[position].suite; }
    static std::uint32_t suite_de(unsigned char const* octets) {
        return std::uint32_t{octets[longueur_cle]} | std::uint32_t{octets[longueur_cle + 1]} << 8 |
               std::uint32_t{octets[longueur_cle + 2]} << 16 | std::uint32_t{octets[longueur_cle + 3]} << 24;
    }
    static constexpr std::size_t longueur_suivie = longueur_cle + 4;

private:
    std::uint32_t hacher(unsigned char const* cle) const {
        std::uint32_t bas;
        std::uint16_t haut;
        std::memcpy(&bas, cle, sizeof bas);
        std::memcpy(&haut, cle + sizeof bas, sizeof haut);
        return static_cast<std::uint32_t>(((std::uint64_t{haut} << 32 | bas) * 0x9E3779B97F4A7C15u) >> (64 - bits_));
    }

    std::vector<unsigned char> const& octets_;
    int bits_;
    std::vector<std::uint32_t> tetes_;
    struct Maillon {
        std::uint32_t precedente;
        std::uint32_t suite;
    };
    std::vector<Maillon> maillons_;
    std::size_t entrees_ = 0;
};

}  // namespace BPS
