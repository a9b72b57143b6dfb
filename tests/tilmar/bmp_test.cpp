#include <gtest/gtest.h>

#include <algorithm>

#include "tilmar/bmp-format.h"
#include "tilmar/bmp-reader.h"
#include "tilmar/bmp-writer.h"
#include "tilmar/sheet.h"

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

TEST(TilmarBmpWriter, HeaderOfSixteenTiles) {
    Bitmap const picture = blank_sheet(16, 16);
    Bytes const file = write_bmp(picture, Palette{});
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
    EXPECT_EQ(slice(file, 62, 288), picture.pixels);
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
        EXPECT_EQ(slice(write_bmp(blank_sheet(1, 1), Palette{c.background, c.foreground}), 54, 8), c.entries);
}

TEST(TilmarBmpWriter, TopDownPictureGetsANegativeHeight) {
    Bitmap picture = blank_bitmap(12, 24);
    picture.top_down = true;
    EXPECT_EQ(slice(write_bmp(picture, Palette{}), 22, 4), (Bytes{0xE8, 0xFF, 0xFF, 0xFF}));
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
    Bitmap picture = blank_sheet(20, 16);
    picture.pixels[5] = 0xA5;
    Bytes const file = write_bmp(picture, Palette{0x111111, 0x222222});
    Bmp_header header;
    ASSERT_EQ(read_bmp_header(file, header), Bmp_header_check::ok);
    EXPECT_EQ(header.width, 192);
    EXPECT_EQ(header.height, 24);
    EXPECT_FALSE(header.top_down);
    EXPECT_EQ(header.data_offset, 62u);
    EXPECT_EQ(header.data_size, 576u);
    Bitmap back;
    ASSERT_EQ(read_bmp_pixels(file, header, back), Bmp_pixels_check::ok);
    EXPECT_EQ(back.pixels, picture.pixels);
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
        {"4 bits per pixel", four_bit, Bmp_header_check::not_monochrome},
        {"24 bits per pixel", twenty_four_bit, Bmp_header_check::not_monochrome},
        {"257 bits per pixel", two_byte_depth, Bmp_header_check::not_monochrome},
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

}  // namespace
}  // namespace tilmar
