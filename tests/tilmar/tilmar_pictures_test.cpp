// The built program on pictures stored as image editors store them: every BMP form and PNG
// colour type is inserted byte for byte, an extracted picture edited and saved in another form
// comes back as edited, "-f" and "-b" choose the colours read, and what cannot be read is
// refused with its message, every file left as it was.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "picture_files.h"
#include "support/process.h"
#include "support/refusal.h"
#include "support/scratch.h"
#include "tilmar/options.h"

namespace {

using test_support::Args;
using test_support::RunResult;
using test_support::Scratch;
using test_support::with;
namespace t = tilmar_test;
using t::Colour;

RunResult tilmar(Scratch const& scratch, Args const& args) { return test_support::run(TILMAR, args, scratch.dir()); }

void expect_refused(Scratch const& scratch, Args const& args, std::string const& out) {
    test_support::expect_refused(TILMAR, scratch, args, out);
}

// Bytes that differ from one position to the next, so a misplaced tile shows.
std::string numbered_bytes(std::size_t size) {
    std::string bytes;
    for (std::size_t i = 0; i < size; ++i) bytes += static_cast<char>((i * 73 + i / 18 * 11 + 5) & 0xFF);
    return bytes;
}

constexpr int tiles = 20;
constexpr int columns = 16;  // a 192 × 24 sheet whose second row holds tiles 16 to 19

Colour const white = 0xFFFFFFFF;
Colour const black = 0xFF000000;
// Near the default colours, so that each is read by the nearer one.
std::vector<Colour> const light{0xFFFFFFFF, 0xFFE0E0E0, 0xFFFF8080, 0xFF80FFC0};
std::vector<Colour> const dark{0xFF000000, 0xFF303030, 0xFF800000, 0xFF004060};
std::vector<Colour> const light_greys{0xFFFFFFFF, 0xFFAAAAAA};
std::vector<Colour> const dark_greys{0xFF000000, 0xFF555555};
// Alphas from 0x80 up keep a pixel; below, it is background.
std::vector<unsigned> const alphas{0xFF, 0x80, 0x7F, 0x00, 0xC0, 0x40};

t::Mask inverted(t::Mask mask) {
    for (std::size_t i = 0; i < mask.drawn.size(); ++i) mask.drawn[i] = !mask.drawn[i];
    return mask;
}

// Those colours, then fillers no pixel uses, up to `size` entries.
std::vector<Colour> palette_of(std::vector<Colour> colours, std::size_t size) {
    for (std::uint32_t filler = 0xFF0102F0; colours.size() < size; filler += 0x030507) colours.push_back(filler);
    return colours;
}

std::vector<Colour> joined(std::vector<Colour> a, std::vector<Colour> const& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Every colour-alpha pair a drawing of these shades and `alphas` can hold, for an 8-bit palette.
std::vector<Colour> translucent_palette(std::vector<Colour> const& shades) {
    std::vector<Colour> palette;
    for (Colour shade : shades)
        for (unsigned alpha : alphas) palette.push_back((shade & 0xFFFFFF) | alpha << 24);
    return palette;
}

struct Picture_case {
    std::string what;
    std::string file;       // the picture's bytes
    std::string name;       // its file name, which tells BMP from PNG
    Args options;           // given to the insertion
    std::string expected;   // the tiles it must give
};

void expect_inserted(Picture_case const& c) {
    SCOPED_TRACE(c.what);
    Scratch scratch;
    scratch.write(c.name, c.file);
    std::string const rom = numbered_bytes(18 * tiles + 10);
    scratch.write("rom.bin", rom);
    RunResult const r = tilmar(scratch, with(with({"-i", "-t", std::to_string(tiles), "-o", "5"}, c.options), {"rom.bin", c.name}));
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(scratch.read("rom.bin"), rom.substr(0, 5) + c.expected + rom.substr(5 + 18 * tiles));
}

struct Sheet {
    std::string rom_tiles = numbered_bytes(18 * tiles);
    t::Mask mask = t::sheet_mask(rom_tiles, columns);
    std::string tiles_of(t::Mask const& m) const { return t::mask_tiles(m, columns, tiles); }
};

TEST(TilmarPictures, EveryBmpFormIsReadByteForByte) {
    Sheet const s;
    t::Drawing const mono = t::paint(s.mask, {white}, {black});
    t::Drawing const shaded = t::paint(s.mask, light, dark);
    t::Mask kept;
    t::Drawing const translucent = t::with_alphas(shaded, alphas, s.mask, kept);
    std::string const right = s.tiles_of(s.mask);
    std::vector<Colour> const shades = joined(dark, light);
    std::vector<Colour> const interleaved{0xFF000000, 0xFFFFFFFF, 0xFF303030, 0xFFE0E0E0,
                                          0xFF800000, 0xFFFF8080, 0xFF004060, 0xFF80FFC0};
    struct Case {
        char const* what;
        t::Drawing const& drawing;
        t::Bmp_form form;
        Args options;
        std::string expected;
    } const cases[] = {
        {"1 bit, black then white", mono, {40, 1, false, {}, false, {black, white}}, {}, right},
        {"1 bit, white then black: read by its bits", mono, {40, 1, false, {}, false, {white, black}}, {},
         s.tiles_of(inverted(s.mask))},
        {"1 bit, white then black, with -f", mono, {40, 1, false, {}, false, {white, black}}, {"-f", "0xffffff"}, right},
        {"1 bit, 124-byte header, top-down", mono, {124, 1, false, {}, true, {black, white}}, {}, right},
        {"4 bits", shaded, {40, 4, false, {}, false, palette_of(interleaved, 16)}, {}, right},
        {"4 bits, 8 colours used, 108-byte header", shaded, {108, 4, false, {}, false, shades, 8}, {}, right},
        {"8 bits", shaded, {40, 8, false, {}, false, palette_of(shades, 256)}, {}, right},
        {"8 bits, 124-byte header, top-down, 8 used", shaded, {124, 8, false, {}, true, interleaved, 8}, {}, right},
        {"16 bits 5-5-5", shaded, {40, 16}, {}, right},
        {"16 bits 5-5-5, 124-byte header, top-down", shaded, {124, 16, false, {}, true}, {}, right},
        {"16 bits 5-6-5, masks after the header", shaded, {40, 16, true, {0xF800, 0x07E0, 0x001F, 0}}, {}, right},
        {"16 bits 5-6-5, 108-byte header", shaded, {108, 16, true, {0xF800, 0x07E0, 0x001F, 0}}, {}, right},
        {"16 bits 1-5-5-5 with alpha", translucent, {108, 16, true, {0x7C00, 0x03E0, 0x001F, 0x8000}}, {},
         s.tiles_of(kept)},
        {"24 bits", shaded, {40, 24}, {}, right},
        {"24 bits, 108-byte header", shaded, {108, 24}, {}, right},
        {"24 bits, 124-byte header, top-down", shaded, {124, 24, false, {}, true}, {}, right},
        {"32 bits plain: the fourth byte is no alpha", translucent, {40, 32}, {}, right},
        {"32 bits plain, 124-byte header", translucent, {124, 32, false, {}, true}, {}, right},
        {"32 bits, bit fields without alpha", translucent, {40, 32, true, {0xFF0000, 0xFF00, 0xFF, 0}}, {}, right},
        {"32 bits 8-8-8-8 with alpha", translucent, {124, 32, true, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}}, {},
         s.tiles_of(kept)},
        {"32 bits, alpha first, top-down", translucent, {108, 32, true, {0xFF00, 0xFF0000, 0xFF000000, 0xFF}, true}, {},
         s.tiles_of(kept)},
    };
    for (auto const& c : cases) expect_inserted({c.what, t::bmp_of(c.drawing, c.form), "case.bmp", c.options, c.expected});
}

TEST(TilmarPictures, EveryPngTypeAndDepthIsReadByteForByte) {
    Sheet const s;
    t::Drawing const mono = t::paint(s.mask, {white}, {black});
    t::Drawing const shaded = t::paint(s.mask, light, dark);
    t::Drawing const grey = t::paint(s.mask, light_greys, dark_greys);
    t::Mask kept;
    t::Drawing const translucent = t::with_alphas(shaded, alphas, s.mask, kept);
    t::Drawing const translucent_grey = t::with_alphas(grey, alphas, s.mask, kept);  // the same pixels kept
    std::string const right = s.tiles_of(s.mask);
    struct Case {
        char const* what;
        t::Drawing const& drawing;
        t::Png_form form;
        std::string expected;
    } const cases[] = {
        {"grey, 1 bit", mono, {t::png_grey, 1}, right},
        {"grey, 2 bits", grey, {t::png_grey, 2}, right},
        {"grey, 4 bits", grey, {t::png_grey, 4}, right},
        {"grey, 8 bits", grey, {t::png_grey, 8}, right},
        {"grey, 16 bits", grey, {t::png_grey, 16}, right},
        {"grey and alpha, 8 bits", translucent_grey, {t::png_grey_alpha, 8}, s.tiles_of(kept)},
        {"grey and alpha, 16 bits", translucent_grey, {t::png_grey_alpha, 16}, s.tiles_of(kept)},
        {"palette, 1 bit, white first", mono, {t::png_palette, 1, false, {white, black}}, right},
        {"palette, 2 bits", grey, {t::png_palette, 2, false, joined(light_greys, dark_greys)}, right},
        {"palette, 4 bits", shaded, {t::png_palette, 4, false, palette_of(joined(light, dark), 16)}, right},
        {"palette, 8 bits", shaded, {t::png_palette, 8, false, palette_of(joined(dark, light), 200)}, right},
        {"palette, 8 bits, with transparency", translucent, {t::png_palette, 8, false, translucent_palette(joined(light, dark))},
         s.tiles_of(kept)},
        {"RGB, 8 bits", shaded, {t::png_rgb, 8}, right},
        {"RGB, 16 bits", shaded, {t::png_rgb, 16}, right},
        {"RGBA, 8 bits", translucent, {t::png_rgba, 8}, s.tiles_of(kept)},
        {"RGBA, 16 bits", translucent, {t::png_rgba, 16}, s.tiles_of(kept)},
        {"RGB, interlaced", shaded, {t::png_rgb, 8, true}, right},
        {"palette, 1 bit, interlaced", mono, {t::png_palette, 1, true, {black, white}}, right},
    };
    for (auto const& c : cases) expect_inserted({c.what, t::png_of(c.drawing, c.form), "case.png", {}, c.expected});
    // The ending chooses the format, in any case.
    expect_inserted({"upper-case name", t::png_of(shaded, {t::png_rgb, 8}), "CASE.PNG", {}, right});
}

// What the tests read back from a picture Tilmar extracted, by its name.
t::Read_back read_back(Scratch const& scratch, std::string const& name) {
    std::string const file = scratch.read(name);
    return name.size() > 4 && name.substr(name.size() - 4) == ".png" ? t::read_1bit_png(file) : t::read_1bit_bmp(file);
}

TEST(TilmarPictures, AnExtractedPictureEditedAndSavedInAnotherFormComesBackAsEdited) {
    Sheet const s;
    struct Case {
        char const* what;
        std::string extracted;  // the name Tilmar extracts to
        std::string saved;      // the name the edited picture is saved as
        std::function<std::string(t::Drawing const&)> save;
    };
    std::vector<Case> const cases = {
        {"BMP to 24-bit BMP", "font.bmp", "edited.bmp", [](t::Drawing const& d) { return t::bmp_of(d, {40, 24}); }},
        {"BMP to 32-bit BMP with alpha", "font.bmp", "edited.bmp",
         [](t::Drawing const& d) { return t::bmp_of(d, {124, 32, true, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}, true}); }},
        {"BMP to 8-bit BMP", "font.bmp", "edited.bmp",
         [](t::Drawing const& d) { return t::bmp_of(d, {40, 8, false, {}, false, palette_of({white, black}, 256)}); }},
        {"BMP to RGB PNG", "font.bmp", "edited.png", [](t::Drawing const& d) { return t::png_of(d, {t::png_rgb, 8}); }},
        {"PNG to RGBA PNG", "font.png", "edited.png", [](t::Drawing const& d) { return t::png_of(d, {t::png_rgba, 16}); }},
        {"PNG to grey PNG", "font.png", "edited.png", [](t::Drawing const& d) { return t::png_of(d, {t::png_grey, 8}); }},
        {"PNG to 4-bit BMP", "font.png", "edited.bmp",
         [](t::Drawing const& d) { return t::bmp_of(d, {40, 4, false, {}, false, palette_of({black, white}, 16)}); }},
        {"PNG to 1-bit BMP", "font.png", "edited.bmp",
         [](t::Drawing const& d) { return t::bmp_of(d, {40, 1, false, {}, false, {black, white}}); }},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.what);
        Scratch scratch;
        scratch.write("rom.bin", s.rom_tiles);
        ASSERT_EQ(tilmar(scratch, {"-t", "20", "rom.bin", c.extracted}).status, 0);
        t::Read_back extracted = read_back(scratch, c.extracted);
        ASSERT_EQ(extracted.mask.drawn, s.mask.drawn);
        EXPECT_EQ(extracted.palette, (std::array<Colour, 2>{0x000000, 0xFFFFFF}));

