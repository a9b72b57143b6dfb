#include <gtest/gtest.h>

#include <algorithm>

#include "tilmar/bmp-format.h"
#include "tilmar/bmp-reader.h"
#include "tilmar/bmp-writer.h"
#include "picture_files.h"

namespace tilmar {
namespace {

using Bytes = std::vector<unsigned char>;

Bytes slice(Bytes const& b, std::size_t from, std::size_t count) { return Bytes(b.begin() + from, b.begin() + from + count); }

// A 1-bit BMP file with the given header fields and pixel data, built field by field.
Bytes bmp_file(std::uint32_t width, std::int32_t height, Bytes const& pixels, std::uint32_t data_size,
               std::uint32_t data_offset = 62) {
    Bytes file(62, 0);
    file[0] = 'B';
    file[1] = 'M';
    write_le(file, 10, 4, data_offset);
    write_le(file, 14, 4, 40);
    write_le(file, 18, 4, width);
    write_le(file, 22, 4, static_cast<std::uint32_t>(height));
    write_le(file, 26, 2, 1);
    write_le(file, 28, 2, 1);
    write_le(file, 34, 4, data_size);
    file.resize(std::max<std::size_t>(data_offset, 62), 0);
    file.insert(file.end(), pixels.begin(), pixels.end());
    return file;
}

Bytes with_offset(Bytes file, std::uint32_t data_offset) {
    write_le(file, 10, 4, data_offset);
    return file;
}

Index_picture blank_picture(long long width, long long height) {
    return Index_picture{width, height, Bytes(static_cast<std::size_t>(width * height), 0)};
}

Colours const black_white = {0x000000, 0xFFFFFF};

TEST(TilmarBmpWriter, HeaderOfSixteenTiles) {
    Index_picture const picture = blank_picture(192, 12);
    Bytes const file = write_bmp(picture, black_white);
    Bytes const header{
        'B', 'M', 0x5E, 0x01, 0, 0,  // file size 350
        0, 0, 0, 0,                  // reserved
        62, 0, 0, 0,                 // pixel data offset
        40, 0, 0, 0,                 // information header size
        0xC0, 0, 0, 0,               // width 192
        12, 0, 0, 0,                 // height 12: bottom-up
        1, 0, 1, 0,                  // planes, bits per pixel
        0, 0, 0, 0,                  // no compression
        0x20, 0x01, 0, 0,            // pixel data size 288
        0xC4, 0x0E, 0, 0,            // 3780 pixels per metre
        0xC4, 0x0E, 0, 0,            //
        0, 0, 0, 0, 0, 0, 0, 0,      // colours used, important colours
        0, 0, 0, 0,                  // background black
        0xFF, 0xFF, 0xFF, 0,         // foreground white
    };
    ASSERT_EQ(file.size(), 350u);
    EXPECT_EQ(slice(file, 0, 62), header);
    EXPECT_EQ(slice(file, 62, 288), Bytes(288, 0));
}

TEST(TilmarBmpWriter, PaletteEntriesAreBlueGreenRedZero) {
    struct Case {
        std::uint32_t background, foreground;
        Bytes entries;
    } const cases[] = {
        {0x000000, 0xFF0000, {0, 0, 0, 0, 0x00, 0x00, 0xFF, 0}},
        {0x123456, 0x00FF00, {0x56, 0x34, 0x12, 0, 0x00, 0xFF, 0x00, 0}},
        {0x0000FF, 0xFFFFFF, {0xFF, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0}},
    };
    for (auto const& c : cases)
        EXPECT_EQ(slice(write_bmp(blank_picture(192, 12), Colours{c.background, c.foreground}), 54, 8), c.entries);
}

TEST(TilmarBmpWriter, MoreColoursTakeFourOrEightBitsAndReadBackByIndex) {
    struct Case {
        std::size_t entries;
        std::uint32_t bits, data_offset, colours_used;
    } const cases[] = {{4, 4, 118, 4}, {16, 4, 118, 0}, {256, 8, 1078, 0}};
    for (Case const& c : cases) {
        Index_picture picture = blank_picture(13, 3);
        for (std::size_t i = 0; i < picture.indexes.size(); ++i)
            picture.indexes[i] = static_cast<unsigned char>(i * 7 % c.entries);
        Colours palette;
        for (std::size_t i = 0; i < c.entries; ++i) palette.push_back(static_cast<std::uint32_t>(i * 0x010203) & 0xFFFFFF);
        Bytes const file = write_bmp(picture, palette);
        Bmp_header header;
        ASSERT_EQ(read_bmp_header(file, header), Bmp_header_check::ok);
        EXPECT_EQ(header.bits_per_pixel, c.bits);
        EXPECT_EQ(header.data_offset, c.data_offset);
        EXPECT_EQ(read_le(file, 46, 4), c.colours_used);
        Index_picture back;
        Colours back_palette;
        ASSERT_EQ(read_bmp_indexes(file, header, back, back_palette), Bmp_pixels_check::ok);
        EXPECT_EQ(back.indexes, picture.indexes) << c.entries;
        EXPECT_EQ(back_palette, palette);
    }
}

TEST(TilmarBmpWriter, SizesMustFitTheFormat) {
    EXPECT_TRUE(bmp_fits(192, 12));
    EXPECT_TRUE(bmp_fits(0x7FFFFFFF, 1));
    EXPECT_FALSE(bmp_fits(0x80000000LL, 1));                   // wider than the signed field
    EXPECT_FALSE(bmp_fits(12LL * 1000000, 12LL * 1000));         // 18 GB of pixel data
    EXPECT_TRUE(bmp_fits(32LL * 1024, 1024LL * 1024 - 1));        // 4 GB less a row, with the header
    EXPECT_FALSE(bmp_fits(32LL * 1024, 1024LL * 1024));           // 4 GB and the header: one over
}

TEST(TilmarBmpReader, ReadsWhatTheWriterWrote) {
    Index_picture picture = blank_picture(192, 24);
    // The bottom row, stored first: byte 5 = 1010 0101.
    for (int x : {40, 42, 45, 47}) picture.indexes[23 * 192 + static_cast<std::size_t>(x)] = 1;
    Bytes const file = write_bmp(picture, Colours{0x111111, 0x222222});
    Bmp_header header;
    ASSERT_EQ(read_bmp_header(file, header), Bmp_header_check::ok);
    EXPECT_EQ(header.width, 192);
    EXPECT_EQ(header.height, 24);
    EXPECT_FALSE(header.top_down);
    EXPECT_EQ(header.data_offset, 62u);
    EXPECT_EQ(header.data_size, 576u);
    Bitmap back;
    ASSERT_EQ(read_bmp_pixels(file, header, back), Bmp_pixels_check::ok);
    Bytes expected(576, 0);
    expected[5] = 0xA5;
    EXPECT_EQ(back.pixels, expected);
    EXPECT_FALSE(back.top_down);
}

TEST(TilmarBmpReader, RefusesHeadersInOrder) {
    Bytes const good = bmp_file(12, 12, Bytes(48, 0), 48);
    Bytes const empty;
    Bytes text(62, 'x');
    Bytes short_file = good;
    short_file.resize(61);
    Bytes not_bm = good;
    not_bm[1] = 'A';
    Bytes four_bit = good;
    four_bit[28] = 4;
    Bytes twenty_four_bit = good;
    twenty_four_bit[28] = 24;
    Bytes two_byte_depth = good;  // bits per pixel is a 16-bit field: 0x0101 is not 1
    two_byte_depth[29] = 1;
    struct Case {
        char const* what;
        Bytes const& file;
        Bmp_header_check expected;
    } const cases[] = {
        {"empty", empty, Bmp_header_check::too_short},
        {"61 bytes", short_file, Bmp_header_check::too_short},
        {"62 bytes of text", text, Bmp_header_check::not_bitmap},
        {"no BM", not_bm, Bmp_header_check::not_bitmap},
        {"4 bits per pixel", four_bit, Bmp_header_check::ok},
        {"24 bits per pixel", twenty_four_bit, Bmp_header_check::ok},
        {"257 bits per pixel", two_byte_depth, Bmp_header_check::unsupported_depth},
        {"good", good, Bmp_header_check::ok},
    };
    for (auto const& c : cases) {
        Bmp_header header;
        EXPECT_EQ(read_bmp_header(c.file, header), c.expected) << c.what;
    }
}

TEST(TilmarBmpReader, NegativeHeightMeansTopDown) {
    struct Case {
        std::int32_t field;
        long long height;
        bool top_down;
    } const cases[] = {{24, 24, false}, {-24, 24, true}, {-1, 1, true}, {INT32_MIN, 2147483648LL, true}};
    for (auto const& c : cases) {
        Bmp_header header;
        ASSERT_EQ(read_bmp_header(bmp_file(12, c.field, {}, 0), header), Bmp_header_check::ok);
        EXPECT_EQ(header.height, c.height) << c.field;
        EXPECT_EQ(header.top_down, c.top_down) << c.field;
    }
}

TEST(TilmarBmpReader, PixelDataMustLieWithinTheFile) {
    Bytes rows(96, 0);  // 24 rows of 4 bytes
    for (std::size_t i = 0; i < rows.size(); ++i) rows[i] = static_cast<unsigned char>(i);
    Bytes with_tail = rows;
    with_tail.push_back(0xEE);
    struct Case {
        char const* what;
        Bytes file;
        Bmp_pixels_check expected;
    } const cases[] = {
        {"exact size", bmp_file(12, 24, rows, 96), Bmp_pixels_check::ok},
        {"size 0 means the rows' size", bmp_file(12, 24, rows, 0), Bmp_pixels_check::ok},
        {"bytes after the data", bmp_file(12, 24, with_tail, 97), Bmp_pixels_check::ok},
        {"size field past the end", bmp_file(12, 24, rows, 97), Bmp_pixels_check::outside_file},
        {"size field huge", bmp_file(12, 24, rows, 0xFFFFFFFF), Bmp_pixels_check::outside_file},
        {"one row short", bmp_file(12, 24, Bytes(92, 0), 0), Bmp_pixels_check::outside_file},
        {"offset past the end", with_offset(bmp_file(12, 24, rows, 96), 0xFFFFFFF0), Bmp_pixels_check::outside_file},
        {"offset one byte late", with_offset(bmp_file(12, 24, rows, 96), 63), Bmp_pixels_check::outside_file},
        {"height past the end, size field within", bmp_file(12, 25, rows, 96), Bmp_pixels_check::outside_file},
        {"height past the end", bmp_file(12, 0x7FFFFFFF, rows, 0), Bmp_pixels_check::outside_file},
        {"top-down height past the end", bmp_file(12, INT32_MIN, rows, 0), Bmp_pixels_check::outside_file},
        {"width past the end", bmp_file(0xFFFFFFFC, 24, rows, 0), Bmp_pixels_check::outside_file},
        {"size field below the rows", bmp_file(12, 24, rows, 92), Bmp_pixels_check::size_field_short},
    };
    for (auto const& c : cases) {
        Bmp_header header;
        ASSERT_EQ(read_bmp_header(c.file, header), Bmp_header_check::ok) << c.what;
        Bitmap picture;
        ASSERT_EQ(read_bmp_pixels(c.file, header, picture), c.expected) << c.what;
        if (c.expected == Bmp_pixels_check::ok) {
            EXPECT_EQ(picture.pixels, rows) << c.what;
            EXPECT_EQ(picture.width, 12) << c.what;
            EXPECT_EQ(picture.height, 24) << c.what;
        }
    }
}

TEST(TilmarBmpReader, DataOffsetIsHonoured) {
    Bytes rows(48, 0x5A);
    Bytes const file = bmp_file(12, -12, rows, 48, 100);
    Bmp_header header;
    ASSERT_EQ(read_bmp_header(file, header), Bmp_header_check::ok);
    Bitmap picture;
    ASSERT_EQ(read_bmp_pixels(file, header, picture), Bmp_pixels_check::ok);
    EXPECT_EQ(picture.pixels, rows);
    EXPECT_TRUE(picture.top_down);
}

TEST(TilmarBmpFormat, FieldsOutsideTheBufferThrow) {
    Bytes buf(6, 0);
    write_le(buf, 2, 4, 0x11223344);
    EXPECT_EQ(buf, (Bytes{0, 0, 0x44, 0x33, 0x22, 0x11}));
    EXPECT_EQ(read_le(buf, 2, 2), 0x3344u);
    EXPECT_THROW(read_le(buf, 3, 4), std::out_of_range);
    EXPECT_THROW(write_le(buf, 7, 1, 0), std::out_of_range);
    EXPECT_THROW(read_le(buf, SIZE_MAX, 2), std::out_of_range);
}

using tilmar_test::bmp_of;
using tilmar_test::Bmp_form;
using tilmar_test::Drawing;

Bytes bytes(std::string const& file) { return Bytes(file.begin(), file.end()); }

// Three pixels on each of two rows: the corners of the colour cube and a mid-grey.
Drawing const six_colours{3, 2, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF, 0xFF000000, 0xFF808080}};

// The top row first, as a picture of colours holds it.
Bytes rgba_of(std::vector<std::uint32_t> const& argb) {
    Bytes rgba;
    for (std::uint32_t c : argb)
        rgba.insert(rgba.end(), {static_cast<unsigned char>(c >> 16), static_cast<unsigned char>(c >> 8),
                                 static_cast<unsigned char>(c), static_cast<unsigned char>(c >> 24)});
    return rgba;
}

TEST(TilmarBmpReader, HeadersOfEveryForm) {
    Drawing const black_white{3, 2, {0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF, 0xFF000000, 0xFF000000, 0xFFFFFFFF}};
    std::vector<std::uint32_t> const eight = six_colours.pixels;
    std::vector<std::uint32_t> sixteen = eight;
    sixteen.resize(16, 0xFF123456);
    struct Case {
        char const* what;
        Bmp_form form;
        std::uint32_t palette_offset, palette_colours;
        Bmp_masks masks;
    } const cases[] = {
        {"1 bit", {40, 1, false, {}, false, {0xFF000000, 0xFFFFFFFF}}, 54, 2, {}},
        {"4 bits, 124-byte header", {124, 4, false, {}, false, sixteen}, 138, 16, {}},
        {"8 bits, 6 used", {108, 8, false, {}, true, eight, 6}, 122, 6, {}},
        {"16 bits plain", {40, 16}, 54, 0, {0x7C00, 0x03E0, 0x001F, 0}},
        {"16 bits 5-6-5, masks after the header", {40, 16, true, {0xF800, 0x07E0, 0x001F, 0}}, 54, 0,
         {0xF800, 0x07E0, 0x001F, 0}},
        {"24 bits", {108, 24}, 0, 0, {}},
        {"32 bits plain: no alpha whatever the header says", {124, 32}, 0, 0, {0xFF0000, 0xFF00, 0xFF, 0}},
        {"32 bits with alpha", {124, 32, true, {0xFF00, 0xFF0000, 0xFF000000, 0xFF}}, 0, 0,
         {0xFF00, 0xFF0000, 0xFF000000, 0xFF}},
    };
    for (auto const& c : cases) {
        Bytes const file = bytes(bmp_of(black_white, c.form));
        Bmp_header header;
        ASSERT_EQ(read_bmp_header(file, header), Bmp_header_check::ok) << c.what;
        EXPECT_EQ(header.info_size, static_cast<std::uint32_t>(c.form.info_size)) << c.what;
        EXPECT_EQ(header.bits_per_pixel, static_cast<std::uint32_t>(c.form.bits)) << c.what;
        EXPECT_EQ(header.width, 3) << c.what;
        EXPECT_EQ(header.height, 2) << c.what;
        EXPECT_EQ(header.top_down, c.form.top_down) << c.what;
        if (c.palette_colours != 0) {
            EXPECT_EQ(header.palette_offset, c.palette_offset) << c.what;
        }
        EXPECT_EQ(header.palette_colours, c.palette_colours) << c.what;
        if (c.form.bits >= 16 && c.form.bits != 24) {
            EXPECT_EQ(header.masks.red, c.masks.red) << c.what;
            EXPECT_EQ(header.masks.green, c.masks.green) << c.what;
            EXPECT_EQ(header.masks.blue, c.masks.blue) << c.what;
            EXPECT_EQ(header.masks.alpha, c.masks.alpha) << c.what;
        }
    }
}

TEST(TilmarBmpReader, ColoursOfEveryDepth) {
    // Red, green, blue / white, black, 0x808080 at 8 bits a channel; 0x80 is 16 of 31 levels (132)
    // and 32 of 63 (130).
    std::vector<std::uint32_t> const exact = six_colours.pixels;
    std::vector<std::uint32_t> const five_bits{0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF, 0xFF000000, 0xFF848484};
    std::vector<std::uint32_t> const five_six_five{0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF, 0xFF000000, 0xFF848284};
    std::vector<std::uint32_t> palette{0xFF000000, 0xFF0000FF, 0xFF808080, 0xFF00FF00, 0xFFFF0000, 0xFFFFFFFF};
    std::vector<std::uint32_t> sixteen = palette;
    sixteen.resize(16, 0xFF123456);
    Drawing translucent = six_colours;
    translucent.pixels[0] = 0x7FFF0000;
    translucent.pixels[5] = 0x00808080;
    struct Case {
        char const* what;
        Drawing drawing;
        Bmp_form form;
        std::vector<std::uint32_t> expected;
    } const cases[] = {
        {"4 bits, 16 entries", six_colours, {40, 4, false, {}, false, sixteen}, exact},
        {"4 bits, 6 used", six_colours, {40, 4, false, {}, false, palette, 6}, exact},
        {"8 bits, top-down", six_colours, {124, 8, false, {}, true, palette, 6}, exact},
        {"16 bits 5-5-5", six_colours, {40, 16}, five_bits},
        {"16 bits 5-6-5", six_colours, {108, 16, true, {0xF800, 0x07E0, 0x001F, 0}}, five_six_five},
        {"16 bits 5-6-5, 52-byte header", six_colours, {52, 16, true, {0xF800, 0x07E0, 0x001F, 0}}, five_six_five},
        {"24 bits", six_colours, {40, 24}, exact},
        {"24 bits, top-down", six_colours, {124, 24, false, {}, true}, exact},
        {"32 bits plain: its fourth byte 0 is no alpha", translucent, {40, 32}, exact},
        {"32 bits with alpha", translucent, {124, 32, true, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}}, translucent.pixels},
        {"32 bits, channels in another order", translucent, {56, 32, true, {0xFF00, 0xFF0000, 0xFF000000, 0xFF}},
         translucent.pixels},
        {"32 bits, 40-byte header with bit fields", translucent, {40, 32, true, {0xFF, 0xFF00, 0xFF0000, 0}}, exact},
    };
    for (auto const& c : cases) {
        Bytes const file = bytes(bmp_of(c.drawing, c.form));
        Bmp_header header;
        ASSERT_EQ(read_bmp_header(file, header), Bmp_header_check::ok) << c.what;
        Colour_picture picture;
        ASSERT_EQ(read_bmp_colours(file, header, picture), Bmp_pixels_check::ok) << c.what;
        EXPECT_EQ(picture.width, 3) << c.what;
        EXPECT_EQ(picture.height, 2) << c.what;
        EXPECT_EQ(picture.rgba, rgba_of(c.expected)) << c.what;
    }
}

