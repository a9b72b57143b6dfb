#pragma once
#include <array>
#include <cstdint>
#include <vector>

// A game's font as its ROM holds it: 12 × 12 one-bit tiles of 18 bytes, one per character
// code from `premier` on, the tile of code c at adresse + 18 × (c − premier).
namespace Apercu {

constexpr int cote_glyphe = 12;
constexpr int octets_glyphe = 18;

// A glyph as 12 pixel rows, top first; bit 11 of a row is its leftmost pixel, 1 is lit.
using Glyphe = std::array<std::uint16_t, cote_glyphe>;

class Police {
public:
    Police(std::vector<unsigned char> const& rom, long long adresse, int premier)
        : rom_(rom), adresse_(adresse), premier_(premier) {}

    int premier() const { return premier_; }
    long long adresse() const { return adresse_; }
    std::size_t taille_rom() const { return rom_.size(); }
    // True when the tile of the code lies wholly inside the ROM (and the code is not below
    // the font's first).
    bool contient(int code) const;
    // The glyph of a code the font contains.
    Glyphe glyphe(int code) const;

private:
    std::vector<unsigned char> const& rom_;
    long long adresse_;
    int premier_;
};

}  // namespace Apercu