        // Pixels flipped all over the 20 tiles, a tile row emptied and another filled.
        t::Mask edited = extracted.mask;
        for (int i = 0; i < 150; ++i) {
            int const x = i * 37 % 192;
            int const y = i * 7 % 24;
            if (y < 12 || x < 48) edited.set(x, y, !edited.at(x, y));
        }
        for (int x = 0; x < 12; ++x) edited.set(x, 3, false), edited.set(x + 24, 15, true);
        ASSERT_NE(s.tiles_of(edited), s.rom_tiles);

        scratch.write(c.saved, c.save(t::paint(edited, {white}, {black})));
        RunResult const in = tilmar(scratch, {"-i", "-t", "20", "rom.bin", c.saved});
        ASSERT_EQ(in.status, 0) << in.out;
        EXPECT_EQ(scratch.read("rom.bin"), s.tiles_of(edited));
        ASSERT_EQ(tilmar(scratch, {"-t", "20", "rom.bin", c.extracted}).status, 0);
        EXPECT_EQ(read_back(scratch, c.extracted).mask.drawn, edited.drawn);
    }
}

TEST(TilmarPictures, PngExtraction) {
    Sheet const s;
    Scratch scratch;
    scratch.write("rom.bin", s.rom_tiles);
    RunResult const r = tilmar(scratch, {"-t", "20", "-f", "0xff0000", "-b", "0x123456", "rom.bin", "Font.PNG"});
    EXPECT_EQ(r.out, "");
    ASSERT_EQ(r.status, 0);
    std::string const png = scratch.read("Font.PNG");
    EXPECT_EQ(png.substr(0, 8), t::png_signature);
    EXPECT_EQ(png.substr(12, 17), "IHDR" + t::be32(192) + t::be32(24) + std::string("\x01\x03\0\0\0", 5));
    t::Read_back const back = t::read_1bit_png(png);
    EXPECT_EQ(back.palette, (std::array<Colour, 2>{0x123456, 0xFF0000}));
    EXPECT_EQ(back.mask.drawn, s.mask.drawn);
    // The same colours read it back.
    RunResult const in = tilmar(scratch, {"-i", "-n", "-t", "20", "-f", "0xff0000", "-b", "0x123456", "back.bin", "Font.PNG"});
    ASSERT_EQ(in.status, 0) << in.out;
    EXPECT_EQ(scratch.read("back.bin"), s.rom_tiles);

    // Only the ending ".png" makes a PNG file.
    for (char const* name : {"font.png.bmp", "fontpng", "font.pn"}) {
        ASSERT_EQ(tilmar(scratch, {"-t", "20", "rom.bin", name}).status, 0);
        EXPECT_EQ(scratch.read(name).substr(0, 2), "BM") << name;
    }
}

