#include "tilmar/palette.h"

#include <gtest/gtest.h>

#include <string>

#include "tilmar/palette-match.h"

namespace tilmar {
namespace {

std::vector<unsigned char> bytes(std::string const& text) { return {text.begin(), text.end()}; }

TEST(TilmarPalette, TheThreeFormsOfPaletteFile) {
    struct Case {
        char const* what;
        std::string file;
        Colours colours;
    } const cases[] = {
        {"JASC-PAL, CR LF", "JASC-PAL\r\n0100\r\n3\r\n0 0 0\r\n255 128 7\r\n16 32 48\r\n", {0x000000, 0xFF8007, 0x102030}},
        {"JASC-PAL, LF, no final line end", "JASC-PAL\n0100\n2\n1 2 3\n4 5 6", {0x010203, 0x040506}},
        {"GIMP with a name, columns, comments and colour names",
         "GIMP Palette\nName: Font\nColumns: 4\n#\n# a comment\n  0   0   0\tBlack\n255 255 255 White\n\n",
         {0x000000, 0xFFFFFF}},
        {"raw RGB", std::string("\x00\x00\x00\xFF\x10\x20", 6), {0x000000, 0xFF1020}},
    };
    for (Case const& c : cases) {
        Palette_file const read = read_palette(bytes(c.file));
        EXPECT_EQ(read.check, Palette_check::ok) << c.what;
        EXPECT_EQ(read.colours, c.colours) << c.what;
    }
}

TEST(TilmarPalette, WrongFilesAreRefusedWithTheirLine) {
    struct Case {
        std::string file;
        Palette_check check;
        int line;
    } const cases[] = {
        {"JASC-PAL\n0200\n1\n0 0 0\n", Palette_check::bad_jasc, 2},
        {"JASC-PAL\n0100\n0\n", Palette_check::bad_jasc, 3},
        {"JASC-PAL\n0100\n2\n0 0 0\n", Palette_check::bad_jasc, 5},         // one entry short
        {"JASC-PAL\n0100\n1\n0 0 256\n", Palette_check::bad_jasc, 4},       // past a byte
        {"JASC-PAL\n0100\n1\n0 0 0 extra\n", Palette_check::bad_jasc, 4},
        {"GIMP Palette\n0 0\n", Palette_check::bad_gimp, 2},
        {"GIMP Palette\n# nothing\n", Palette_check::bad_gimp, 3},          // no colour at all
        {"ab", Palette_check::bad_raw, 0},
        {"", Palette_check::bad_raw, 0},
        {std::string(3 * 257, 'x'), Palette_check::bad_raw, 0},
    };
    for (Case const& c : cases) {
        Palette_file const read = read_palette(bytes(c.file));
        EXPECT_EQ(read.check, c.check) << c.file;
        EXPECT_EQ(read.line, c.line) << c.file;
    }
}

TEST(TilmarPalette, DefaultGreyRamps) {
    EXPECT_EQ(grey_ramp(2), (Colours{0x000000, 0xFFFFFF}));
    EXPECT_EQ(grey_ramp(4), (Colours{0x000000, 0x555555, 0xAAAAAA, 0xFFFFFF}));
    Colours const sixteen = grey_ramp(16);
    EXPECT_EQ(sixteen[1], 0x111111u);
    EXPECT_EQ(sixteen[15], 0xFFFFFFu);
    EXPECT_EQ(grey_ramp(256)[128], 0x808080u);
}

TEST(TilmarPaletteMatch, IndexesKeptWhereTheEntryIsTheSameAndColoursMatchedElsewhere) {
    Colours const palette = {0x000000, 0x555555, 0x555555, 0xFFFFFF};  // two equal entries
    // The file's entries 0 and 2 are the palette's; 1 and 3 swapped; 4 near entry 3; 5 far from all.
    Colours const file = {0x000000, 0xFFFFFF, 0x555555, 0x555555, 0xF0F0F0, 0xFF0000};
    Index_picture const stored{6, 1, {0, 1, 2, 3, 4, 5}};
    Matched_picture const m = match_indexes(stored, file, palette);
    EXPECT_EQ(m.picture.indexes, (std::vector<unsigned char>{0, 3, 2, 1, 3, 1}));
    EXPECT_EQ(m.far_pixels, 1);
    EXPECT_EQ(m.first_far_x, 5);
    EXPECT_EQ(m.first_far_colour, 0xFF0000u);
}

TEST(TilmarPaletteMatch, ColoursTakeTheNearestEntryWithinTheThreshold) {
    Colours const palette = grey_ramp(4);
    // 16 off on each channel is near; 17 is not; a transparent pixel is index 0.
    Colour_picture picture{5, 1, {0x55, 0x55, 0x55, 255, 0x65, 0x65, 0x65, 255, 0x66, 0x66, 0x66, 255,
                                  0xFF, 0xFF, 0xFF, 0,   0xFF, 0xFF, 0xF0, 255}};
    Matched_picture const m = match_colours(picture, palette);
    EXPECT_EQ(m.picture.indexes, (std::vector<unsigned char>{1, 1, 1, 0, 3}));
    EXPECT_EQ(m.far_pixels, 1);
    EXPECT_EQ(m.first_far_x, 2);
    EXPECT_EQ(m.first_far_y, 0);
}

}  // namespace
}  // namespace tilmar
