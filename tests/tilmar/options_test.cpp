#include <gtest/gtest.h>

#include "tilmar/options.h"

namespace tilmar {
namespace {

using Args = std::vector<std::string>;

TEST(TilmarOptions, ReadsEveryOption) {
    Options o;
    ASSERT_EQ(parse_options({"-t", "0x20", "-o", "010", "-c", "10", "-f", "0xff0000", "-b", "0x00ff00", "-n", "-i",
                             "rom.bin", "tiles.bmp"},
                            o),
              "");
    EXPECT_EQ(o.tiles, 32);
    EXPECT_EQ(o.offset, 8);  // a leading 0 is octal
    EXPECT_EQ(o.columns, 10);
    EXPECT_EQ(o.foreground, 0xFF0000u);
    EXPECT_EQ(o.background, 0x00FF00u);
    EXPECT_TRUE(o.create_rom);
    EXPECT_EQ(o.mode, Mode::insert);
    EXPECT_EQ(o.rom, "rom.bin");
    EXPECT_EQ(o.bitmap, "tiles.bmp");
}

TEST(TilmarOptions, Defaults) {
    Options o;
    ASSERT_EQ(parse_options({"rom.bin", "-t", "5", "tiles.bmp"}, o), "");
    EXPECT_EQ(o.mode, Mode::extract);
    EXPECT_EQ(o.offset, 0);
    EXPECT_EQ(o.columns, 16);
    EXPECT_EQ(o.foreground, 0xFFFFFFu);
    EXPECT_EQ(o.background, 0u);
    EXPECT_FALSE(o.create_rom);
}

TEST(TilmarOptions, LastModeWinsAndZeroColumnsMeanSixteen) {
    struct Case {
        Args args;
        Mode mode;
        long long columns;
    } const cases[] = {
        {{"-i", "-e", "-t", "1", "r", "b"}, Mode::extract, 16},
        {{"-e", "-i", "-t", "1", "r", "b"}, Mode::insert, 16},
        {{"-c", "0", "-t", "1", "r", "b"}, Mode::extract, 16},
        {{"-c", "3", "-c", "0x0", "-t", "1", "r", "b"}, Mode::extract, 16},
        {{"-c", "7", "-t", "1", "r", "b"}, Mode::extract, 7},
    };
    for (auto const& c : cases) {
        Options o;
        ASSERT_EQ(parse_options(c.args, o), "");
        EXPECT_EQ(o.mode, c.mode);
        EXPECT_EQ(o.columns, c.columns);
    }
}

TEST(TilmarOptions, ColoursGivenAreMarked) {
    struct Case {
        Args args;
        bool given;
        std::uint32_t foreground, background;
    } const cases[] = {
        {{"-i", "-t", "1", "r", "b"}, false, 0xFFFFFF, 0},
        {{"-i", "-t", "1", "-f", "0x00ff00", "r", "b"}, true, 0x00FF00, 0},
        {{"-i", "-t", "1", "-b", "0x808080", "r", "b"}, true, 0xFFFFFF, 0x808080},
        {{"-b", "0xffffff", "-t", "1", "r", "b"}, true, 0xFFFFFF, 0xFFFFFF},  // extraction allows it
    };
    for (auto const& c : cases) {
        Options o;
        ASSERT_EQ(parse_options(c.args, o), "");
        EXPECT_EQ(o.colours_given, c.given);
        EXPECT_EQ(o.foreground, c.foreground);
        EXPECT_EQ(o.background, c.background);
    }
}

TEST(TilmarOptions, LongFileNamesAreKeptWhole) {
    std::string const name(400, 'a');
    Options o;
    ASSERT_EQ(parse_options({"-t", "1", name, name + "b"}, o), "");
    EXPECT_EQ(o.rom, name);
    EXPECT_EQ(o.bitmap, name + "b");
}

TEST(TilmarOptions, RefusalsPrintAMessageThenTheUsage) {
    std::string const usage = usage_text();
    struct Case {
        Args args;
        std::string printed;
    } const cases[] = {
        {{}, "missing rom filename\nmissing bitmap filename\nmissing number of tiles to extract/insert\n" + usage},
        {{"-t", "4"}, "missing rom filename\nmissing bitmap filename\n" + usage},
        {{"-t", "4", "rom.bin"}, "missing bitmap filename\n" + usage},
        {{"rom.bin", "b.bmp"}, "missing number of tiles to extract/insert\n" + usage},
        {{"-t", "0", "rom.bin", "b.bmp"}, "missing number of tiles to extract/insert\n" + usage},
        {{"rom.bin"}, "missing bitmap filename\nmissing number of tiles to extract/insert\n" + usage},
        {{"-t", "1", "r", "b", "c"}, "invalid option: c\n" + usage},
        {{"-t", "1", "-x", "r", "b"}, "invalid option: -x\n" + usage},
        {{"-T", "1", "r", "b"}, "invalid option: -T\n" + usage},
        {{"-", "r", "b"}, "invalid option: -\n" + usage},
        {{"r", "b", "-t"}, "missing value for option -t\n" + usage},
        {{"-t", "1", "r", "b", "-o"}, "missing value for option -o\n" + usage},
        {{"-t", "ten", "r", "b"}, "invalid number for option -t: ten\n" + usage},
        {{"-t", "", "r", "b"}, "invalid number for option -t: \n" + usage},
        {{"-t", "12abc", "r", "b"}, "invalid number for option -t: 12abc\n" + usage},
        {{"-t", "08", "r", "b"}, "invalid number for option -t: 08\n" + usage},
        {{"-t", "0x", "r", "b"}, "invalid number for option -t: 0x\n" + usage},
        {{"-t", " 5", "r", "b"}, "invalid number for option -t:  5\n" + usage},
        {{"-t", "2147483648", "r", "b"}, "invalid number for option -t: 2147483648\n" + usage},
        {{"-t", "-e", "r", "b"}, "invalid number for option -t: -e\n" + usage},
        {{"-t", "-3", "r", "b"}, "negative value for option -t: -3\n" + usage},
        {{"-t", "1", "-o", "-0x10", "r", "b"}, "negative value for option -o: -0x10\n" + usage},
        {{"-t", "1", "-c", "-1", "r", "b"}, "negative value for option -c: -1\n" + usage},
        {{"-t", "1", "-f", "0x1000000", "r", "b"}, "invalid color for option -f: 0x1000000 (0xRRGGBB expected)\n" + usage},
        {{"-t", "1", "-b", "-1", "r", "b"}, "negative value for option -b: -1\n" + usage},
        {{"-t", "1", "rom.bin", "rom.bin"}, "rom file and bitmap file are the same: rom.bin\n" + usage},
        {{"-i", "-t", "1", "-f", "0x10", "-b", "16", "r", "b"}, "foreground and background colors are the same: 0x000010\n" + usage},
        {{"-i", "-t", "1", "-b", "0xffffff", "r", "b"}, "foreground and background colors are the same: 0xffffff\n" + usage},
        // The first refusal ends the reading: later faults are not reported.
        {{"-x", "-t", "-1"}, "invalid option: -x\n" + usage},
    };
    for (auto const& c : cases) {
        Options o;
        std::string joined;
        for (auto const& a : c.args) joined += "[" + a + "]";
        EXPECT_EQ(parse_options(c.args, o), c.printed) << joined;
    }
}

TEST(TilmarOptions, UsageText) {
    EXPECT_EQ(usage_text(),
              "\nTilmar - extract or insert monochrome Tilmar tiles from/to roms\n"
              "Usage: Tilmar [options] -t nmbtiles romfile bmpfile\n"
              "\n"
              "General Options:\n"
              "  -t\tNumber of Tilmar tiles to extract or insert\n"
              "  -o\tOffset in rom file to start extracting or inserting, default = 0\n"
              "  -e\tExtract tiles from rom\n"
              "  -i\tInsert tiles to rom\n"
              "\n"
              "Tile Options:\n"
              "  -F\tTile format, default = 1bpp-12 (12 x 12 one-bit tiles); one of\n"
              "\t1bpp-12, 1bpp, nes-2bpp, gb-2bpp, ngp-2bpp, vb-2bpp, snes-4bpp, gba-4bpp, md-4bpp, sms-4bpp, "
              "snes-8bpp, gba-8bpp\n"
              "  -W\tTile width in pixels, default = 12 for 1bpp-12, 8 for the others\n"
              "  -H\tTile height in pixels, default = 12 for 1bpp-12, 8 for the others\n"
              "  -m\tOrder of the 8 x 8 tiles in a larger tile: row (default) or col\n"
              "  -p\tPalette file: JASC-PAL, GIMP .gpl or raw RGB (3 bytes a color);\n"
              "\tdefault = a grey ramp from black to white (-b and -f for one bit)\n"
              "\n"
              "Extract Options:\n"
              "  -c\tNumber of columns in bitmap, default = 16\n"
              "  -f\tForeground color in bitmap, default=0xffffff (white)\n"
              "  -b\tBackground color in bitmap, default=0x000000 (black)\n"
              "Insert Options:\n"
              "  -n\tCreate new file, default off\n"
              "  -f\tForeground color to read from the bitmap, default=0xffffff (white)\n"
              "  -b\tBackground color to read from the bitmap, default=0x000000 (black)\n"
              "\tA pixel is foreground when its color is nearer to -f than to -b; without\n"
              "\t-f and -b, a 1-bit BMP is read by its bits (1 = foreground)\n"
              "  -q\tTake the nearest palette entry for pixels near none, instead of refusing\n"
              "Bitmap files: BMP of 1, 4, 8, 16, 24 or 32 bits per pixel, or PNG when the\n"
              "name ends in .png\n");
}

}  // namespace
}  // namespace tilmar