TEST(TilmarPictures, PngRoundTrips) {
    Scratch scratch;
    std::string const rom = numbered_bytes(3 + 18 * 30);
    scratch.write("rom.bin", rom);
    for (std::string const cols : {"1", "5", "16"})
        for (int n : {1, 7, 16, 30}) {
            std::string const count = std::to_string(n);
            ASSERT_EQ(tilmar(scratch, {"-t", count, "-c", cols, "-o", "3", "rom.bin", "t.png"}).status, 0);
            RunResult const in = tilmar(scratch, {"-i", "-n", "-t", count, "back.bin", "t.png"});
            ASSERT_EQ(in.status, 0) << in.out;
            EXPECT_EQ(scratch.read("back.bin"), rom.substr(3, 18 * n)) << n << " tiles, -c " << cols;
        }
}

TEST(TilmarPictures, ColoursGivenOnInsertion) {
    Sheet const s;
    std::string const right = s.tiles_of(s.mask);
    std::string const blank(18 * tiles, '\0');
    std::string const solid(18 * tiles, '\xFF');
    auto const bmp24 = [&s](Colour drawn, Colour background) {
        return t::bmp_of(t::paint(s.mask, {drawn}, {background}), {40, 24});
    };
    // Extracted black on white with -f 0 -b 0xffffff, then saved by an editor that puts black
    // first in the palette and so flips every bit.
    std::string const resaved = t::bmp_of(t::paint(s.mask, {black}, {white}), {40, 1, false, {}, false, {black, white}});
    std::vector<Picture_case> const cases = {
        {"black on white, palette rewritten, read with the extraction's colours", resaved, "case.bmp",
         {"-f", "0", "-b", "0xffffff"}, right},
        {"black on white, palette rewritten, read by its bits", resaved, "case.bmp", {}, s.tiles_of(inverted(s.mask))},
        {"red on black, default colours: red is nearer black", bmp24(0xFFFF0000, black), "case.bmp", {}, blank},
        {"red on black, -f alone", bmp24(0xFFFF0000, black), "case.bmp", {"-f", "0xff0000"}, right},
        {"white on light grey, default colours", bmp24(white, 0xFFC0C0C0), "case.bmp", {}, solid},
        {"white on light grey, -b alone", bmp24(white, 0xFFC0C0C0), "case.bmp", {"-b", "0xc0c0c0"}, right},
        {"white on light grey, -b before -i", bmp24(white, 0xFFC0C0C0), "case.bmp", {"-b", "0xc0c0c0", "-e", "-i"}, right},
        {"blue on yellow PNG", t::png_of(t::paint(s.mask, {0xFF0000FF, 0xFF2020C0}, {0xFFFFFF00, 0xFFE0E040}), {t::png_rgb, 8}),
         "case.png", {"-f", "0x0000ff", "-b", "0xffff00"}, right},
        {"the colours swapped", bmp24(white, black), "case.bmp", {"-f", "0", "-b", "0xffffff"}, s.tiles_of(inverted(s.mask))},
    };
    for (auto const& c : cases) expect_inserted(c);
}

