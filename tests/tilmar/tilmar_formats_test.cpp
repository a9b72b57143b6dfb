#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "support/process.h"
#include "support/scratch.h"
#include "tilmar/options.h"
#include "tuiles/formats.h"

namespace {

using test_support::RunResult;
using test_support::Scratch;
using Args = std::vector<std::string>;

RunResult tilmar(Scratch const& scratch, Args const& args) { return test_support::run(TILMAR, args, scratch.dir()); }

std::string random_bytes(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& b : bytes) b = static_cast<char>(random());
    return bytes;
}

std::size_t tile_bytes(char const* format, int width, int height) {
    return Tuiles::octets_tuile(*Tuiles::chercher_format(format), Tuiles::Dimensions{width, height});
}

// Pillow stands for the image editor. A missing python3 or Pillow fails the test: the editor's
// round trips are part of what Tilmar promises.
constexpr char const* python = "/usr/bin/python3";

RunResult pillow(Scratch const& scratch, std::string const& program) {
    RunResult const r = test_support::run(python, {"-c", "from PIL import Image\n" + program}, scratch.dir());
    EXPECT_EQ(r.status, 0) << "python3 with Pillow (Debian python3-pil, see scripts/install-deps.sh) could not run:\n"
                           << program;
    return r;
}

TEST(TilmarFormats, ExtractionThenInsertionGivesTheSameRomForEveryFormatAndSize) {
    struct Size {
        int width, height;
        char const* order;
    };
    unsigned seed = 7;
    for (Tuiles::Format const& f : Tuiles::formats()) {
        std::vector<Size> const sizes =
            f.cote_fixe != 0            ? std::vector<Size>{{12, 12, nullptr}}
            : Tuiles::en_tuiles_8x8(f) ? std::vector<Size>{{8, 8, nullptr}, {16, 16, "row"}, {16, 16, "col"},
                                                            {8, 16, nullptr}, {24, 8, "col"}}
                                        : std::vector<Size>{{8, 8, nullptr}, {10, 7, nullptr}, {16, 16, nullptr}};
        for (Size const& s : sizes) {
            for (char const* picture : {"tiles.png", "tiles.bmp"}) {
                Scratch scratch;
                std::size_t const tiles = 7;
                std::string rom = random_bytes(5 + tiles * tile_bytes(f.nom, s.width, s.height) + 3, seed++);
                // Rows of a width that is no multiple of 8 end in padding bits, which the
                // picture does not hold: a ROM has them 0.
                if (f.rangement == Tuiles::Rangement::lignes_1bpp && s.width % 8 != 0)
                    for (std::size_t end = 5 + (s.width + 7) / 8; end <= rom.size() - 3; end += (s.width + 7) / 8)
                        rom[end - 1] = static_cast<char>(rom[end - 1] & (0xFF << (8 - s.width % 8)));
                scratch.write("rom.bin", rom);
                Args size = {"-F", f.nom, "-W", std::to_string(s.width), "-H", std::to_string(s.height)};
                if (s.order != nullptr) size.insert(size.end(), {"-m", s.order});
                std::string const what = std::string(f.nom) + " " + std::to_string(s.width) + "x" +
                                         std::to_string(s.height) + (s.order ? s.order : "") + " " + picture;
                Args extract = size;
                extract.insert(extract.end(), {"-t", "7", "-o", "5", "-c", "3", "rom.bin", picture});
                RunResult r = tilmar(scratch, extract);
                ASSERT_EQ(r.status, 0) << what << "\n" << r.out;
                // Into a ROM whose tiles were wiped: the tiles come back, and nothing else moves.
                std::string wiped = rom;
                for (std::size_t i = 5; i < rom.size() - 3; ++i) wiped[i] = 0;
                scratch.write("rom.bin", wiped);
                Args insert = size;
                insert.insert(insert.end(), {"-i", "-t", "7", "-o", "5", "rom.bin", picture});
                r = tilmar(scratch, insert);
                EXPECT_EQ(r.status, 0) << what << "\n" << r.out;
                EXPECT_EQ(scratch.read("rom.bin"), rom) << what;
            }
        }
    }
}

TEST(TilmarFormats, PicturesAreIndexedWithTheFormatsColours) {
    Scratch scratch;
    scratch.write("rom.bin", random_bytes(4 * 32, 3));
    ASSERT_EQ(tilmar(scratch, {"-F", "snes-4bpp", "-t", "4", "-c", "2", "rom.bin", "tiles.png"}).status, 0);
    ASSERT_EQ(tilmar(scratch, {"-F", "gb-2bpp", "-t", "8", "rom.bin", "tiles.bmp"}).status, 0);
    RunResult const r = pillow(scratch,
                               "png = Image.open('tiles.png')\n"
                               "print(png.mode, png.size, png.getpalette()[3:6], png.getpalette()[45:48])\n"
                               "bmp = Image.open('tiles.bmp')\n"
                               "print(bmp.mode, bmp.size, bmp.getpalette()[:12])\n");
    EXPECT_EQ(r.out,
              "P (16, 16) [17, 17, 17] [255, 255, 255]\n"                      // 16 greys: 0x11 a step
              "P (128, 8) [0, 0, 0, 85, 85, 85, 170, 170, 170, 255, 255, 255]\n");  // 4 greys
}

