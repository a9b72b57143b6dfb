#pragma once
#include <cstdint>
#include <vector>

#include "tilmar/bitmap.h"

namespace tilmar {

// The whole BMP file of the picture: the 62-byte header with its palette, then the pixel data.
// The picture's size must fit the format's 32-bit fields (see bmp_fits).
std::vector<unsigned char> write_bmp(Bitmap const& picture, Palette const& palette);

// Whether a picture of this size can be written as a BMP file: its width and height fit the
// signed 32-bit fields and its file size the unsigned one.
bool bmp_fits(long long width, long long height);

}  // namespace tilmar
