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

}  // namespace tilmar