// The edits a translator makes in an image editor, on a gb-2bpp sheet of four tiles.
class TilmarEditedPictures : public ::testing::Test {
protected:
    void SetUp() override {
        rom = random_bytes(64, 11);
        scratch.write("rom.bin", rom);
        ASSERT_EQ(tilmar(scratch, {"-F", "gb-2bpp", "-t", "4", "-c", "2", "rom.bin", "tiles.png"}).status, 0);
    }

    RunResult insert(std::string const& picture, Args extra = {}) {
        Args args = {"-F", "gb-2bpp", "-i", "-t", "4", "rom.bin", picture};
        args.insert(args.begin(), extra.begin(), extra.end());
        return tilmar(scratch, args);
    }

    Scratch scratch;
    std::string rom;
};

TEST_F(TilmarEditedPictures, ARepaintedIndexIsInserted) {
    // Pixel (1, 0) of tile 0 painted with index 3: bit 6 of both planes of row 0.
    pillow(scratch, "im = Image.open('tiles.png')\nim.putpixel((1, 0), 3)\nim.save('edited.png')\n");
    RunResult const r = insert("edited.png");
    EXPECT_EQ(r.status, 0) << r.out;
    std::string expected = rom;
    expected[0] = static_cast<char>(expected[0] | 0x40);
    expected[1] = static_cast<char>(expected[1] | 0x40);
    EXPECT_EQ(scratch.read("rom.bin"), expected);
}

TEST_F(TilmarEditedPictures, SavedAsColoursOrAsBmpOrWithItsPaletteReorderedInsertsTheSameTiles) {
    pillow(scratch,
           "im = Image.open('tiles.png')\n"
           "im.convert('RGB').save('rgb.png')\n"
           "im.convert('RGB').save('rgb.bmp')\n"
           "im.save('indexed.bmp')\n"
           "im.remap_palette([3, 2, 1, 0]).save('reordered.png')\n");
    for (char const* picture : {"rgb.png", "rgb.bmp", "indexed.bmp", "reordered.png"}) {
        scratch.write("rom.bin", std::string(64, '\0'));
        RunResult const r = insert(picture);
        EXPECT_EQ(r.status, 0) << picture << "\n" << r.out;
        EXPECT_EQ(scratch.read("rom.bin"), rom) << picture;
    }
}

