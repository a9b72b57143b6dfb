#include "tilmar/bitmap.h"

#include <cstddef>

namespace tilmar {

long long bitmap_row_size(long long width) { return (width + 31) / 32 * 4; }

Bitmap blank_bitmap(long long width, long long height) {
    Bitmap picture;
    picture.width = width;
    picture.height = height;
    picture.pixels.assign(static_cast<std::size_t>(bitmap_row_size(width) * height), 0);
    return picture;
}

long long bitmap_row_start(Bitmap const& picture, long long y) {
    long long const stored = picture.top_down ? y : picture.height - 1 - y;
    return stored * bitmap_row_size(picture.width);
}

Index_picture bitmap_indexes(Bitmap const& bits) {
    Index_picture picture;
    picture.width = bits.width;
    picture.height = bits.height;
    picture.indexes.resize(static_cast<std::size_t>(bits.width * bits.height));
    for (long long y = 0; y < bits.height; ++y) {
        std::size_t const row = static_cast<std::size_t>(bitmap_row_start(bits, y));
        unsigned char* out = picture.indexes.data() + static_cast<std::size_t>(y * bits.width);
        for (long long x = 0; x < bits.width; ++x)
            out[x] = bits.pixels[row + static_cast<std::size_t>(x / 8)] >> (7 - x % 8) & 1;
    }
    return picture;
}

}  // namespace tilmar