TEST(TilmarPictures, EqualColoursAreRefusedOnInsertionOnly) {
    Scratch scratch;
    scratch.write("rom.bin", numbered_bytes(18 * 4));
    ASSERT_EQ(tilmar(scratch, {"-t", "4", "rom.bin", "tiles.bmp"}).status, 0);
    std::string const usage = tilmar::usage_text();
    struct Case {
        Args colours;
        std::string out;
    } const cases[] = {
        {{"-f", "0x123456", "-b", "0x123456"}, "foreground and background colors are the same: 0x123456\n"},
        {{"-b", "0xffffff"}, "foreground and background colors are the same: 0xffffff\n"},
        {{"-f", "0"}, "foreground and background colors are the same: 0x000000\n"},
        {{"-f", "0xFFFFFF", "-b", "16777215"}, "foreground and background colors are the same: 0xffffff\n"},
    };
    for (auto const& c : cases) {
        for (Args const& n : {Args{}, Args{"-n"}})
            expect_refused(scratch, with(with(with({"-i", "-t", "4"}, n), c.colours), {"rom.bin", "tiles.bmp"}), c.out + usage);
        // Extraction draws with them as before, however unreadable the picture.
        RunResult const r = tilmar(scratch, with(with({"-t", "4"}, c.colours), {"rom.bin", "same.bmp"}));
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.status, 0);
    }
}