TEST_F(TilmarEditedPictures, AColourNearNoEntryIsRefusedUnlessTheNearestIsAskedFor) {
    // Pure red at (3, 2): nearest to 0x555555 (index 1), yet far from every grey.
    pillow(scratch, "im = Image.open('tiles.png').convert('RGB')\nim.putpixel((3, 2), (255, 0, 0))\nim.save('red.png')\n");
    RunResult r = insert("red.png");
    EXPECT_EQ(r.out,
              "bitmap file red.png has 1 pixels whose color is near no entry of the palette, the first at x 3, y 2 "
              "(color 0xff0000); nothing was changed (-q takes the nearest entries)\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(scratch.read("rom.bin"), rom);

    r = insert("red.png", {"-q"});
    EXPECT_EQ(r.out,
              "warning: bitmap file red.png has 1 pixels whose color is near no entry of the palette; the nearest "
              "entries were taken\n");
    EXPECT_EQ(r.status, 0);
    std::string expected = rom;
    // Row 2 of tile 0: pixel 3 becomes 1 (plane 0 set, plane 1 clear).
    expected[4] = static_cast<char>(expected[4] | 0x10);
    expected[5] = static_cast<char>(expected[5] & ~0x10);
    EXPECT_EQ(scratch.read("rom.bin"), expected);
}

TEST(TilmarFormats, APaletteFileGivesTheColoursBothWays) {
    Scratch scratch;
    std::string const rom = random_bytes(4 * 16, 5);
    scratch.write("rom.bin", rom);
    scratch.write("font.pal", "JASC-PAL\r\n0100\r\n4\r\n0 0 128\r\n255 255 0\r\n0 200 0\r\n250 250 250\r\n");
    scratch.write("font.gpl", "GIMP Palette\nName: font\n0 0 128 navy\n255 255 0\n0 200 0\n250 250 250\n");
    ASSERT_EQ(tilmar(scratch, {"-F", "nes-2bpp", "-p", "font.pal", "-t", "4", "rom.bin", "tiles.png"}).status, 0);
    RunResult const r = pillow(scratch,
                               "im = Image.open('tiles.png')\nprint(im.getpalette()[:12])\n"
                               "im.convert('RGB').save('rgb.png')\n");
    EXPECT_EQ(r.out, "[0, 0, 128, 255, 255, 0, 0, 200, 0, 250, 250, 250]\n");
    scratch.write("rom.bin", std::string(64, '\0'));
    RunResult const back = tilmar(scratch, {"-F", "nes-2bpp", "-p", "font.gpl", "-i", "-t", "4", "rom.bin", "rgb.png"});
    EXPECT_EQ(back.status, 0) << back.out;
    EXPECT_EQ(scratch.read("rom.bin"), rom);
}

// The 12 x 12 form reads a picture by the nearer of its two colours: those of the palette file
// when one is given, so that black ink on white comes back as it went.
TEST(TilmarFormats, TheTwelveByTwelveFormReadsByThePalettesTwoColours) {
    Scratch scratch;
    std::string const rom = random_bytes(4 * 18, 13);
    scratch.write("rom.bin", rom);
    scratch.write("ink.pal", std::string("\xFF\xFF\xFF\x00\x00\x00", 6));
    ASSERT_EQ(tilmar(scratch, {"-p", "ink.pal", "-t", "4", "rom.bin", "tiles.png"}).status, 0);
    scratch.write("rom.bin", std::string(rom.size(), '\0'));
    RunResult const r = tilmar(scratch, {"-p", "ink.pal", "-i", "-t", "4", "rom.bin", "tiles.png"});
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(scratch.read("rom.bin"), rom);
}

TEST(TilmarFormats, WrongFormatsSizesAndPalettesChangeNothing) {
    Scratch scratch;
    std::string const rom = random_bytes(256, 9);
    scratch.write("rom.bin", rom);
    scratch.write("tiles.png", "picture");
    scratch.write("two.pal", "JASC-PAL\n0100\n2\n0 0 0\n255 255 255\n");
    scratch.write("odd.pal", "ab");
    std::string const usage = tilmar::usage_text();
    struct Case {
        Args args;
        std::string out;
    } const cases[] = {
        {{"-F", "snes", "-t", "1", "rom.bin", "tiles.png"},
         "unknown tile format: snes (formats: 1bpp-12, 1bpp, nes-2bpp, gb-2bpp, ngp-2bpp, vb-2bpp, snes-4bpp, "
         "gba-4bpp, md-4bpp, sms-4bpp, snes-8bpp, gba-8bpp)\n" + usage},
        {{"-W", "8", "-t", "1", "rom.bin", "tiles.png"},
         "tile format 1bpp-12 takes tiles of 12 x 12 pixels only, not 8 x 12\n" + usage},
        {{"-F", "gb-2bpp", "-H", "12", "-t", "1", "rom.bin", "tiles.png"},
         "tile format gb-2bpp takes tiles whose sides are multiples of 8 pixels, up to 1024, not 8 x 12\n" + usage},
        {{"-F", "1bpp", "-W", "2000", "-t", "1", "rom.bin", "tiles.png"},
         "tile format 1bpp takes tiles of 1 to 1024 pixels a side, not 2000 x 8\n" + usage},
        {{"-F", "1bpp", "-H", "0", "-t", "1", "rom.bin", "tiles.png"},
         "tile format 1bpp takes tiles of 1 to 1024 pixels a side, not 8 x 0\n" + usage},
        {{"-F", "1bpp", "-m", "col", "-t", "1", "rom.bin", "tiles.png"},
         "option -m applies to the formats made of 8 x 8 tiles, not to 1bpp\n" + usage},
        {{"-m", "columns", "-t", "1", "rom.bin", "tiles.png"},
         "invalid order for option -m: columns (row or col expected)\n" + usage},
        {{"-F", "md-4bpp", "-f", "0xff0000", "-t", "1", "rom.bin", "tiles.png"},
         "options -f and -b apply to the 1-bit formats, not to md-4bpp\n" + usage},
        {{"-F", "md-4bpp", "-p", "two.pal", "-t", "1", "rom.bin", "tiles.png"},
         "palette file two.pal has 2 colors, fewer than the 16 that format md-4bpp needs\n"},
        {{"-F", "md-4bpp", "-p", "odd.pal", "-i", "-t", "1", "rom.bin", "tiles.png"},
         "palette file odd.pal is neither a JASC-PAL nor a GIMP palette, nor raw RGB: its size (2 bytes) is not a "
         "multiple of 3 from 3 to 768\n"},
        {{"-F", "md-4bpp", "-p", "none.pal", "-t", "1", "rom.bin", "tiles.png"}, "unable to read palette file none.pal\n"},
    };
    for (Case const& c : cases) {
        RunResult const r = tilmar(scratch, c.args);
        EXPECT_EQ(r.out, c.out);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(scratch.read("rom.bin"), rom);
        EXPECT_EQ(scratch.read("tiles.png"), "picture");
    }
}

}  // namespace
