#pragma once
#include <string>
#include <vector>

#include "tilmar/bitmap.h"

namespace tilmar {

struct Png_encoding {
    std::vector<unsigned char> file;  // the whole PNG file, when `failure` is empty
    std::string failure;              // libpng's message when it could not encode the picture
};

// The picture as a 1-bit palette PNG: entry 0 the background, entry 1 the foreground, as in
// the BMP file. The picture's size must fit what libpng writes (see png_fits).
// Throws std::bad_alloc when the picture's pixels, a byte each on the way, do not fit in memory.
Png_encoding write_png(Bitmap const& picture, Palette const& palette);

// Whether a picture of this size can be written as a PNG file: its width and height within
// the format's 31 bits, and its pixels, a byte each, within the 4 GiB libpng encodes at once.
bool png_fits(long long width, long long height);

}  // namespace tilmar
