#include <gtest/gtest.h>

#include <string>

#include "picture_files.h"
#include "tilmar/png-format.h"
#include "tilmar/png-reader.h"
#include "tilmar/png-writer.h"

namespace tilmar {
namespace {

using Bytes = std::vector<unsigned char>;
using tilmar_test::Drawing;
using tilmar_test::png_chunk;
using tilmar_test::png_of;
using tilmar_test::Png_form;
using tilmar_test::png_signature;
namespace t = tilmar_test;

Bytes bytes(std::string const& file) { return Bytes(file.begin(), file.end()); }

Bytes rgba_of(std::vector<std::uint32_t> const& argb) {
    Bytes rgba;
    for (std::uint32_t c : argb)
        rgba.insert(rgba.end(), {static_cast<unsigned char>(c >> 16), static_cast<unsigned char>(c >> 8),
                                 static_cast<unsigned char>(c), static_cast<unsigned char>(c >> 24)});
    return rgba;
}

// The IDAT chunks of a PNG file of no other ancillary chunk than its IHDR.
std::string image_data(std::string const& file) { return file.substr(33, file.size() - 33 - 12); }

std::string ihdr(std::uint32_t width, std::uint32_t height, int depth, int type) {
    return png_chunk("IHDR", t::be32(width) + t::be32(height) + static_cast<char>(depth) + static_cast<char>(type) +
                                 std::string(3, '\0'));
}

// 3 × 3 pixels, so that a row of 1-, 2- or 4-bit samples leaves bits unused and every Adam7
// pass that has pixels is met.
Drawing const greys{3, 3, {0xFFFFFFFF, 0xFF000000, 0xFFAAAAAA, 0xFF555555, 0xFFFFFFFF, 0xFF000000, 0xFF000000,
                           0xFFAAAAAA, 0xFFFFFFFF}};
Drawing const colours{3, 3, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF, 0xFF000000, 0xFF808080, 0xFF123456,
                             0xFFFEDCBA, 0xFF00FFFF}};

Drawing translucent(Drawing drawing) {
    std::uint32_t const alphas[] = {0xFF, 0x80, 0x7F, 0x00, 0xC0, 0xFF, 0x01, 0xFE, 0x40};
    for (std::size_t i = 0; i < drawing.pixels.size(); ++i)
        drawing.pixels[i] = (drawing.pixels[i] & 0xFFFFFF) | alphas[i] << 24;
    return drawing;
}

TEST(TilmarPngReader, ColoursOfEveryTypeAndDepth) {
    Drawing const black_white{3, 3, {0xFFFFFFFF, 0xFF000000, 0xFF000000, 0xFF000000, 0xFFFFFFFF, 0xFF000000,
                                     0xFFFFFFFF, 0xFFFFFFFF, 0xFF000000}};
    std::vector<std::uint32_t> const four_greys{0xFF000000, 0xFF555555, 0xFFAAAAAA, 0xFFFFFFFF};
    std::vector<std::uint32_t> const nine = colours.pixels;
    std::vector<std::uint32_t> nine_translucent = translucent(colours).pixels;
    struct Case {
        char const* what;
        Drawing drawing;
        Png_form form;
        std::vector<std::uint32_t> expected;
    } const cases[] = {
        {"grey, 1 bit", black_white, {t::png_grey, 1}, black_white.pixels},
        {"grey, 2 bits", greys, {t::png_grey, 2}, greys.pixels},
        {"grey, 4 bits", greys, {t::png_grey, 4}, greys.pixels},
        {"grey, 8 bits", greys, {t::png_grey, 8}, greys.pixels},
        {"grey, 16 bits", greys, {t::png_grey, 16}, greys.pixels},
        {"grey and alpha, 8 bits", translucent(greys), {t::png_grey_alpha, 8}, translucent(greys).pixels},
        {"grey and alpha, 16 bits", translucent(greys), {t::png_grey_alpha, 16}, translucent(greys).pixels},
        {"palette, 1 bit", black_white, {t::png_palette, 1, false, {0xFFFFFFFF, 0xFF000000}}, black_white.pixels},
        {"palette, 2 bits", greys, {t::png_palette, 2, false, four_greys}, greys.pixels},
        {"palette, 4 bits", colours, {t::png_palette, 4, false, nine}, colours.pixels},
        {"palette, 8 bits, with transparency", translucent(colours), {t::png_palette, 8, false, nine_translucent},
         translucent(colours).pixels},
        {"RGB, 8 bits", colours, {t::png_rgb, 8}, colours.pixels},
        {"RGB, 16 bits", colours, {t::png_rgb, 16}, colours.pixels},
        {"RGB without alpha drops it", translucent(colours), {t::png_rgb, 8}, colours.pixels},
        {"RGBA, 8 bits", translucent(colours), {t::png_rgba, 8}, translucent(colours).pixels},
        {"RGBA, 16 bits", translucent(colours), {t::png_rgba, 16}, translucent(colours).pixels},
        {"RGB, interlaced", colours, {t::png_rgb, 8, true}, colours.pixels},
        {"grey, 2 bits, interlaced", greys, {t::png_grey, 2, true}, greys.pixels},
    };
    for (auto const& c : cases) {
        Bytes const file = bytes(png_of(c.drawing, c.form));
        Png_header header;
        ASSERT_EQ(read_png_header(file, header).check, Png_check::ok) << c.what;
        EXPECT_EQ(header.width, 3) << c.what;
        EXPECT_EQ(header.height, 3) << c.what;
        Colour_picture picture;
        Png_status const status = read_png_colours(file, picture);
        ASSERT_EQ(status.check, Png_check::ok) << c.what << ": " << status.reason;
        EXPECT_EQ(picture.width, 3) << c.what;
        EXPECT_EQ(picture.height, 3) << c.what;
        EXPECT_EQ(picture.rgba, rgba_of(c.expected)) << c.what;
    }
}

TEST(TilmarPngFormat, ChunksAreWalkedToTheEnd) {
    std::string const good = png_of(greys, {t::png_grey, 8});
    std::string const ihdr_only = png_signature + ihdr(3, 3, 8, 0);
    std::string bad_idat = good;
    bad_idat[33 + 8] ^= 0x40;  // IHDR takes bytes 8 to 32: the first IDAT's data starts at 41
    std::string bad_text = good.substr(0, 33) + png_chunk("tEXt", "Title\0x") + good.substr(33);
    bad_text[33 + 9] ^= 1;
    struct Case {
        char const* what;
        std::string file;
        Png_chunks_check check;
        long long at;
    } const cases[] = {
        {"whole", good, Png_chunks_check::ok, 0},
        {"bytes after IEND", good + "trailing bytes", Png_chunks_check::ok, 0},
        {"empty", "", Png_chunks_check::not_png, 0},
        {"signature cut", png_signature.substr(0, 7), Png_chunks_check::not_png, 0},
        {"BMP", "BM" + std::string(100, '\0'), Png_chunks_check::not_png, 0},
        {"signature only", png_signature, Png_chunks_check::cut_short, 0},
        {"no IEND", good.substr(0, good.size() - 12), Png_chunks_check::cut_short, 0},
        {"IEND cut", good.substr(0, good.size() - 1), Png_chunks_check::cut_short, 0},
        {"cut in the image data", good.substr(0, 45), Png_chunks_check::cut_short, 0},
        {"length past the end", ihdr_only + t::be32(0xFFFFFFF0) + "IDAT", Png_chunks_check::cut_short, 0},
        {"image data damaged", bad_idat, Png_chunks_check::bad_crc, 33},
        {"text damaged", bad_text, Png_chunks_check::bad_crc, 33},
    };
    for (auto const& c : cases) {
        Png_chunks const chunks = check_png_chunks(bytes(c.file));
        EXPECT_EQ(chunks.check, c.check) << c.what;
        EXPECT_EQ(chunks.chunk_at, c.at) << c.what;
    }
}

TEST(TilmarPngReader, RefusalsSayWhy) {
    std::string const end = png_chunk("IEND", "");
    std::string const rows = tilmar_test::png_of(greys, {t::png_grey, 8});
    std::string const idat = image_data(rows);
    struct Case {
        char const* what;
        std::string file;
        Png_check check;
        std::string reason;
    } const cases[] = {
        {"no PNG", "GIF89a", Png_check::not_png, ""},
        {"cut", rows.substr(0, rows.size() - 3), Png_check::cut_short, ""},
        {"depth 3", png_signature + ihdr(3, 3, 3, 0) + idat + end, Png_check::undecodable, "Invalid IHDR data"},
        {"width 0", png_signature + ihdr(0, 3, 8, 0) + idat + end, Png_check::undecodable, "Invalid IHDR data"},
        {"palette missing", png_signature + ihdr(3, 3, 8, 3) + idat + end, Png_check::undecodable,
         "IDAT: Missing PLTE before IDAT"},
        {"no image data", png_signature + ihdr(3, 3, 8, 0) + end, Png_check::undecodable, "IEND: out of place"},
    };
    for (auto const& c : cases) {
        Png_header header;
        Png_status const status = read_png_header(bytes(c.file), header);
        EXPECT_EQ(status.check, c.check) << c.what;
        EXPECT_EQ(status.reason, c.reason) << c.what;
        Colour_picture picture;
        EXPECT_EQ(read_png_colours(bytes(c.file), picture).check, c.check) << c.what;
    }
}

TEST(TilmarPngReader, ImageDataThatDoesNotDecode) {
    std::string const head = png_signature + ihdr(3, 3, 8, 0);
    std::string const end = png_chunk("IEND", "");
    struct Case {
        char const* what;
        std::string file;
        std::string reason;
    } const cases[] = {
        {"no zlib stream", head + png_chunk("IDAT", "not deflate data") + end, "IDAT: incorrect header check"},
        {"two rows of three", head + image_data(png_of(Drawing{3, 2, std::vector<std::uint32_t>(6, 0xFF000000)}, {t::png_grey, 8})) + end,
         "Not enough image data"},
    };
    for (auto const& c : cases) {
        Png_header header;
        ASSERT_EQ(read_png_header(bytes(c.file), header).check, Png_check::ok) << c.what;
        Colour_picture picture;
        Png_status const status = read_png_colours(bytes(c.file), picture);
        EXPECT_EQ(status.check, Png_check::undecodable) << c.what;
        EXPECT_EQ(status.reason, c.reason) << c.what;
    }
}

TEST(TilmarPngReader, PicturesOf4GiBOfColoursAreTooLarge) {
    // 32768 × 32768 pixels of 4 bytes: 4 GiB, one byte past what libpng reads in one piece.
    std::string const file = png_signature + ihdr(32768, 32768, 1, 0) +
                             png_chunk("IDAT", std::string("\x78\x9c\x03\x00\x00\x00\x00\x01", 8)) + png_chunk("IEND", "");
    Png_header header;
    ASSERT_EQ(read_png_header(bytes(file), header).check, Png_check::ok);
    EXPECT_EQ(header.width, 32768);
    Colour_picture picture;
    EXPECT_EQ(read_png_colours(bytes(file), picture).check, Png_check::too_large);
}

TEST(TilmarPngWriter, OneBitPaletteOfTheTwoColours) {
    Index_picture picture{13, 3, Bytes(39, 0)};
    picture.indexes[2 * 13 + 0] = picture.indexes[2 * 13 + 7] = 1;  // bottom row: pixels 0 and 7
    picture.indexes[12] = 1;                                         // top row: pixel 12
    Bytes const file = write_png(picture, Colours{0x123456, 0xFEDCBA}).file;
    ASSERT_FALSE(file.empty());
    t::Read_back const back = t::read_1bit_png(std::string(file.begin(), file.end()));
    EXPECT_EQ(back.palette, (std::array<std::uint32_t, 2>{0x123456, 0xFEDCBA}));
    ASSERT_EQ(back.mask.width, 13);
    ASSERT_EQ(back.mask.height, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 13; ++x)
            EXPECT_EQ(back.mask.at(x, y), (y == 0 && x == 12) || (y == 2 && (x == 0 || x == 7))) << x << ", " << y;

    Colour_picture colours;
    ASSERT_EQ(read_png_colours(file, colours).check, Png_check::ok);
    EXPECT_EQ(std::vector<unsigned char>(colours.rgba.begin() + 48, colours.rgba.begin() + 52),
              (std::vector<unsigned char>{0xFE, 0xDC, 0xBA, 0xFF}));
    EXPECT_EQ(std::vector<unsigned char>(colours.rgba.begin(), colours.rgba.begin() + 4),
              (std::vector<unsigned char>{0x12, 0x34, 0x56, 0xFF}));
}

TEST(TilmarPngWriter, SizesMustFitTheFormat) {
    EXPECT_TRUE(png_fits(192, 12));
    EXPECT_TRUE(png_fits(0x7FFFFFFF, 1));
    EXPECT_FALSE(png_fits(0x80000000LL, 1));
    EXPECT_FALSE(png_fits(1, 0x80000000LL));
    EXPECT_TRUE(png_fits(65536, 65535));    // a byte a pixel: 4 GiB less 64 KiB
    EXPECT_FALSE(png_fits(65536, 65536));   // 4 GiB
    EXPECT_FALSE(png_fits(0, 12));
}

TEST(TilmarPngFormat, NamesEndingInPng) {
    struct Case {
        char const* name;
        bool png;
    } const cases[] = {{"font.png", true}, {"FONT.PNG", true}, {"a.Png", true}, {".png", true},
                       {"dir.png/font.bmp", false}, {"font.png.bmp", false}, {"fontpng", false}, {"png", false},
                       {"font.bmp", false}, {"", false}};
    for (auto const& c : cases) EXPECT_EQ(png_file_name(c.name), c.png) << c.name;
}

}  // namespace
}  // namespace tilmar
