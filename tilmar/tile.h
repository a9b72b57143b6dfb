#pragma once
#include <array>
#include <cstdint>

namespace tilmar {

// A 12 × 12 pixel tile at one bit per pixel.
constexpr int tile_side = 12;
// Its size in the ROM: 144 bits packed without gaps.
constexpr int tile_bytes = 18;

// The tile as it lies in the ROM.
using Tile_bytes = std::array<unsigned char, tile_bytes>;
// The tile as 12 pixel rows, top first; bit 11 of a row is its leftmost pixel, 1 is foreground.
using Tile_rows = std::array<std::uint16_t, tile_side>;

Tile_rows decode_tile(Tile_bytes const& bytes);
Tile_bytes encode_tile(Tile_rows const& rows);

}  // namespace tilmar
