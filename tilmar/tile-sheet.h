#pragma once
#include <vector>

#include "tilmar/index-picture.h"
#include "tuiles/formats.h"

namespace tilmar {

// The tiles' format and size.
struct Tile_layout {
    Tuiles::Format const* format;
    Tuiles::Dimensions size;
};

// A tile sheet lays tiles out left to right, top to bottom, in a grid of C columns: tile k sits
// in tile row k / C and tile column k % C, counted from the top-left of the picture. Cells after
// the last tile stay index 0.

// R: the number of tile rows that N tiles fill.
long long sheet_tile_rows(long long tiles, long long columns);

// The picture of the tiles (consecutive in `bytes`, octets_tuile bytes each), in `columns`
// columns: tile width × C pixels wide, tile height × R high.
// Throws std::invalid_argument when the bytes are not whole tiles.
Index_picture draw_sheet(std::vector<unsigned char> const& bytes, Tile_layout const& layout, long long columns);

// The bytes of the first `count` tiles of the picture, whose columns are whole tiles wide.
// Throws std::out_of_range when the picture is too small for them.
std::vector<unsigned char> read_sheet(Index_picture const& picture, Tile_layout const& layout, long long count);

}  // namespace tilmar
