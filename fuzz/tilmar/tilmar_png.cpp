// The tile tool's PNG reader on arbitrary files: header, colours, the tiles the picture holds
// read back out of it; then the picture of bits written as a PNG file and read again, which
// must give the same bits. Each input is read as it is and with its chunks' CRCs made right,
// so that mutations reach libpng's decoding instead of stopping at the CRC check.
#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <vector>

#include "tilmar/colour-classifier.h"
#include "tilmar/palette-match.h"
#include "tilmar/png-reader.h"
#include "tilmar/png-writer.h"
#include "tilmar/tile-sheet.h"

namespace {

// The harness's own bound: a few bytes of PNG may announce pictures of gigabytes.
constexpr long long largest_picture = 1 << 22;  // pixels

std::vector<unsigned char> with_right_crcs(std::vector<unsigned char> file) {
    std::size_t at = 8;
    while (at + 12 <= file.size()) {
        std::size_t const length = std::size_t{file[at]} << 24 | std::size_t{file[at + 1]} << 16 |
                                   std::size_t{file[at + 2]} << 8 | file[at + 3];
        if (length > file.size() - at - 12) break;
        uLong const crc = crc32_z(crc32(0L, Z_NULL, 0), file.data() + at + 4, length + 4);
        for (int i = 0; i < 4; ++i) file[at + 8 + length + i] = static_cast<unsigned char>(crc >> (24 - 8 * i));
        at += 12 + length;
    }
    return file;
}

tilmar::Bitmap read_bits(std::vector<unsigned char> const& file, tilmar::Colour_rule const& rule) {
    tilmar::Colour_picture colours;
    if (tilmar::read_png_colours(file, colours).check != tilmar::Png_check::ok) return {};
    return tilmar::classify_colours(colours, rule);
}

void read_png(std::vector<unsigned char> const& file) {
    tilmar::Png_header header;
    if (tilmar::read_png_header(file, header).check != tilmar::Png_check::ok) return;
    if (header.width * header.height > largest_picture) return;
    tilmar::Colour_rule const rule;
    tilmar::Bitmap const bits = read_bits(file, rule);
    if (bits.width == 0) return;

    tilmar::Index_picture const indexes = tilmar::bitmap_indexes(bits);
    tilmar::Tile_layout const layout{&Tuiles::formats().front(), Tuiles::Dimensions{12, 12}};
    long long const columns = bits.width / 12;
    if (columns > 0) {
        long long const tiles = columns * (bits.height / 12);
        try {
            tilmar::read_sheet(indexes, layout, tiles);
            tilmar::read_sheet(indexes, layout, tiles + 1);
        } catch (std::out_of_range const&) {
        }
    }

    tilmar::Png_encoding const written = tilmar::write_png(indexes, tilmar::Colours{0x000000, 0xFFFFFF});
    if (!written.failure.empty()) std::abort();
    tilmar::Bitmap const again = read_bits(written.file, rule);
    if (again.width != bits.width || again.height != bits.height || tilmar::bitmap_indexes(again).indexes != indexes.indexes)
        std::abort();
    if (header.palette) {
        tilmar::Index_picture stored;
        tilmar::Colours palette;
        if (tilmar::read_png_indexes(file, stored, palette).check == tilmar::Png_check::ok)
            tilmar::match_indexes(stored, palette, tilmar::grey_ramp(256));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    std::vector<unsigned char> const file(data, data + size);
    read_png(file);
    read_png(with_right_crcs(file));
    return 0;
}
