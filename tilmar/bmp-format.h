#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tilmar {

// The 1-bit BMP file, little-endian: a 14-byte file header, a 40-byte information header, a
// two-entry palette, then the pixel data.
//
//   0 "BM"           10 pixel data offset   22 height (negative: top-down)   34 pixel data size
//   2 file size      14 info header size    26 planes                        38, 42 pixels per metre
//   6, 8 reserved    18 width               28 bits per pixel  30 compression  46, 50 colours
//   54 palette entry 0 (background) as B, G, R, 0      58 palette entry 1 (foreground)
namespace bmp {
constexpr std::size_t header_size = 62;
constexpr std::size_t info_header_size = 40;
constexpr std::size_t file_size_at = 2;
constexpr std::size_t data_offset_at = 10;
constexpr std::size_t info_size_at = 14;
constexpr std::size_t width_at = 18;
constexpr std::size_t height_at = 22;
constexpr std::size_t planes_at = 26;
constexpr std::size_t bits_per_pixel_at = 28;
constexpr std::size_t data_size_at = 34;
constexpr std::size_t x_pixels_per_metre_at = 38;
constexpr std::size_t y_pixels_per_metre_at = 42;
constexpr std::size_t background_at = 54;
constexpr std::size_t foreground_at = 58;
constexpr std::uint32_t pixels_per_metre = 3780;  // 96 dots per inch
}  // namespace bmp

// Unsigned little-endian field of `size` bytes (at most 4) at `offset`.
// Throws std::out_of_range when the field does not lie within the buffer.
std::uint32_t read_le(std::vector<unsigned char> const& buf, std::size_t offset, std::size_t size);
void write_le(std::vector<unsigned char>& buf, std::size_t offset, std::size_t size, std::uint32_t value);

}  // namespace tilmar