TEST(TilmarPictures, BmpFormsThatCannotBeRead) {
    Sheet const s;
    t::Drawing const mono = t::paint(s.mask, {white}, {black});
    std::string const bmp24 = t::bmp_of(mono, {40, 24});
    auto const changed = [](std::string file, std::size_t offset, std::size_t size, std::uint32_t value) {
        for (std::size_t i = 0; i < size; ++i) file.at(offset + i) = static_cast<char>(value >> (8 * i));
        return file;
    };
    // An OS/2 1.x file: a 12-byte header (width and height of 16 bits), palette entries of 3 bytes.
    std::string const one_bit = t::bmp_of(mono, {40, 1, false, {}, false, {black, white}});
    std::string os2 = "BM" + std::string(8, '\0') + std::string("\x20\0\0\0\x0C\0\0\0\xC0\0\x18\0\x01\0\x01\0", 16) +
                      std::string("\0\0\0\xFF\xFF\xFF", 6) + one_bit.substr(62);
    os2 = changed(os2, 2, 4, static_cast<std::uint32_t>(os2.size()));
    std::string const os2_v2 = changed(changed(one_bit, 14, 4, 64), 10, 4, 14 + 64 + 8);
    std::string const eight_bit = t::bmp_of(mono, {40, 8, false, {}, false, {black, white}, 2});  // pixel data at 62
    std::string const four_bit = t::bmp_of(mono, {40, 4, false, {}, false, {black, white}, 2});
    std::string const not_read = ", which Tilmar does not read; nothing was changed\n";
    struct Case {
        char const* what;
        std::string file;
        Args options;
        std::string out;
    } const cases[] = {
        {"OS/2 1.x", os2, {}, "bitmap file case.bmp has an OS/2 header of 12 bytes" + not_read},
        {"OS/2 2.x", os2_v2, {}, "bitmap file case.bmp has an OS/2 header of 64 bytes" + not_read},
        {"information header of 20 bytes", changed(bmp24, 14, 4, 20), {},
         "bitmap file case.bmp has an information header of 20 bytes" + not_read},
        {"2 bits per pixel", changed(bmp24, 28, 2, 2), {}, "bitmap file case.bmp has 2-bit pixels" + not_read},
        {"48 bits per pixel", changed(bmp24, 28, 2, 48), {}, "bitmap file case.bmp has 48-bit pixels" + not_read},
        {"RLE8", changed(eight_bit, 30, 4, 1), {},
         "bitmap file case.bmp has 8-bit pixels with compression 1 (RLE8)" + not_read},
        {"RLE4", changed(four_bit, 30, 4, 2), {},
         "bitmap file case.bmp has 4-bit pixels with compression 2 (RLE4)" + not_read},
        {"bit fields at 24 bits", changed(bmp24, 30, 4, 3), {},
         "bitmap file case.bmp has 24-bit pixels with compression 3 (bit fields)" + not_read},
        {"JPEG", changed(bmp24, 30, 4, 4), {}, "bitmap file case.bmp has 24-bit pixels with compression 4 (JPEG)" + not_read},
        {"PNG inside", changed(bmp24, 30, 4, 5), {}, "bitmap file case.bmp has 24-bit pixels with compression 5 (PNG)" + not_read},
        {"alpha bit fields", changed(t::bmp_of(mono, {40, 32}), 30, 4, 6), {},
         "bitmap file case.bmp has 32-bit pixels with compression 6 (alpha bit fields)" + not_read},
        {"1-bit with compression", changed(one_bit, 30, 4, 1), {},
         "bitmap file case.bmp has 1-bit pixels with compression 1 (RLE8)" + not_read},
        {"compression 9", changed(bmp24, 30, 4, 9), {},
         "bitmap file case.bmp has 24-bit pixels with compression 9 (unknown)" + not_read},
        {"palette of 256 over the pixels", changed(eight_bit, 46, 4, 0), {},
         "bitmap file case.bmp has 8-bit pixels and a palette of size 256 that does not fit in the file before its "
         "pixel data; nothing was changed\n"},
        {"1-bit palette over the pixels, read by colour", changed(one_bit, 10, 4, 58), {"-f", "0xffffff"},
         "bitmap file case.bmp has 1-bit pixels and a palette of size 2 that does not fit in the file before its "
         "pixel data; nothing was changed\n"},
        {"palette of 1 color", changed(eight_bit, 46, 4, 1), {},
         "bitmap file case.bmp has a pixel whose color index lies past the end of its palette; nothing was changed\n"},
        {"24-bit pixel data cut", bmp24.substr(0, bmp24.size() - 1), {}, "case.bmp bitmap file is too small"},
        {"24-bit size field short", changed(bmp24, 34, 4, 100), {},
         "bitmap file case.bmp gives 100 bytes of pixel data where its rows take 13824\n"},
        {"124-byte header cut", t::bmp_of(mono, {124, 24}).substr(0, 130), {}, "bitmap file case.bmp is too small\n"},
        {"24 bits, 20 pixels wide", changed(bmp24, 18, 4, 20), {},
         "bitmap file case.bmp is 20 pixels wide, not a multiple of the tile width (12 pixels)\n"},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.what);
        Scratch scratch;
        scratch.write("rom.bin", numbered_bytes(1000));
        scratch.write("case.bmp", c.file);
        for (Args const& files : {Args{"rom.bin"}, Args{"-n", "rom.bin"}, Args{"-n", "new.bin"}})
            expect_refused(scratch, with(with(with({"-i", "-t", "20"}, c.options), files), {"case.bmp"}), c.out);
    }
}

