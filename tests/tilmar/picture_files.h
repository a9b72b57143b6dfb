// Pictures stored the way image editors store them, written by the tests' own encoders (not
// Tilmar's), and the tests' reading of the pictures Tilmar writes.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace tilmar_test {

using Colour = std::uint32_t;  // 0xAARRGGBB
constexpr Colour opaque = 0xFF000000;

// Which pixels of a tile sheet are drawn, rows from the top.
struct Mask {
    int width = 0;
    int height = 0;
    std::vector<bool> drawn;
    bool at(int x, int y) const { return drawn[static_cast<std::size_t>(y) * width + x]; }
    void set(int x, int y, bool value) { drawn[static_cast<std::size_t>(y) * width + x] = value; }
};

// The sheet of the tiles (18 bytes each: 144 bits, row after row, most significant bit first),
// `columns` to a row, as the README lays it out.
Mask sheet_mask(std::string const& tiles, int columns);
// The first `count` tiles of a sheet, as the ROM holds them.
std::string mask_tiles(Mask const& mask, int columns, int count);

// A picture of colours, rows from the top.
struct Drawing {
    int width = 0;
    int height = 0;
    std::vector<Colour> pixels;
    Colour at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// Drawn pixels in the `drawn` shades, the others in the `blank` ones, each shade chosen by the
// pixel's place so that neighbours differ.
Drawing paint(Mask const& mask, std::vector<Colour> const& drawn, std::vector<Colour> const& blank);
// The drawing with the alpha of each pixel replaced, in turn, by these values; `kept` says which
// pixels stay drawn when alpha below 0x80 counts as background.
Drawing with_alphas(Drawing drawing, std::vector<unsigned> const& alphas, Mask const& mask, Mask& kept);

struct Bmp_form {
    Bmp_form(int info_size, int bits, bool bit_fields = false, std::array<std::uint32_t, 4> masks = {},
             bool top_down = false, std::vector<Colour> palette = {}, std::uint32_t colours_used = 0)
        : info_size(info_size), bits(bits), bit_fields(bit_fields), masks(masks), top_down(top_down),
          palette(std::move(palette)), colours_used(colours_used) {}
    int info_size;                       // 40, 52, 56, 108 or 124
    int bits;                            // 1, 4, 8, 16, 24 or 32
    bool bit_fields;                     // 16 and 32 bits: the masks below, else 5-5-5 and 8-8-8
    std::array<std::uint32_t, 4> masks;  // red, green, blue, alpha
    bool top_down;
    std::vector<Colour> palette;         // 1, 4, 8 bits: the entries in this order
    std::uint32_t colours_used;          // the header's field: 0 for all the depth allows
};

// The BMP file of the drawing: a pixel of an indexed form takes the palette entry of its
// colour (alpha ignored); 16- and 32-bit pixels are scaled to their masks.
std::string bmp_of(Drawing const& drawing, Bmp_form const& form);

enum Png_type { png_grey = 0, png_rgb = 2, png_palette = 3, png_grey_alpha = 4, png_rgba = 6 };

struct Png_form {
    Png_form(int type, int bit_depth, bool interlaced = false, std::vector<Colour> palette = {})
        : type(type), bit_depth(bit_depth), interlaced(interlaced), palette(std::move(palette)) {}
    int type;
    int bit_depth;
    bool interlaced;              // Adam7
    std::vector<Colour> palette;  // palette type: the entries; a tRNS chunk when one is not opaque
};

// The PNG file of the drawing, every row with its own filter: grey types take the red channel,
// types without alpha drop it.
std::string png_of(Drawing const& drawing, Png_form const& form);

// One PNG chunk with its length and CRC; the signature.
std::string png_chunk(std::string const& type, std::string const& data);
std::string const png_signature = "\x89PNG\r\n\x1A\n";
std::string be32(std::uint32_t value);

// What the tests read back from the pictures Tilmar writes.
struct Read_back {
    Mask mask;                         // pixels of palette entry 1
    std::array<Colour, 2> palette{};   // entries 0 and 1, as 0xRRGGBB
};
// A 1-bit BMP of a 40-byte header, bottom-up or top-down.
Read_back read_1bit_bmp(std::string const& file);
// A 1-bit palette PNG, not interlaced, any filters.
Read_back read_1bit_png(std::string const& file);

}  // namespace tilmar_test