TEST(TilmarBmpReader, OneBitPicturesByTheirBitsOrByTheirPalette) {
    Drawing const drawing{2, 1, {0xFFFFFFFF, 0xFF000000}};
    for (auto const& palette : {std::vector<std::uint32_t>{0xFF000000, 0xFFFFFFFF}, {0xFFFFFFFF, 0xFF000000}}) {
        Bytes const file = bytes(bmp_of(drawing, {40, 1, false, {}, false, palette}));
        Bmp_header header;
        ASSERT_EQ(read_bmp_header(file, header), Bmp_header_check::ok);
        Bitmap bits;
        ASSERT_EQ(read_bmp_pixels(file, header, bits), Bmp_pixels_check::ok);
        EXPECT_EQ(bits.pixels, (Bytes{palette[0] == 0xFF000000 ? std::uint8_t{0x80} : std::uint8_t{0x40}, 0, 0, 0}));
        Colour_picture colours;
        ASSERT_EQ(read_bmp_colours(file, header, colours), Bmp_pixels_check::ok);
        EXPECT_EQ(colours.rgba, rgba_of(drawing.pixels));
    }
}

TEST(TilmarBmpReader, RefusesWhatItCannotRead) {
    Bytes const good = bytes(bmp_of(six_colours, {40, 24}));
    auto with = [&good](std::size_t offset, std::size_t size, std::uint32_t value) {
        Bytes file = good;
        write_le(file, offset, size, value);
        return file;
    };
    Bytes v5 = bytes(bmp_of(six_colours, {124, 24}));
    v5.resize(137);
    Bytes masks_cut = bytes(bmp_of(six_colours, {40, 32, true, {0xFF0000, 0xFF00, 0xFF, 0}}));
    masks_cut.resize(65);
    struct Case {
        char const* what;
        Bytes file;
        Bmp_header_check expected;
    } const cases[] = {
        {"OS/2 1.x", with(14, 4, 12), Bmp_header_check::os2_header},
        {"OS/2 2.x", with(14, 4, 64), Bmp_header_check::os2_header},
        {"OS/2 2.x, short form", with(14, 4, 16), Bmp_header_check::os2_header},
        {"header of 0 bytes", with(14, 4, 0), Bmp_header_check::unknown_header},
        {"header of 100 bytes", with(14, 4, 100), Bmp_header_check::unknown_header},
        {"124-byte header cut", v5, Bmp_header_check::too_short},
        {"0 bits per pixel", with(28, 2, 0), Bmp_header_check::unsupported_depth},
        {"2 bits per pixel", with(28, 2, 2), Bmp_header_check::unsupported_depth},
        {"64 bits per pixel", with(28, 2, 64), Bmp_header_check::unsupported_depth},
        {"RLE8", with(30, 4, 1), Bmp_header_check::compressed},
        {"bit fields at 24 bits", with(30, 4, 3), Bmp_header_check::compressed},
        {"JPEG", with(30, 4, 4), Bmp_header_check::compressed},
        {"alpha bit fields", with(30, 4, 6), Bmp_header_check::compressed},
        {"compression 0x80000000", with(30, 4, 0x80000000), Bmp_header_check::compressed},
        {"masks after the header cut", masks_cut, Bmp_header_check::too_short},
    };
    for (auto const& c : cases) {
        Bmp_header header;
        EXPECT_EQ(read_bmp_header(c.file, header), c.expected) << c.what;
    }
}