TEST(TilmarPictures, OneBitPicturesWithoutColoursAreReadAsBefore) {
    // Without -f and -b neither the palette nor its place is consulted.
    Sheet const s;
    std::string one_bit = t::bmp_of(t::paint(s.mask, {white}, {black}), {40, 1, false, {}, false, {black, white}});
    for (std::size_t i = 10; i < 14; ++i) one_bit[i] = i == 10 ? 58 : 0;  // pixel data over the palette's second entry
    std::string const shifted = one_bit.substr(0, 58) + one_bit.substr(62) + "pad.";
    expect_inserted({"palette overlapped by the pixel data", shifted, "case.bmp", {}, s.rom_tiles});
}

TEST(TilmarPictures, PngFilesThatCannotBeRead) {
    Sheet const s;
    std::string const good = t::png_of(t::paint(s.mask, light, dark), {t::png_rgb, 8});
    auto const ihdr = [](std::uint32_t width, std::uint32_t height, int depth, int type) {
        return t::png_chunk("IHDR", t::be32(width) + t::be32(height) + static_cast<char>(depth) + static_cast<char>(type) +
                                        std::string(3, '\0'));
    };
    std::string const image_data = good.substr(33, good.size() - 33 - 12);
    std::string const end = t::png_chunk("IEND", "");
    std::string bad_crc = good;
    bad_crc[100] ^= 0x10;
    std::string const nothing = "; nothing was changed\n";
    struct Case {
        char const* what;
        std::string file;
        std::string out;
    } const cases[] = {
        {"empty", "", "case.png is not a PNG file" + nothing},
        {"a BMP file", t::bmp_of(t::paint(s.mask, {white}, {black}), {40, 24}), "case.png is not a PNG file" + nothing},
        {"signature only", t::png_signature, "PNG file case.png is cut short" + nothing},
        {"cut in the image data", good.substr(0, 200), "PNG file case.png is cut short" + nothing},
        {"cut before IEND", good.substr(0, good.size() - 12), "PNG file case.png is cut short" + nothing},
        {"cut in IEND", good.substr(0, good.size() - 2), "PNG file case.png is cut short" + nothing},
        {"image data damaged", bad_crc, "PNG file case.png is damaged: its chunk at byte 33 fails its CRC check" + nothing},
        {"deflate data damaged, CRC right", t::png_signature + ihdr(192, 24, 8, 2) + t::png_chunk("IDAT", "\x78\x9C garbage") + end,
         "PNG file case.png is damaged: IDAT: invalid stored block lengths" + nothing},
        {"bit depth 3", t::png_signature + ihdr(192, 24, 3, 2) + image_data + end,
         "PNG file case.png is damaged: Invalid IHDR data" + nothing},
        {"palette missing", t::png_signature + ihdr(192, 24, 8, 3) + image_data + end,
         "PNG file case.png is damaged: IDAT: Missing PLTE before IDAT" + nothing},
        {"too few rows of data", t::png_signature + ihdr(192, 36, 8, 2) + image_data + end,
         "PNG file case.png is damaged: Not enough image data" + nothing},
        {"too large to read", t::png_signature + ihdr(65532, 65532, 1, 0) + t::png_chunk("IDAT", "") + end,
         "PNG file case.png is 65532 x 65532 pixels, too large to be read" + nothing},
        {"20 pixels wide", t::png_signature + ihdr(20, 24, 8, 2) + image_data + end,
         "bitmap file case.png is 20 pixels wide, not a multiple of the tile width (12 pixels)\n"},
        {"8 pixels wide", t::png_signature + ihdr(8, 24, 8, 2) + image_data + end,
         "bitmap file case.png is 8 pixels wide, narrower than a tile (12 pixels)\n"},
        {"one tile row", t::png_signature + ihdr(192, 12, 8, 2) + image_data + end, "bitmap file case.png is too small\n"},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.what);
        Scratch scratch;
        scratch.write("rom.bin", numbered_bytes(1000));
        scratch.write("case.png", c.file);
        for (Args const& files : {Args{"rom.bin"}, Args{"-n", "rom.bin"}, Args{"-n", "new.bin"}})
            expect_refused(scratch, with(with({"-i", "-t", "20"}, files), {"case.png"}), c.out);
    }
}

TEST(TilmarPictures, PngExtractionRefusals) {
    Scratch scratch;
    scratch.write("rom.bin", numbered_bytes(18 * 4));
    scratch.write("tiles.png", "my edited picture");
    expect_refused(scratch, {"-t", "1", "-c", "200000000", "rom.bin", "tiles.png"},
                   "a bitmap of 2400000000 x 12 pixels is too large for a PNG file\n");
    // Within PNG's 31-bit sides, but 25 GB of pixels where libpng encodes at most 4 GiB at once
    // (as BMP the picture would take 3.2 GB).
    expect_refused(scratch, {"-t", "1", "-c", "178956970", "rom.bin", "Tiles.PNG"},
                   "a bitmap of 2147483640 x 12 pixels is too large for a PNG file\n");
}

}  // namespace
