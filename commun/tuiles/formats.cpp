#include "tuiles/formats.h"

#include <stdexcept>

namespace Tuiles {

namespace {

// The 8 × 8 tiles of the consoles, as each format's description gives them (byte offsets
// within one 8 × 8 tile; r = row, P = plane, px = pixel):
//   nes-2bpp   bytes 0-7 plane 0 of rows 0-7, bytes 8-15 plane 1              (16 bytes)
//   gb-2bpp    row r: byte 2r plane 0, byte 2r+1 plane 1                       (16 bytes)
//   ngp-2bpp   row r: a little-endian word, px 0 in bits 15-14 ... px 7 in bits 1-0
//   vb-2bpp    row r: a little-endian word, px 0 in bits 1-0 ... px 7 in bits 15-14
//   snes-4bpp  planes 0 and 1 as gb-2bpp in bytes 0-15, planes 2 and 3 likewise in 16-31
//   gba-4bpp   row r: bytes 4r..4r+3, px 2i in the low nibble of byte 4r+i
//   md-4bpp    row r: bytes 4r..4r+3, px 2i in the high nibble of byte 4r+i
//   sms-4bpp   row r: bytes 4r..4r+3, planes 0 to 3                             (32 bytes)
//   snes-8bpp  planes 2k and 2k+1 as gb-2bpp in bytes 16k..16k+15, k = 0..3     (64 bytes)
//   gba-8bpp   row r: bytes 8r..8r+7, one a pixel
// In every plane byte bit 7 is the leftmost pixel.
std::vector<Format> creer_formats() {
    auto plans = [](char const* nom, int bits, int paire, int bloc, int pas_ligne, int pas_plan) {
        Format f{nom, bits, Rangement::plans};
        f.paire = paire;
        f.bloc = bloc;
        f.pas_ligne = pas_ligne;
        f.pas_plan = pas_plan;
        return f;
    };
    auto lineaire = [](char const* nom, int bits, bool premier_en_haut, bool mots_16) {
        Format f{nom, bits, Rangement::lineaire};
        f.premier_en_haut = premier_en_haut;
        f.mots_16 = mots_16;
        return f;
    };
    Format douze{"1bpp-12", 1, Rangement::lignes_1bpp_serrees};
    douze.cote_fixe = 12;
    return {
        douze,
        Format{"1bpp", 1, Rangement::lignes_1bpp},
        plans("nes-2bpp", 2, 2, 0, 1, 8),
        plans("gb-2bpp", 2, 2, 0, 2, 1),
        lineaire("ngp-2bpp", 2, true, true),
        lineaire("vb-2bpp", 2, false, false),
        plans("snes-4bpp", 4, 2, 16, 2, 1),
        lineaire("gba-4bpp", 4, false, false),
        lineaire("md-4bpp", 4, true, false),
        plans("sms-4bpp", 4, 4, 0, 4, 1),
        plans("snes-8bpp", 8, 2, 16, 2, 1),
        lineaire("gba-8bpp", 8, true, false),
    };
}

constexpr int cote_8 = 8;

std::size_t octets_8x8(Format const& f) { return static_cast<std::size_t>(cote_8 * f.bits); }

std::size_t octets_par_ligne_1bpp(int largeur) { return static_cast<std::size_t>((largeur + 7) / 8); }

// Where the 8 × 8 tile s of a larger one lies in it, in pixels from its top-left corner.
void coin_8x8(Dimensions const& d, std::size_t s, int& x, int& y) {
    int const de_large = d.largeur / cote_8;
    int const de_haut = d.hauteur / cote_8;
    int const k = static_cast<int>(s);
    if (d.ordre == Ordre::lignes) {
        x = (k % de_large) * cote_8;
        y = (k / de_large) * cote_8;
    } else {
        x = (k / de_haut) * cote_8;
        y = (k % de_haut) * cote_8;
    }
}

std::size_t octet_de_plan(Format const& f, int plan, int ligne) {
    return static_cast<std::size_t>((plan / f.paire) * f.bloc + ligne * f.pas_ligne + (plan % f.paire) * f.pas_plan);
}

// A pixel's field in a linear row: its byte within the 8 × 8 tile and the shift of its bits.
void champ_lineaire(Format const& f, int x, int y, std::size_t& octet, int& decalage) {
    int const bit = (y * cote_8 + x) * f.bits;
    octet = static_cast<std::size_t>(bit / 8);
    if (f.mots_16) octet ^= 1;
    decalage = f.premier_en_haut ? 8 - f.bits - bit % 8 : bit % 8;
}

void decoder_8x8(Format const& f, unsigned char const* in, unsigned char* pixels, int pas) {
    if (f.rangement == Rangement::plans) {
        for (int y = 0; y < cote_8; ++y) {
            unsigned char* ligne = pixels + y * pas;
            for (int x = 0; x < cote_8; ++x) ligne[x] = 0;
            for (int p = 0; p < f.bits; ++p) {
                unsigned const octet = in[octet_de_plan(f, p, y)];
                for (int x = 0; x < cote_8; ++x)
                    ligne[x] = static_cast<unsigned char>(ligne[x] | ((octet >> (7 - x)) & 1u) << p);
            }
        }
        return;
    }
    unsigned const masque = (1u << f.bits) - 1;
    for (int y = 0; y < cote_8; ++y)
        for (int x = 0; x < cote_8; ++x) {
            std::size_t octet;
            int decalage;
            champ_lineaire(f, x, y, octet, decalage);
            pixels[y * pas + x] = static_cast<unsigned char>((in[octet] >> decalage) & masque);
        }
}

void encoder_8x8(Format const& f, unsigned char const* pixels, int pas, unsigned char* out) {
    for (std::size_t i = 0; i < octets_8x8(f); ++i) out[i] = 0;
    if (f.rangement == Rangement::plans) {
        for (int y = 0; y < cote_8; ++y)
            for (int p = 0; p < f.bits; ++p) {
                unsigned octet = 0;
                for (int x = 0; x < cote_8; ++x) octet |= ((pixels[y * pas + x] >> p) & 1u) << (7 - x);
                out[octet_de_plan(f, p, y)] = static_cast<unsigned char>(octet);
            }
        return;
    }
    unsigned const masque = (1u << f.bits) - 1;
    for (int y = 0; y < cote_8; ++y)
        for (int x = 0; x < cote_8; ++x) {
            std::size_t octet;
            int decalage;
            champ_lineaire(f, x, y, octet, decalage);
            out[octet] = static_cast<unsigned char>(out[octet] | (pixels[y * pas + x] & masque) << decalage);
        }
}

// The bit of pixel (x, y) in a one-bit tile, counted from the most significant bit of byte 0.
std::size_t bit_1bpp(Format const& f, Dimensions const& d, int x, int y) {
    if (f.rangement == Rangement::lignes_1bpp_serrees)
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(d.largeur) + static_cast<std::size_t>(x);
    return static_cast<std::size_t>(y) * octets_par_ligne_1bpp(d.largeur) * 8 + static_cast<std::size_t>(x);
}

void verifier_tailles(Format const& f, Dimensions const& d, std::size_t taille, std::size_t nb_pixels) {
    if (!accepte(f, d.largeur, d.hauteur)) throw std::invalid_argument("tile size the format does not take");
    if (taille != octets_tuile(f, d) ||
        nb_pixels != static_cast<std::size_t>(d.largeur) * static_cast<std::size_t>(d.hauteur))
        throw std::invalid_argument("buffer sizes do not match the tile");
}

}  // namespace

std::vector<Format> const& formats() {
    static std::vector<Format> const tous = creer_formats();
    return tous;
}

Format const* chercher_format(std::string_view nom) {
    for (Format const& f : formats())
        if (nom == f.nom) return &f;
    return nullptr;
}

std::string noms_des_formats() {
    std::string noms;
    for (Format const& f : formats()) noms += (noms.empty() ? "" : ", ") + std::string(f.nom);
    return noms;
}

int couleurs(Format const& format) { return 1 << format.bits; }

bool en_tuiles_8x8(Format const& format) {
    return format.rangement == Rangement::plans || format.rangement == Rangement::lineaire;
}

bool accepte(Format const& format, int largeur, int hauteur) {
    if (largeur < 1 || hauteur < 1 || largeur > cote_maximal || hauteur > cote_maximal) return false;
    if (format.cote_fixe != 0) return largeur == format.cote_fixe && hauteur == format.cote_fixe;
    if (en_tuiles_8x8(format)) return largeur % cote_8 == 0 && hauteur % cote_8 == 0;
    return true;
}

std::size_t octets_tuile(Format const& f, Dimensions const& d) {
    std::size_t const l = static_cast<std::size_t>(d.largeur);
    std::size_t const h = static_cast<std::size_t>(d.hauteur);
    switch (f.rangement) {
    case Rangement::lignes_1bpp: return octets_par_ligne_1bpp(d.largeur) * h;
    case Rangement::lignes_1bpp_serrees: return (l * h + 7) / 8;
    case Rangement::plans:
    case Rangement::lineaire: break;
    }
    return (l / cote_8) * (h / cote_8) * octets_8x8(f);
}

void decoder(Format const& f, Dimensions const& d, unsigned char const* octets, std::size_t taille,
             unsigned char* pixels, std::size_t nb_pixels) {
    verifier_tailles(f, d, taille, nb_pixels);
    if (en_tuiles_8x8(f)) {
        std::size_t const sous_tuiles = taille / octets_8x8(f);
        for (std::size_t s = 0; s < sous_tuiles; ++s) {
            int x, y;
            coin_8x8(d, s, x, y);
            decoder_8x8(f, octets + s * octets_8x8(f), pixels + static_cast<std::size_t>(y) * d.largeur + x,
                        d.largeur);
        }
        return;
    }
    for (int y = 0; y < d.hauteur; ++y)
        for (int x = 0; x < d.largeur; ++x) {
            std::size_t const bit = bit_1bpp(f, d, x, y);
            pixels[static_cast<std::size_t>(y) * d.largeur + x] =
                static_cast<unsigned char>((octets[bit / 8] >> (7 - bit % 8)) & 1u);
        }
}

void encoder(Format const& f, Dimensions const& d, unsigned char const* pixels, std::size_t nb_pixels,
             unsigned char* octets, std::size_t taille) {
    verifier_tailles(f, d, taille, nb_pixels);
    if (en_tuiles_8x8(f)) {
        std::size_t const sous_tuiles = taille / octets_8x8(f);
        for (std::size_t s = 0; s < sous_tuiles; ++s) {
            int x, y;
            coin_8x8(d, s, x, y);
            encoder_8x8(f, pixels + static_cast<std::size_t>(y) * d.largeur + x, d.largeur,
                        octets + s * octets_8x8(f));
        }
        return;
    }
    for (std::size_t i = 0; i < taille; ++i) octets[i] = 0;
    for (int y = 0; y < d.hauteur; ++y)
        for (int x = 0; x < d.largeur; ++x) {
            std::size_t const bit = bit_1bpp(f, d, x, y);
            octets[bit / 8] = static_cast<unsigned char>(
                octets[bit / 8] | (pixels[static_cast<std::size_t>(y) * d.largeur + x] & 1u) << (7 - bit % 8));
        }
}

}  // namespace Tuiles
