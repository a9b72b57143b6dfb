#include <gtest/gtest.h>

#include <stdexcept>

#include "tilmar/sheet.h"
#include "tilmar/tile.h"

namespace tilmar {
namespace {

// N tiles whose bytes differ from tile to tile and within each tile.
std::vector<unsigned char> numbered_tiles(long long count) {
    std::vector<unsigned char> tiles;
    for (long long i = 0; i < count * tile_bytes; ++i) tiles.push_back(static_cast<unsigned char>((i * 53 + i / 18 + 7) & 0xFF));
    return tiles;
}

std::vector<unsigned char> solid_tiles(long long count) { return std::vector<unsigned char>(count * tile_bytes, 0xFF); }

TEST(TilmarSheet, PictureSizesFollowTilesAndColumns) {
    struct Case {
        long long tiles, columns, width, height, row_size;
    } const cases[] = {
        {16, 16, 192, 12, 24},  // 192 bits: six whole words
        {20, 16, 192, 24, 24},  // a second, partly empty tile row
        {10, 10, 120, 12, 16},  // 120 bits rounded up to 128
        {1, 16, 192, 12, 24},   // one tile still takes the full width
        {17, 1, 12, 204, 4},    // a 12-pixel row takes a whole word
        {3, 3, 36, 12, 8},      // 36 bits: two words
        {32, 8, 96, 48, 12},    // four full tile rows
    };
    for (auto const& c : cases) {
        Bitmap const picture = blank_sheet(c.tiles, c.columns);
        EXPECT_EQ(picture.width, c.width) << c.tiles << " tiles, " << c.columns << " columns";
        EXPECT_EQ(picture.height, c.height) << c.tiles << " tiles, " << c.columns << " columns";
        EXPECT_EQ(bitmap_row_size(picture.width), c.row_size) << c.tiles << " tiles, " << c.columns << " columns";
        EXPECT_EQ(picture.pixels.size(), static_cast<std::size_t>(c.row_size * c.height));
        EXPECT_FALSE(picture.top_down);
    }
    EXPECT_EQ(blank_sheet(16, 16).pixels.size(), 288u);
}

TEST(TilmarSheet, TopLeftPixelOfTileZeroIsTheLastStoredRow) {
    std::vector<unsigned char> tiles(20 * tile_bytes, 0);
    tiles[0] = 0x80;
    Bitmap picture = blank_sheet(20, 16);
    draw_tiles(tiles, 16, picture);
    std::vector<unsigned char> expected(24 * 24, 0);
    expected[23 * 24] = 0x80;  // rows are stored bottom-up: the top row comes last
    EXPECT_EQ(picture.pixels, expected);
}

TEST(TilmarSheet, LastTileRowLandsAtTheBottomWithEmptyCells) {
    // 20 tiles in 16 columns: tiles 16 to 19 fill the first 48 pixels of the bottom tile row.
    Bitmap picture = blank_sheet(20, 16);
    draw_tiles(solid_tiles(20), 16, picture);
    std::vector<unsigned char> bottom_row(24, 0);
    for (int i = 0; i < 6; ++i) bottom_row[i] = 0xFF;
    std::vector<unsigned char> const full_row(24, 0xFF);
    for (int stored = 0; stored < 24; ++stored) {
        std::vector<unsigned char> const row(picture.pixels.begin() + stored * 24, picture.pixels.begin() + stored * 24 + 24);
        EXPECT_EQ(row, stored < 12 ? bottom_row : full_row) << "stored row " << stored;
    }
}

TEST(TilmarSheet, OddColumnStartsOnTheLowNibbleAndPaddingStaysClear) {
    // Three solid tiles in three columns: 36 bits of each row set, the rest of the 64-bit row clear.
    Bitmap picture = blank_sheet(3, 3);
    draw_tiles(solid_tiles(3), 3, picture);
    std::vector<unsigned char> const row{0xFF, 0xFF, 0xFF, 0xFF, 0xF0, 0, 0, 0};
    for (int stored = 0; stored < 12; ++stored)
        EXPECT_EQ(std::vector<unsigned char>(picture.pixels.begin() + stored * 8, picture.pixels.begin() + stored * 8 + 8), row);

    // Only the tile of column 1: the low nibble of byte 1 and all of byte 2.
    std::vector<unsigned char> tiles(3 * tile_bytes, 0);
    for (int i = tile_bytes; i < 2 * tile_bytes; ++i) tiles[i] = 0xFF;
    Bitmap middle = blank_sheet(3, 3);
    draw_tiles(tiles, 3, middle);
    EXPECT_EQ(std::vector<unsigned char>(middle.pixels.begin(), middle.pixels.begin() + 8),
              (std::vector<unsigned char>{0x00, 0x0F, 0xFF, 0, 0, 0, 0, 0}));
}

TEST(TilmarSheet, ReadingGivesBackWhatWasDrawn) {
    for (long long columns : {1, 2, 3, 5, 10, 16}) {
        for (long long count = 1; count <= 40; ++count) {
            std::vector<unsigned char> const tiles = numbered_tiles(count);
            Bitmap picture = blank_sheet(count, columns);
            draw_tiles(tiles, columns, picture);
            EXPECT_EQ(read_tiles(picture, columns, count), tiles) << count << " tiles, " << columns << " columns";
        }
    }
}

TEST(TilmarSheet, FewerTilesThanThePictureHoldsComeFromItsTop) {
    // 20 tiles in two tile rows; the first 16 are the whole top tile row, not the bottom one.
    std::vector<unsigned char> const tiles = numbered_tiles(20);
    Bitmap picture = blank_sheet(20, 16);
    draw_tiles(tiles, 16, picture);
    std::vector<unsigned char> const first16(tiles.begin(), tiles.begin() + 16 * tile_bytes);
    EXPECT_EQ(read_tiles(picture, 16, 16), first16);

    // The same in a picture with a partial tile row below the tiles.
    Bitmap taller = blank_bitmap(48, 30);
    std::vector<unsigned char> const four = numbered_tiles(4);
    draw_tiles(four, 4, taller);
    EXPECT_EQ(read_tiles(taller, 4, 4), four);
    EXPECT_EQ(taller.pixels[29 * 8], four[0]);  // tile 0's first row is the last stored row
}

TEST(TilmarSheet, TopDownPictureStoresTheTopRowFirst) {
    std::vector<unsigned char> const tiles = numbered_tiles(7);
    Bitmap picture = blank_bitmap(36, 36);
    picture.top_down = true;
    draw_tiles(tiles, 3, picture);
    EXPECT_EQ(picture.pixels[0], tiles[0]);
    EXPECT_EQ(read_tiles(picture, 3, 7), tiles);

    Bitmap bottom_up = blank_sheet(7, 3);
    draw_tiles(tiles, 3, bottom_up);
    // The same picture, its rows in the other order.
    for (int y = 0; y < 36; ++y)
        for (int i = 0; i < 8; ++i) EXPECT_EQ(picture.pixels[y * 8 + i], bottom_up.pixels[(35 - y) * 8 + i]);
}

TEST(TilmarSheet, RefusesTilesOutsideThePicture) {
    Bitmap picture = blank_sheet(16, 16);
    EXPECT_TRUE(sheet_fits(picture, 16, 16));
    EXPECT_FALSE(sheet_fits(picture, 17, 16));
    EXPECT_FALSE(sheet_fits(picture, 17, 17));  // 204 pixels wide
    EXPECT_TRUE(sheet_fits(picture, 4, 17));    // only four columns used
    EXPECT_THROW(read_tiles(picture, 16, 17), std::out_of_range);
    EXPECT_THROW(draw_tiles(numbered_tiles(17), 16, picture), std::out_of_range);
    Bitmap cut = picture;
    cut.pixels.pop_back();
    EXPECT_THROW(read_tiles(cut, 16, 1), std::out_of_range);
}

}  // namespace
}  // namespace tilmar
