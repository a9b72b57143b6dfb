#pragma once
#include <cstdint>

#include "tilmar/bitmap.h"
#include "tilmar/colour-picture.h"

namespace tilmar {

// The two colours a picture is read against, as 0xRRGGBB: the drawn pixels' and the rest's.
struct Colour_rule {
    std::uint32_t foreground = 0xFFFFFF;
    std::uint32_t background = 0x000000;
};

// Whether a pixel is drawn: opaque at least by half, and strictly nearer to the foreground than
// to the background (a pixel half-way between them is background).
bool is_foreground(Colour_rule const& rule, unsigned char red, unsigned char green, unsigned char blue,
                   unsigned char alpha);

// The 1-bit picture of the drawn pixels, top-down.
Bitmap classify_colours(Colour_picture const& picture, Colour_rule const& rule);

}  // namespace tilmar
