#pragma once
#include <cstdint>
#include <utility>
#include <vector>

// The string starts indexed once for the pointer finder: which offsets are starts, the
// distances between consecutive starts (tables in string order step by them), and for banked
// pointers the banks that hold a start at each position within a bank.
namespace Decouverte {

class Index_debuts {
public:
    // Starts outside the ROM are left out; the others sorted, each once.
    Index_debuts(std::vector<long long> const& debuts, long long taille_rom);

    // Most offsets a scan tries lie in pages of the ROM that hold no start: one bit per page,
    // small enough to stay in cache, answers them.
    // Without a branch up to the page's bit: whether o lies in the ROM at all is as hard to
    // foresee as the rest.
    bool est_debut(long long o) const {
        auto const u = static_cast<std::uint64_t>(o);
        bool const dedans = u < static_cast<std::uint64_t>(taille_rom_);
        std::uint64_t const page = dedans ? u >> 12 : 0;
        if (((pages_[page >> 6] >> (page & 63)) & static_cast<std::uint64_t>(dedans)) == 0) return false;
        return (carte_[u >> 6] >> (u & 63) & 1) != 0;
    }
    std::vector<long long> const& debuts() const { return debuts_; }
    long long taille_rom() const { return taille_rom_; }

    // Distances between consecutive starts are looked up below this bound only: larger ones,
    // between ranges of text, are too few to find a table from.
    static constexpr long long ecart_max = 0x10000;
    bool ecart_consecutif(long long d) const {
        return d > 0 && d < ecart_max && (ecarts_[static_cast<std::size_t>(d >> 6)] >> (d & 63) & 1) != 0;
    }
    // The j for which start j + 1 lies `a` bytes after start j and start j + 2 `b` bytes
    // after start j + 1, ascending.
    std::vector<int> paires(long long a, long long b) const;
    bool paire(long long a, long long b) const;

private:
    long long taille_rom_;
    std::vector<long long> debuts_;
    std::vector<std::uint64_t> pages_;    // one bit per 4 KiB of the ROM
    std::vector<std::uint64_t> carte_;    // one bit per ROM offset
    std::vector<std::uint64_t> ecarts_;   // one bit per distance below ecart_max
    std::vector<std::pair<std::uint32_t, int>> paires_;  // (a << 16 | b, j), sorted
};

// For banks of `periode` bytes after a header of `entete`: the ROM offsets of the banks that
// hold a start at each position within a bank.
class Index_banques {
public:
    Index_banques(std::vector<long long> const& debuts, long long periode, long long entete);

    long long periode() const { return periode_; }
    int bits_periode() const { return bits_periode_; }  // periode is a power of 2
    long long entete() const { return entete_; }
    // Whether some bank holds a start at `dans_banque` (below periode): a bit per position,
    // looked at before the bases.
    bool occupee(long long dans_banque) const {
        return (occupees_[static_cast<std::size_t>(dans_banque >> 6)] >> (dans_banque & 63) & 1) != 0;
    }
    // The bases (bank offsets, header included) holding a start at `dans_banque`, ascending.
    std::pair<long long const*, long long const*> bases(long long dans_banque) const {
        auto const q = static_cast<std::size_t>(dans_banque);
        return {bases_.data() + premiers_[q], bases_.data() + premiers_[q + 1]};
    }

private:
    long long periode_;
    int bits_periode_ = 0;
    long long entete_;
    std::vector<std::uint64_t> occupees_;
    std::vector<std::uint32_t> premiers_;  // periode + 1 entries into bases_
    std::vector<long long> bases_;
};

}  // namespace Decouverte
