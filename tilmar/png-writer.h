#pragma once
#include <string>
#include <vector>

#include "tilmar/index-picture.h"
#include "tilmar/palette.h"

namespace tilmar {

struct Png_encoding {
    std::vector<unsigned char> file;  // the whole PNG file, when `failure` is empty
    std::string failure;              // libpng's message when it could not encode the picture
};

// The picture as a palette PNG of the entries of `palette` (2 to 256), its pixels their
// indexes: 1 bit a pixel for 2 entries, 2 for 4, 4 for 16, else 8. The picture's size must fit
// what libpng writes (see png_fits).
Png_encoding write_png(Index_picture const& picture, Colours const& palette);

// Whether a picture of this size can be written as a PNG file: its width and height within
// the format's 31 bits, and its pixels, a byte each, within the 4 GiB libpng encodes at once.
bool png_fits(long long width, long long height);

}  // namespace tilmar
