#pragma once
#include <string>
#include <vector>

#include "tilmar/colour-picture.h"
#include "tilmar/index-picture.h"
#include "tilmar/palette.h"

namespace tilmar {

struct Png_header {
    long long width = 0;
    long long height = 0;
    bool palette = false;  // the pixels are indexes into a palette
};

enum class Png_check {
    ok,
    not_png,      // no PNG signature
    cut_short,    // a chunk runs past the end of the file, or the file ends before IEND
    bad_crc,      // a chunk's CRC does not match
    undecodable,  // libpng refused the file: `reason` says why
    too_large,    // its colours would take 4 GiB or more, past what libpng reads in one piece
    index_past_palette,  // a pixel's palette index has no entry
};

struct Png_status {
    Png_check check = Png_check::ok;
    long long chunk_at = 0;  // bad_crc: the file offset of the damaged chunk
    std::string reason;      // undecodable: libpng's message
};

// Checks the chunks of a whole PNG file and reads its size from its header.
Png_status read_png_header(std::vector<unsigned char> const& file, Png_header& header);

// Reads the colour of every pixel of a whole PNG file, of any colour type and bit depth: grey,
// palette and transparency are expanded, 16-bit channels brought to 8 bits (16-bit files
// without colour space information taken as sRGB, like 8-bit ones).
Png_status read_png_colours(std::vector<unsigned char> const& file, Colour_picture& picture);

// Reads the index of every pixel of a whole palette PNG file, with its palette (transparent
// entries taken at their colour).
Png_status read_png_indexes(std::vector<unsigned char> const& file, Index_picture& picture, Colours& palette);

}  // namespace tilmar
