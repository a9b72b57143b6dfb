// The tile tool's BMP reader on arbitrary files: header, pixel data, then the tiles the
// picture holds read back out of it.
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "tilmar/bmp-reader.h"
#include "tilmar/sheet.h"

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    std::vector<unsigned char> fichier(data, data + size);
    tilmar::Bmp_header entete;
    if (tilmar::read_bmp_header(fichier, entete) != tilmar::Bmp_header_check::ok) return 0;
    tilmar::Bitmap image;
    if (tilmar::read_bmp_pixels(fichier, entete, image) != tilmar::Bmp_pixels_check::ok) return 0;
    long long colonnes = image.width / 12;
    if (colonnes <= 0) return 0;
    long long tuiles = colonnes * (image.height / 12);
    try {
        tilmar::read_tiles(image, colonnes, tuiles);
        tilmar::read_tiles(image, colonnes, tuiles + 1);
    } catch (std::out_of_range const&) {
    }
    return 0;
}