TEST(TilmarBmpReader, PalettesAndIndicesMustFit) {
    std::vector<std::uint32_t> const palette{0xFF000000, 0xFF0000FF, 0xFF808080, 0xFF00FF00, 0xFFFF0000, 0xFFFFFFFF};
    Bytes const good = bytes(bmp_of(six_colours, {40, 8, false, {}, false, palette, 6}));  // data at 78
    auto with = [&good](std::size_t offset, std::size_t size, std::uint32_t value) {
        Bytes file = good;
        write_le(file, offset, size, value);
        return file;
    };
    struct Case {
        char const* what;
        Bytes file;
        Bmp_pixels_check expected;
    } const cases[] = {
        {"palette as given", good, Bmp_pixels_check::ok},
        {"256 entries announced", with(46, 4, 0), Bmp_pixels_check::palette_outside},
        {"7 entries, the last one over the pixels", with(46, 4, 7), Bmp_pixels_check::palette_outside},
        {"5 entries: white has none", with(46, 4, 5), Bmp_pixels_check::index_past_palette},
        {"data offset inside the palette", with(10, 4, 74), Bmp_pixels_check::palette_outside},
        {"palette past the end of the file", Bytes(good.begin(), good.begin() + 70), Bmp_pixels_check::palette_outside},
        {"pixel data cut", Bytes(good.begin(), good.end() - 1), Bmp_pixels_check::outside_file},
        {"size field short", with(34, 4, 7), Bmp_pixels_check::size_field_short},
    };
    for (auto const& c : cases) {
        Bmp_header header;
        ASSERT_EQ(read_bmp_header(c.file, header), Bmp_header_check::ok) << c.what;
        Colour_picture picture;
        EXPECT_EQ(read_bmp_colours(c.file, header, picture), c.expected) << c.what;
    }
}

}  // namespace
}  // namespace tilmar
