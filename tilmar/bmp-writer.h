#pragma once
#include <cstdint>
#include <vector>

#include "tilmar/index-picture.h"
#include "tilmar/palette.h"

namespace tilmar {

// The whole BMP file of the picture, its pixels the colour indexes of `palette` (2 to 256
// entries): 1 bit a pixel for 2 entries, 4 for up to 16, else 8. The 40-byte information
// header, then the palette, then the rows bottom-up. The picture's size must fit the format's
// 32-bit fields (see bmp_fits).
std::vector<unsigned char> write_bmp(Index_picture const& picture, Colours const& palette);

// The bits a pixel takes for a palette of that many entries.
int bmp_bits_for(std::size_t entries);

// Whether a picture of this size can be written as a BMP file of that many bits a pixel: its
// width and height fit the signed 32-bit fields and its file size the unsigned one.
bool bmp_fits(long long width, long long height, int bits = 1);

}  // namespace tilmar
