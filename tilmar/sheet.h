#pragma once
#include <vector>

#include "tilmar/bitmap.h"

namespace tilmar {

// A tile sheet lays tiles out left to right, top to bottom, in a grid of C columns: tile k sits
// in tile row k / C and tile column k % C, counted from the top-left of the picture. Cells after
// the last tile stay background.

// R: the number of tile rows that N tiles fill.
long long sheet_tile_rows(long long tiles, long long columns);

// The picture extraction writes: 12 × C pixels wide, 12 × R high, bottom-up, all background.
Bitmap blank_sheet(long long tiles, long long columns);

// Whether the picture holds `tiles` tiles laid out in `columns` columns.
bool sheet_fits(Bitmap const& picture, long long tiles, long long columns);

// Draws the tiles (18 bytes each, consecutive) into the picture, ORing them into its bits.
// Throws std::out_of_range when the picture is too small for them.
void draw_tiles(std::vector<unsigned char> const& tiles, long long columns, Bitmap& picture);

// Reads `count` tiles out of the picture, as 18 × count consecutive bytes.
// Throws std::out_of_range when the picture is too small for them.
std::vector<unsigned char> read_tiles(Bitmap const& picture, long long columns, long long count);

}  // namespace tilmar
