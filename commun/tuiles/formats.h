#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The tile formats games store their fonts and graphics in, shared by Tilmar and the preview.
// A tile is decoded into one colour index a pixel (rows top first, left to right) and encoded
// back from them; both directions work on byte buffers whose sizes they check.
namespace Tuiles {

// How the bytes of one tile are laid out.
enum class Rangement {
    lignes_1bpp,         // rows of ceil(w / 8) bytes, most significant bit leftmost
    lignes_1bpp_serrees, // rows packed without padding, most significant bit leftmost
    plans,               // 8 × 8 tiles: one byte a row and a bit plane, bit 7 leftmost
    lineaire,            // 8 × 8 tiles: the pixels of each row packed in `bits`-bit fields
};

struct Format {
    char const* nom;
    int bits;  // bits per pixel
    Rangement rangement;
    int cote_fixe = 0;  // the only width and height the format takes, or 0
    // plans: the byte of plane p in row y lies at
    //   (p / paire) × bloc + y × pas_ligne + (p % paire) × pas_plan
    int paire = 0;
    int bloc = 0;
    int pas_ligne = 0;
    int pas_plan = 0;
    // lineaire: the leftmost pixel of a byte in its high bits (else its low bits), and the
    // two bytes of each 16-bit word swapped (rows stored as little-endian words).
    bool premier_en_haut = false;
    bool mots_16 = false;
};

// The order of the 8 × 8 tiles that make a larger tile: left to right then top to bottom, or
// top to bottom then left to right.
enum class Ordre { lignes, colonnes };

struct Dimensions {
    int largeur = 8;
    int hauteur = 8;
    Ordre ordre = Ordre::lignes;
};

// The largest width and height a tile may have: far beyond any font, small enough that no
// size computed from it overflows.
constexpr int cote_maximal = 1024;

// Every format, the default one (12 × 12 one-bit tiles) first.
std::vector<Format> const& formats();
// The format of that name, or null.
Format const* chercher_format(std::string_view nom);
// The names of every format, separated by ", ".
std::string noms_des_formats();

// The number of colours of a format: 2 to the power of its bits.
int couleurs(Format const& format);
// Whether the format's tiles are made of 8 × 8 tiles (so that their order matters).
bool en_tuiles_8x8(Format const& format);
// Whether the format takes tiles of this size: its fixed side, any side up to cote_maximal
// for the one-bit rows, multiples of 8 for the others.
bool accepte(Format const& format, int largeur, int hauteur);
// The bytes one tile takes; the size must be one the format accepts.
std::size_t octets_tuile(Format const& format, Dimensions const& dimensions);

// Decodes one tile of `taille` bytes (octets_tuile) into `nb_pixels` indexes (largeur × hauteur).
// Throws std::invalid_argument when a size does not match.
void decoder(Format const& format, Dimensions const& dimensions, unsigned char const* octets, std::size_t taille,
             unsigned char* pixels, std::size_t nb_pixels);
// Encodes one tile from its indexes (the bits above the format's are ignored).
void encoder(Format const& format, Dimensions const& dimensions, unsigned char const* pixels, std::size_t nb_pixels,
             unsigned char* octets, std::size_t taille);

}  // namespace Tuiles
