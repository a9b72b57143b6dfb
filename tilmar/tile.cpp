#include "tilmar/tile.h"

namespace tilmar {

// Two 12-bit rows share three bytes, most significant bit first:
//   byte 3j      byte 3j+1    byte 3j+2
//   AAAAAAAA     AAAA BBBB    BBBBBBBB
// A = pixels 0..11 of row 2j, B = pixels 0..11 of row 2j+1.

Tile_rows decode_tile(Tile_bytes const& bytes) {
    Tile_rows rows{};
    for (int j = 0; j < tile_side / 2; ++j) {
        unsigned const a = bytes[3 * j];
        unsigned const m = bytes[3 * j + 1];
        unsigned const b = bytes[3 * j + 2];
        rows[2 * j] = static_cast<std::uint16_t>((a << 4) | (m >> 4));
        rows[2 * j + 1] = static_cast<std::uint16_t>(((m & 0x0F) << 8) | b);
    }
    return rows;
}

Tile_bytes encode_tile(Tile_rows const& rows) {
    Tile_bytes bytes{};
    for (int j = 0; j < tile_side / 2; ++j) {
        unsigned const upper = rows[2 * j] & 0xFFF;
        unsigned const lower = rows[2 * j + 1] & 0xFFF;
        bytes[3 * j] = static_cast<unsigned char>(upper >> 4);
        bytes[3 * j + 1] = static_cast<unsigned char>(((upper & 0x0F) << 4) | (lower >> 8));
        bytes[3 * j + 2] = static_cast<unsigned char>(lower & 0xFF);
    }
    return bytes;
}

}  // namespace tilmar
