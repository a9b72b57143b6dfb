#pragma once
#include <cstdint>
#include <vector>

#include "tilmar/bitmap.h"
#include "tilmar/colour-picture.h"
#include "tilmar/index-picture.h"
#include "tilmar/palette.h"

namespace tilmar {

// Where each channel lies in a pixel of 16 or 32 bits; an alpha mask of 0 means opaque.
struct Bmp_masks {
    std::uint32_t red = 0;
    std::uint32_t green = 0;
    std::uint32_t blue = 0;
    std::uint32_t alpha = 0;
};

// The fields of a BMP header that reading its picture needs.
struct Bmp_header {
    long long width = 0;           // pixels, the field read unsigned
    long long height = 0;          // pixels, the field's absolute value
    bool top_down = false;         // the field was negative: rows stored from the top one
    std::uint32_t info_size = 0;   // of the information header
    std::uint32_t bits_per_pixel = 0;
    std::uint32_t compression = 0;
    std::uint32_t data_offset = 0;
    std::uint32_t data_size = 0;   // as stored; 0 is allowed for uncompressed pictures
    Bmp_masks masks;               // 16 and 32 bits: given by bit fields, else the plain layout's
    std::uint32_t palette_offset = 0;
    std::uint32_t palette_colours = 0;  // 1, 4 and 8 bits: entries the palette holds, else 0
};

enum class Bmp_header_check {
    ok,
    too_short,          // shorter than the headers it announces
    not_bitmap,         // no "BM"
    os2_header,         // an OS/2 information header, laid out otherwise
    unknown_header,     // an information header of no known size
    unsupported_depth,  // bits per pixel other than 1, 4, 8, 16, 24 or 32
    compressed,         // any compression but bit fields at 16 or 32 bits per pixel
};

// Reads the headers at the start of a whole BMP file: Windows information headers of 40, 52,
// 56, 108 and 124 bytes, uncompressed pictures of 1, 4, 8, 16, 24 or 32 bits per pixel.
Bmp_header_check read_bmp_header(std::vector<unsigned char> const& file, Bmp_header& header);

enum class Bmp_pixels_check {
    ok,
    outside_file,        // the pixel data, as offset and size give it, runs past the end of the file
    size_field_short,    // the size field is below what the picture's rows take
    palette_outside,     // the palette runs past the end of the file or into the pixel data
    index_past_palette,  // a pixel's colour index has no palette entry
};

// Copies the pixel data of a whole 1-bit BMP file into a picture, bit 1 being a drawn pixel
// whatever the palette says. A size field of 0 stands for the size the rows take.
Bmp_pixels_check read_bmp_pixels(std::vector<unsigned char> const& file, Bmp_header const& header, Bitmap& picture);

// Reads the colour of every pixel of a whole BMP file, at any depth the header allows: through
// the palette up to 8 bits, through the masks at 16 and 32 (plain 32-bit pixels are opaque).
Bmp_pixels_check read_bmp_colours(std::vector<unsigned char> const& file, Bmp_header const& header,
                                  Colour_picture& picture);

// Reads the colour index of every pixel of a whole BMP file of 1, 4 or 8 bits a pixel, with
// its palette. index_past_palette when a pixel's index has no entry.
Bmp_pixels_check read_bmp_indexes(std::vector<unsigned char> const& file, Bmp_header const& header,
                                  Index_picture& picture, Colours& palette);

// The bytes one stored row takes: its bits rounded up to whole 32-bit words.
long long bmp_row_size(Bmp_header const& header);

// The bytes the picture's rows take in the file; the largest long long when that overflows.
long long bmp_rows_size(Bmp_header const& header);

}  // namespace tilmar
