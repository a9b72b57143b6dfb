// Every tile codec on arbitrary bytes: the first byte picks the format, the next two the tile's
// width and height in units of 8 pixels (the fixed side for 1bpp-12, any side up to 64 for
// 1bpp) and the order of its 8 x 8 tiles; the rest is tiles. Each tile decodes to indexes the
// format holds and encodes back to its own bytes (rows whose width leaves padding bits round-trip
// by their pixels instead).
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "tuiles/formats.h"

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    if (size < 3) return 0;
    std::vector<Tuiles::Format> const& formats = Tuiles::formats();
    Tuiles::Format const& f = formats[data[0] % formats.size()];
    Tuiles::Dimensions d;
    if (f.cote_fixe != 0) {
        d.largeur = d.hauteur = f.cote_fixe;
    } else if (Tuiles::en_tuiles_8x8(f)) {
        d.largeur = 8 * (data[1] % 4 + 1);
        d.hauteur = 8 * (data[2] % 4 + 1);
    } else {
        d.largeur = data[1] % 64 + 1;
        d.hauteur = data[2] % 64 + 1;
    }
    d.ordre = data[1] & 0x80 ? Tuiles::Ordre::colonnes : Tuiles::Ordre::lignes;
    std::size_t const octets = Tuiles::octets_tuile(f, d);
    std::vector<unsigned char> pixels(static_cast<std::size_t>(d.largeur * d.hauteur));
    std::vector<unsigned char> encore(octets);
    std::vector<unsigned char> pixels_encore(pixels.size());
    bool const remplissage = f.rangement == Tuiles::Rangement::lignes_1bpp && d.largeur % 8 != 0;
    for (std::size_t at = 3; at + octets <= size; at += octets) {
        Tuiles::decoder(f, d, data + at, octets, pixels.data(), pixels.size());
        for (unsigned char p : pixels)
            if (p >= Tuiles::couleurs(f)) std::abort();
        Tuiles::encoder(f, d, pixels.data(), pixels.size(), encore.data(), encore.size());
        if (remplissage) {
            Tuiles::decoder(f, d, encore.data(), encore.size(), pixels_encore.data(), pixels_encore.size());
            if (pixels_encore != pixels) std::abort();
        } else if (!std::equal(encore.begin(), encore.end(), data + at)) {
            std::abort();
        }
    }
    return 0;
}
