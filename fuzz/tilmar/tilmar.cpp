// The tile tool's BMP reader on arbitrary files: header, then the picture by its bits (1-bit
// files), by its indexes (up to 8 bits) and by its colours (every depth), matched to palettes,
// then the tiles each picture holds read back out of it.
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "tilmar/bmp-reader.h"
#include "tilmar/colour-classifier.h"
#include "tilmar/palette-match.h"
#include "tilmar/tile-sheet.h"

namespace {

// The tiles of the picture read back in the 12 x 12 form and in a console form.
void read_back_tiles(tilmar::Index_picture const& picture) {
    for (char const* format : {"1bpp-12", "snes-4bpp"}) {
        Tuiles::Format const* f = Tuiles::chercher_format(format);
        int const side = f->cote_fixe != 0 ? f->cote_fixe : 8;
        tilmar::Tile_layout const layout{f, Tuiles::Dimensions{side, side}};
        long long const columns = picture.width / side;
        if (columns <= 0) continue;
        long long const tiles = columns * (picture.height / side);
        try {
            tilmar::read_sheet(picture, layout, tiles);
            tilmar::read_sheet(picture, layout, tiles + 1);
        } catch (std::out_of_range const&) {
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    std::vector<unsigned char> const file(data, data + size);
    tilmar::Bmp_header header;
    if (tilmar::read_bmp_header(file, header) != tilmar::Bmp_header_check::ok) return 0;
    if (header.bits_per_pixel == 1) {
        tilmar::Bitmap bits;
        if (tilmar::read_bmp_pixels(file, header, bits) == tilmar::Bmp_pixels_check::ok)
            read_back_tiles(tilmar::bitmap_indexes(bits));
    }
    if (header.bits_per_pixel <= 8) {
        tilmar::Index_picture stored;
        tilmar::Colours palette;
        if (tilmar::read_bmp_indexes(file, header, stored, palette) == tilmar::Bmp_pixels_check::ok)
            read_back_tiles(tilmar::match_indexes(stored, palette, tilmar::grey_ramp(16)).picture);
    }
    tilmar::Colour_picture colours;
    if (tilmar::read_bmp_colours(file, header, colours) != tilmar::Bmp_pixels_check::ok) return 0;
    // A rule taken from the file itself, so that other colours than white and black are met.
    tilmar::Colour_rule const rule{file[size / 2] * 0x10101u, file[size - 1] * 0x10001u};
    read_back_tiles(tilmar::bitmap_indexes(tilmar::classify_colours(colours, rule)));
    read_back_tiles(tilmar::match_colours(colours, tilmar::grey_ramp(4)).picture);
    return 0;
}
