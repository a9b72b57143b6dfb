#include <gtest/gtest.h>

#include "tilmar/tile.h"

namespace tilmar {
namespace {

struct Tile_case {
    char const* what;
    Tile_bytes bytes;
    Tile_rows rows;
};

TEST(TilmarTile, DecodesRowsFromPackedBytes) {
    Tile_bytes all_set;
    all_set.fill(0xFF);
    Tile_rows all_rows;
    all_rows.fill(0xFFF);
    Tile_case const cases[] = {
        {"all bytes 0xFF: a solid square", all_set, all_rows},
        {"byte 0 = 0x80: the top-left pixel", {0x80}, {0x800}},
        {"byte 1 high nibble ends row 0, low nibble starts row 1", {0, 0xA5}, {0x00A, 0x500}},
        {"byte 2 ends row 1", {0, 0, 0x01}, {0, 0x001}},
        {"bytes 3 to 5 hold rows 2 and 3", {0, 0, 0, 0x12, 0x34, 0x56}, {0, 0, 0x123, 0x456}},
        {"byte 17 = 0x01: the bottom-right pixel", {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x01},
         {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x001}},
    };
    for (auto const& c : cases) {
        EXPECT_EQ(decode_tile(c.bytes), c.rows) << c.what;
        EXPECT_EQ(encode_tile(c.rows), c.bytes) << c.what;
    }
}

TEST(TilmarTile, EncodeUndoesDecodeForEveryByteValue) {
    for (int start = 0; start < 256; start += 18) {
        Tile_bytes bytes;
        for (int i = 0; i < tile_bytes; ++i) bytes[i] = static_cast<unsigned char>((start + i * 7) & 0xFF);
        EXPECT_EQ(encode_tile(decode_tile(bytes)), bytes) << "start " << start;
    }
}

TEST(TilmarTile, EncodeIgnoresBitsAboveTheTwelfth) {
    Tile_rows rows{};
    rows[0] = 0xF001;
    rows[1] = 0xF800;
    EXPECT_EQ(encode_tile(rows), (Tile_bytes{0x00, 0x18, 0x00}));
}

}  // namespace
}  // namespace tilmar
