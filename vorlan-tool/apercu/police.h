#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "tuiles/formats.h"

// A game's font as its ROM holds it: one tile per character code from `premier` on, the tile
// of code c at adresse + (bytes of a tile) × (c − premier), in any tile format of commun's
// table; by default the 12 × 12 one-bit tiles of 18 bytes.
namespace Apercu {

constexpr int cote_glyphe = 12;
constexpr int octets_glyphe = 18;

// A 12 × 12 glyph as 12 pixel rows, top first; bit 11 of a row is its leftmost pixel, 1 is lit.
using Glyphe = std::array<std::uint16_t, cote_glyphe>;

// The format of the glyphs and how they are drawn.
struct Forme {
    Tuiles::Format const* format = &Tuiles::formats().front();
    Tuiles::Dimensions taille{cote_glyphe, cote_glyphe};
    int fond = 0;        // the index of a blank pixel; every other index is lit
    int interligne = 0;  // blank rows between two lines
};

// A width table in the ROM: one byte per code from `premier` on, at adresse + (c − premier).
struct Largeurs_rom {
    long long adresse = 0;
    int premier = 0;
};

class Police {
public:
    Police(std::vector<unsigned char> const& rom, long long adresse, int premier, Forme const& forme = Forme{},
           std::optional<Largeurs_rom> largeurs = std::nullopt);

    int premier() const { return premier_; }
    long long adresse() const { return adresse_; }
    std::size_t taille_rom() const { return rom_.size(); }
    int largeur() const { return forme_.taille.largeur; }
    int hauteur() const { return forme_.taille.hauteur; }
    // The distance between the tops of two lines.
    int pas_ligne() const { return forme_.taille.hauteur + forme_.interligne; }
    Forme const& forme() const { return forme_; }
    std::optional<Largeurs_rom> const& largeurs_rom() const { return largeurs_; }

    // True when the tile of the code lies wholly inside the ROM (and the code is not below
    // the font's first).
    bool contient(int code) const;
    // The lit pixels of the glyph of a code the font contains: largeur × hauteur bytes, rows
    // top first, 1 lit and 0 blank.
    std::vector<unsigned char> pixels(int code) const;
    // The glyph of a code a 12 × 12 font contains, as rows of bits.
    Glyphe glyphe(int code) const;
    // The code's width in the ROM's width table, when there is one and it holds the code.
    std::optional<int> largeur_rom(int code) const;

private:
    std::vector<unsigned char> const& rom_;
    long long adresse_;
    int premier_;
    Forme forme_;
    std::optional<Largeurs_rom> largeurs_;
    long long octets_;  // of one tile
};

}  // namespace Apercu
