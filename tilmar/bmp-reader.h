#pragma once
#include <cstdint>
#include <vector>

#include "tilmar/bitmap.h"

namespace tilmar {

// The fields of a BMP header that reading a 1-bit picture needs.
struct Bmp_header {
    long long width = 0;           // pixels, the field read unsigned
    long long height = 0;          // pixels, the field's absolute value
    bool top_down = false;         // the field was negative: rows stored from the top one
    std::uint32_t bits_per_pixel = 0;
    std::uint32_t data_offset = 0;
    std::uint32_t data_size = 0;   // as stored; 0 is allowed for uncompressed pictures
};

enum class Bmp_header_check { ok, too_short, not_bitmap, not_monochrome };

// Reads the header at the start of a whole BMP file. The palette and the compression field are
// not consulted: bit 1 is always a foreground pixel.
Bmp_header_check read_bmp_header(std::vector<unsigned char> const& file, Bmp_header& header);

enum class Bmp_pixels_check {
    ok,
    outside_file,      // the pixel data, as offset and size give it, runs past the end of the file
    size_field_short,  // the size field is below what the picture's rows take
};

// Copies the pixel data of a whole 1-bit BMP file into a picture. A size field of 0 stands for
// the size the rows take.
Bmp_pixels_check read_bmp_pixels(std::vector<unsigned char> const& file, Bmp_header const& header, Bitmap& picture);

// The bytes the picture's rows take in the file.
long long bmp_rows_size(Bmp_header const& header);

}  // namespace tilmar
