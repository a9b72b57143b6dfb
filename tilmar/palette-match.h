#pragma once
#include <cstdint>

#include "tilmar/colour-picture.h"
#include "tilmar/index-picture.h"
#include "tilmar/palette.h"

namespace tilmar {

// How far a colour may lie from its palette entry and still be that entry: a squared distance
// in RGB of at most 3 × 16², each channel off by 16 on average. Farther pixels are counted, and
// insertion refuses them unless asked to take the nearest entry anyway.
constexpr long long near_enough = 3 * 16 * 16;

struct Matched_picture {
    Index_picture picture;
    long long far_pixels = 0;  // pixels near no entry (given their nearest one)
    long long first_far_x = 0;
    long long first_far_y = 0;
    std::uint32_t first_far_colour = 0;
};

// The index of each pixel of a picture stored by indexes, against `palette`: an index whose
// colour in the file is the palette's own entry of that index keeps it (so that duplicate
// entries and edited indexes come back as they were); any other index takes the entry nearest
// to its colour. `file_palette` must hold every index the pixels use.
Matched_picture match_indexes(Index_picture const& stored, Colours const& file_palette, Colours const& palette);

// The index of each pixel of a picture read by colour: the nearest entry of `palette` (the
// first of equally near ones); a pixel more than half transparent is index 0.
Matched_picture match_colours(Colour_picture const& picture, Colours const& palette);

}  // namespace tilmar
