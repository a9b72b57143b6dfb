#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tilmar {

// The BMP file, little-endian: a 14-byte file header, an information header whose first field
// is its own size, the colour masks and the palette, then the pixel data. Tilmar writes the
// 1-bit form with a 40-byte information header and a two-entry palette:
//
//   0 "BM"           10 pixel data offset   22 height (negative: top-down)   34 pixel data size
//   2 file size      14 info header size    26 planes                        38, 42 pixels per metre
//   6, 8 reserved    18 width               28 bits per pixel  30 compression  46, 50 colours
//   54 palette entry 0 (background) as B, G, R, 0      58 palette entry 1 (foreground)
//
// The Windows headers of 52, 56, 108 and 124 bytes extend the 40-byte one: its fields keep
// their places and the red, green, blue and alpha masks follow at 54, 58, 62 and 66 (52 bytes:
// no alpha). A 40-byte header with bit fields is followed by the three colour masks instead.
// The palette, 4 bytes an entry, starts right after the information header. The OS/2 headers
// (12, 16 and 64 bytes) lay their fields out otherwise.
namespace bmp {
constexpr std::size_t header_size = 62;
constexpr std::size_t file_header_size = 14;
constexpr std::size_t info_header_size = 40;
constexpr std::size_t file_size_at = 2;
constexpr std::size_t data_offset_at = 10;
constexpr std::size_t info_size_at = 14;
constexpr std::size_t width_at = 18;
constexpr std::size_t height_at = 22;
constexpr std::size_t planes_at = 26;
constexpr std::size_t bits_per_pixel_at = 28;
constexpr std::size_t compression_at = 30;
constexpr std::size_t data_size_at = 34;
constexpr std::size_t x_pixels_per_metre_at = 38;
constexpr std::size_t y_pixels_per_metre_at = 42;
constexpr std::size_t colours_used_at = 46;
constexpr std::size_t background_at = 54;
constexpr std::size_t foreground_at = 58;
constexpr std::size_t red_mask_at = 54;
constexpr std::size_t green_mask_at = 58;
constexpr std::size_t blue_mask_at = 62;
constexpr std::size_t alpha_mask_at = 66;
constexpr std::size_t palette_entry_size = 4;
constexpr std::uint32_t no_compression = 0;
constexpr std::uint32_t bit_fields = 3;
constexpr std::uint32_t pixels_per_metre = 3780;  // 96 dots per inch
}  // namespace bmp

// Unsigned little-endian field of `size` bytes (at most 4) at `offset`.
// Throws std::out_of_range when the field does not lie within the buffer.
std::uint32_t read_le(std::vector<unsigned char> const& buf, std::size_t offset, std::size_t size);
void write_le(std::vector<unsigned char>& buf, std::size_t offset, std::size_t size, std::uint32_t value);

}  // namespace tilmar
