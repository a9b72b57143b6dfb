// The tile tool's BMP reader on arbitrary files: header, then the picture by its bits (1-bit
// files) and by its colours (every depth), then the tiles each picture holds read back out of it.
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "tilmar/bmp-reader.h"
#include "tilmar/colour-classifier.h"
#include "tilmar/sheet.h"

namespace {

void read_back_tiles(tilmar::Bitmap const& picture) {
    long long const columns = picture.width / 12;
    if (columns <= 0) return;
    long long const tiles = columns * (picture.height / 12);
    try {
        tilmar::read_tiles(picture, columns, tiles);
        tilmar::read_tiles(picture, columns, tiles + 1);
    } catch (std::out_of_range const&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    std::vector<unsigned char> const file(data, data + size);
    tilmar::Bmp_header header;
    if (tilmar::read_bmp_header(file, header) != tilmar::Bmp_header_check::ok) return 0;
    if (header.bits_per_pixel == 1) {
        tilmar::Bitmap bits;
        if (tilmar::read_bmp_pixels(file, header, bits) == tilmar::Bmp_pixels_check::ok) read_back_tiles(bits);
    }
    tilmar::Colour_picture colours;
    if (tilmar::read_bmp_colours(file, header, colours) != tilmar::Bmp_pixels_check::ok) return 0;
    // A rule taken from the file itself, so that other colours than white and black are met.
    tilmar::Colour_rule const rule{file[size / 2] * 0x10101u, file[size - 1] * 0x10001u};
    read_back_tiles(tilmar::classify_colours(colours, rule));
    return 0;
}
