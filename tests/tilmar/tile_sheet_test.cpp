#include "tilmar/tile-sheet.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>

namespace tilmar {
namespace {

using Bytes = std::vector<unsigned char>;

Tile_layout layout(char const* format, int width, int height, Tuiles::Ordre order = Tuiles::Ordre::lignes) {
    return {Tuiles::chercher_format(format), Tuiles::Dimensions{width, height, order}};
}

Bytes random_bytes(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    Bytes bytes(size);
    for (auto& b : bytes) b = static_cast<unsigned char>(random());
    return bytes;
}

TEST(TilmarTileSheet, PictureSizesFollowTilesColumnsAndTheTileSize) {
    struct Case {
        Tile_layout layout;
        long long tiles, columns, width, height;
    } const cases[] = {
        {layout("1bpp-12", 12, 12), 16, 16, 192, 12},
        {layout("1bpp-12", 12, 12), 20, 16, 192, 24},  // a second, partly empty tile row
        {layout("gb-2bpp", 8, 8), 17, 1, 8, 136},
        {layout("snes-4bpp", 16, 16), 5, 2, 32, 48},
        {layout("1bpp", 10, 3), 4, 3, 30, 6},
    };
    for (Case const& c : cases) {
        Bytes const bytes(static_cast<std::size_t>(c.tiles) * Tuiles::octets_tuile(*c.layout.format, c.layout.size), 0);
        Index_picture const picture = draw_sheet(bytes, c.layout, c.columns);
        EXPECT_EQ(picture.width, c.width) << c.layout.format->nom;
        EXPECT_EQ(picture.height, c.height) << c.layout.format->nom;
        EXPECT_EQ(picture.indexes.size(), static_cast<std::size_t>(c.width * c.height));
    }
}

TEST(TilmarTileSheet, TilesGoLeftToRightThenDownAndEmptyCellsStayZero) {
    // Five solid gb-2bpp tiles of colours 1, 2, 3, 1, 2 in two columns: three tile rows.
    Bytes bytes;
    for (int k = 0; k < 5; ++k) {
        int const colour = k % 3 + 1;
        for (int row = 0; row < 8; ++row) {
            bytes.push_back(colour & 1 ? 0xFF : 0x00);
            bytes.push_back(colour & 2 ? 0xFF : 0x00);
        }
    }
    Index_picture const picture = draw_sheet(bytes, layout("gb-2bpp", 8, 8), 2);
    ASSERT_EQ(picture.width, 16);
    ASSERT_EQ(picture.height, 24);
    auto at = [&picture](long long x, long long y) { return picture.indexes[static_cast<std::size_t>(y * 16 + x)]; };
    EXPECT_EQ(at(0, 0), 1);
    EXPECT_EQ(at(15, 7), 2);
    EXPECT_EQ(at(0, 8), 3);
    EXPECT_EQ(at(8, 15), 1);
    EXPECT_EQ(at(7, 23), 2);
    EXPECT_EQ(at(8, 16), 0);  // the sixth cell holds no tile
    EXPECT_EQ(at(15, 23), 0);
}

TEST(TilmarTileSheet, DrawThenReadGivesTheSameBytesForEveryFormat) {
    unsigned seed = 1;
    for (Tuiles::Format const& f : Tuiles::formats()) {
        Tuiles::Dimensions const size = f.cote_fixe != 0 ? Tuiles::Dimensions{12, 12}
                                      : Tuiles::en_tuiles_8x8(f) ? Tuiles::Dimensions{16, 8, Tuiles::Ordre::colonnes}
                                                                 : Tuiles::Dimensions{16, 5};
        Tile_layout const l{&f, size};
        Bytes const bytes = random_bytes(7 * Tuiles::octets_tuile(f, size), seed++);
        Index_picture const picture = draw_sheet(bytes, l, 3);
        EXPECT_EQ(read_sheet(picture, l, 7), bytes) << f.nom;
        // A picture of more tile rows gives its tiles from the top-left too.
        EXPECT_EQ(read_sheet(picture, l, 2), Bytes(bytes.begin(), bytes.begin() + 2 * static_cast<long>(bytes.size() / 7)));
    }
}

TEST(TilmarTileSheet, ReadingPastThePictureOrBytesOfNoWholeTileAreRefused) {
    Tile_layout const l = layout("md-4bpp", 8, 8);
    Index_picture const picture = draw_sheet(Bytes(32 * 4, 0), l, 2);
    EXPECT_NO_THROW(read_sheet(picture, l, 4));
    EXPECT_THROW(read_sheet(picture, l, 5), std::out_of_range);
    EXPECT_THROW(draw_sheet(Bytes(33, 0), l, 2), std::invalid_argument);
}

}  // namespace
}  // namespace tilmar
