#include "tuiles/formats.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;
using Tuiles::Dimensions;
using Tuiles::Ordre;

// An 8 × 8 picture: the rows given, every other row 0.
Bytes rows8(std::vector<std::pair<int, Bytes>> const& rows) {
    Bytes pixels(64, 0);
    for (auto const& [y, row] : rows)
        for (std::size_t x = 0; x < 8; ++x) pixels[static_cast<std::size_t>(y) * 8 + x] = row[x];
    return pixels;
}

Bytes zeros(std::size_t n) { return Bytes(n, 0); }

Bytes cat(std::vector<Bytes> const& parts) {
    Bytes all;
    for (Bytes const& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

Bytes decode(std::string const& name, Dimensions const& d, Bytes const& bytes) {
    Tuiles::Format const* f = Tuiles::chercher_format(name);
    Bytes pixels(static_cast<std::size_t>(d.largeur * d.hauteur));
    Tuiles::decoder(*f, d, bytes.data(), bytes.size(), pixels.data(), pixels.size());
    return pixels;
}

Bytes encode(std::string const& name, Dimensions const& d, Bytes const& pixels) {
    Tuiles::Format const* f = Tuiles::chercher_format(name);
    Bytes bytes(Tuiles::octets_tuile(*f, d));
    Tuiles::encoder(*f, d, pixels.data(), pixels.size(), bytes.data(), bytes.size());
    return bytes;
}

// The same three rows in every 2-bit case: row 0 is 1 2 3 0 0 0 0 2, row 1 all 3, row 7 1 then 2.
Bytes const two_bit_tile = rows8({{0, {1, 2, 3, 0, 0, 0, 0, 2}}, {1, {3, 3, 3, 3, 3, 3, 3, 3}}, {7, {1, 0, 0, 0, 0, 0, 0, 2}}});
// Row 0 is 1 to 8, row 1 all 15, row 7 9 then 10.
Bytes const four_bit_tile =
    rows8({{0, {1, 2, 3, 4, 5, 6, 7, 8}}, {1, {15, 15, 15, 15, 15, 15, 15, 15}}, {7, {9, 0, 0, 0, 0, 0, 0, 10}}});
// Row 0 is 0x81 then 0x02, row 1 all 0xFF.
Bytes const eight_bit_tile = rows8({{0, {0x81, 0, 0, 0, 0, 0, 0, 0x02}}, {1, {255, 255, 255, 255, 255, 255, 255, 255}}});

// Each tile's bytes as its format's description lays them out, worked out by hand: in the
// planar formats bit 7 of a plane byte is the leftmost pixel (row 0 of the 2-bit tile gives
// plane 0 = 1010 0000 = A0 and plane 1 = 0110 0001 = 61); the Neo Geo Pocket keeps pixel 0
// in bits 15-14 of a little-endian word (01 10 11 00 00 00 00 10 = 6C02, stored 02 6C), the
// Virtual Boy in bits 1-0 (1 + 2<<2 + 3<<4 + 2<<14 = 8039, stored 39 80).
struct Hand_tile {
    char const* format;
    Bytes pixels;
    Bytes bytes;
};

std::vector<Hand_tile> const hand_tiles = {
    {"nes-2bpp", two_bit_tile,
     cat({{0xA0, 0xFF}, zeros(5), {0x80}, {0x61, 0xFF}, zeros(5), {0x01}})},
    {"gb-2bpp", two_bit_tile, cat({{0xA0, 0x61, 0xFF, 0xFF}, zeros(10), {0x80, 0x01}})},
    {"ngp-2bpp", two_bit_tile, cat({{0x02, 0x6C, 0xFF, 0xFF}, zeros(10), {0x02, 0x40}})},
    {"vb-2bpp", two_bit_tile, cat({{0x39, 0x80, 0xFF, 0xFF}, zeros(10), {0x01, 0x80}})},
    // Row 0's planes: 1010 1010, 0110 0110, 0001 1110, 0000 0001; row 7's: 80, 01, 00, 81.
    {"snes-4bpp", four_bit_tile,
     cat({{0xAA, 0x66, 0xFF, 0xFF}, zeros(10), {0x80, 0x01}, {0x1E, 0x01, 0xFF, 0xFF}, zeros(10), {0x00, 0x81}})},
    {"sms-4bpp", four_bit_tile, cat({{0xAA, 0x66, 0x1E, 0x01, 0xFF, 0xFF, 0xFF, 0xFF}, zeros(20), {0x80, 0x01, 0x00, 0x81}})},
    {"gba-4bpp", four_bit_tile, cat({{0x21, 0x43, 0x65, 0x87, 0xFF, 0xFF, 0xFF, 0xFF}, zeros(20), {0x09, 0x00, 0x00, 0xA0}})},
    {"md-4bpp", four_bit_tile, cat({{0x12, 0x34, 0x56, 0x78, 0xFF, 0xFF, 0xFF, 0xFF}, zeros(20), {0x90, 0x00, 0x00, 0x0A}})},
    // 0x81 sets planes 0 and 7 of pixel 0, 0x02 plane 1 of pixel 7.
    {"snes-8bpp", eight_bit_tile,
     cat({{0x80, 0x01, 0xFF, 0xFF}, zeros(12), {0x00, 0x00, 0xFF, 0xFF}, zeros(12), {0x00, 0x00, 0xFF, 0xFF}, zeros(12),
          {0x00, 0x80, 0xFF, 0xFF}, zeros(12)})},
    {"gba-8bpp", eight_bit_tile, cat({{0x81, 0, 0, 0, 0, 0, 0, 0x02}, Bytes(8, 0xFF), zeros(48)})},
};

TEST(TileFormats, HandMadeEightByEightTilesDecodeAndEncodeBack) {
    for (Hand_tile const& t : hand_tiles) {
        ASSERT_EQ(t.bytes.size(), Tuiles::octets_tuile(*Tuiles::chercher_format(t.format), Dimensions{})) << t.format;
        EXPECT_EQ(decode(t.format, Dimensions{}, t.bytes), t.pixels) << t.format;
        EXPECT_EQ(encode(t.format, Dimensions{}, t.pixels), t.bytes) << t.format;
    }
}

TEST(TileFormats, OneBitTilesOfAnySizeAndTheTwelveByTwelveForm) {
    // 10 × 3, rows of two bytes: row 0 lights pixels 0 and 9, row 1 pixel 8, row 2 all.
    Bytes const ten = {1, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    Bytes const ten_bytes = {0x80, 0x40, 0x00, 0x80, 0xFF, 0xC0};
    EXPECT_EQ(decode("1bpp", Dimensions{10, 3}, ten_bytes), ten);
    EXPECT_EQ(encode("1bpp", Dimensions{10, 3}, ten), ten_bytes);

    // Two 12-bit rows in three bytes: AB CD EF is row 0 = ABC, row 1 = DEF.
    Bytes twelve_bytes(18, 0);
    twelve_bytes[0] = 0xAB;
    twelve_bytes[1] = 0xCD;
    twelve_bytes[2] = 0xEF;
    twelve_bytes[17] = 0x01;  // the bottom-right pixel
    Bytes twelve(144, 0);
    for (int x = 0; x < 12; ++x) {
        twelve[static_cast<std::size_t>(x)] = (0xABC >> (11 - x)) & 1;
        twelve[static_cast<std::size_t>(12 + x)] = (0xDEF >> (11 - x)) & 1;
    }
    twelve[143] = 1;
    EXPECT_EQ(decode("1bpp-12", Dimensions{12, 12}, twelve_bytes), twelve);
    EXPECT_EQ(encode("1bpp-12", Dimensions{12, 12}, twelve), twelve_bytes);
}

TEST(TileFormats, LargerTilesAreEightByEightTilesInRowsOrInColumns) {
    // A 16 × 16 gb-2bpp tile: top-left all 1, top-right all 2, bottom-left all 3, bottom-right 0.
    Bytes pixels(256, 0);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) pixels[static_cast<std::size_t>(y * 16 + x)] = y < 8 ? (x < 8 ? 1 : 2) : (x < 8 ? 3 : 0);
    Bytes one, two, three;
    for (int r = 0; r < 8; ++r) {
        one.insert(one.end(), {0xFF, 0x00});
        two.insert(two.end(), {0x00, 0xFF});
        three.insert(three.end(), {0xFF, 0xFF});
    }
    Bytes const by_rows = cat({one, two, three, zeros(16)});
    Bytes const by_columns = cat({one, three, two, zeros(16)});
    EXPECT_EQ(encode("gb-2bpp", Dimensions{16, 16, Ordre::lignes}, pixels), by_rows);
    EXPECT_EQ(encode("gb-2bpp", Dimensions{16, 16, Ordre::colonnes}, pixels), by_columns);
    EXPECT_EQ(decode("gb-2bpp", Dimensions{16, 16, Ordre::colonnes}, by_columns), pixels);
}

TEST(TileFormats, RandomBytesDecodeThenEncodeToTheSameBytes) {
    std::mt19937 random(24);
    Dimensions const sizes[] = {{8, 8}, {16, 16}, {8, 16}, {24, 8, Ordre::colonnes}, {16, 32, Ordre::colonnes}};
    for (Tuiles::Format const& f : Tuiles::formats()) {
        for (Dimensions const& d : sizes) {
            Dimensions const size = f.cote_fixe != 0 ? Dimensions{12, 12} : d;
            Bytes bytes(Tuiles::octets_tuile(f, size));
            for (auto& b : bytes) b = static_cast<unsigned char>(random());
            Bytes const pixels = decode(f.nom, size, bytes);
            for (unsigned char p : pixels) EXPECT_LT(p, Tuiles::couleurs(f)) << f.nom;
            EXPECT_EQ(encode(f.nom, size, pixels), bytes) << f.nom << " " << size.largeur << "x" << size.hauteur;
        }
    }
    // Rows of a width that is not a multiple of 8 have padding bits: their pixels round-trip.
    Dimensions const odd{13, 5};
    Bytes pixels(65);
    for (auto& p : pixels) p = static_cast<unsigned char>(random() & 1);
    EXPECT_EQ(decode("1bpp", odd, encode("1bpp", odd, pixels)), pixels);
}

TEST(TileFormats, TheTableNamesEveryFormatAndTheSizesEachTakes) {
    EXPECT_EQ(Tuiles::noms_des_formats(),
              "1bpp-12, 1bpp, nes-2bpp, gb-2bpp, ngp-2bpp, vb-2bpp, snes-4bpp, gba-4bpp, md-4bpp, sms-4bpp, snes-8bpp, "
              "gba-8bpp");
    EXPECT_EQ(Tuiles::chercher_format("snes-4BPP"), nullptr);
    struct Case {
        char const* format;
        int width, height;
        bool taken;
    } const cases[] = {
        {"1bpp-12", 12, 12, true}, {"1bpp-12", 8, 8, false},   {"1bpp", 13, 7, true},    {"1bpp", 0, 8, false},
        {"gb-2bpp", 16, 8, true},  {"gb-2bpp", 12, 12, false}, {"md-4bpp", 8, 1024, true}, {"md-4bpp", 8, 1032, false},
    };
    for (Case const& c : cases)
        EXPECT_EQ(Tuiles::accepte(*Tuiles::chercher_format(c.format), c.width, c.height), c.taken)
            << c.format << " " << c.width << "x" << c.height;
}

TEST(TileFormats, BuffersOfTheWrongSizeAreRefused) {
    Tuiles::Format const& f = *Tuiles::chercher_format("snes-4bpp");
    Bytes bytes(31), pixels(64);
    EXPECT_THROW(Tuiles::decoder(f, Dimensions{}, bytes.data(), bytes.size(), pixels.data(), pixels.size()),
                 std::invalid_argument);
    bytes.resize(32);
    pixels.resize(63);
    EXPECT_THROW(Tuiles::encoder(f, Dimensions{}, pixels.data(), pixels.size(), bytes.data(), bytes.size()),
                 std::invalid_argument);
    EXPECT_THROW(Tuiles::decoder(f, Dimensions{12, 8}, bytes.data(), bytes.size(), pixels.data(), pixels.size()),
                 std::invalid_argument);
}

}  // namespace
