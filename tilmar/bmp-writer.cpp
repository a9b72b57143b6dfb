#include "tilmar/bmp-writer.h"

#include <cstddef>
#include <limits>
#include <stdexcept>

#include "tilmar/bmp-format.h"

namespace tilmar {

namespace {

long long row_size(long long width, int bits) { return (width * bits + 31) / 32 * 4; }

}  // namespace

int bmp_bits_for(std::size_t entries) { return entries <= 2 ? 1 : entries <= 16 ? 4 : 8; }

bool bmp_fits(long long width, long long height, int bits) {
    long long const int_max = std::numeric_limits<std::int32_t>::max();
    if (width < 0 || height < 0 || width > int_max || height > int_max) return false;
    long long const data_size = row_size(width, bits) * height;  // below 2^62: no overflow
    long long const headers = static_cast<long long>(bmp::file_header_size + bmp::info_header_size +
                                                     bmp::palette_entry_size * (std::size_t{1} << bits));
    return headers + data_size <= std::numeric_limits<std::uint32_t>::max();
}

std::vector<unsigned char> write_bmp(Index_picture const& picture, Colours const& palette) {
    if (palette.size() < 2 || palette.size() > 256) throw std::invalid_argument("palette of 2 to 256 entries expected");
    int const bits = bmp_bits_for(palette.size());
    if (!bmp_fits(picture.width, picture.height, bits)) throw std::length_error("picture too large for a BMP file");
    if (static_cast<long long>(picture.indexes.size()) != picture.width * picture.height)
        throw std::invalid_argument("pixel data does not match the picture size");
    std::size_t const entries = std::size_t{1} << bits;
    std::size_t const data_offset = bmp::file_header_size + bmp::info_header_size + bmp::palette_entry_size * entries;
    std::size_t const stride = static_cast<std::size_t>(row_size(picture.width, bits));
    std::uint32_t const data_size = static_cast<std::uint32_t>(stride * static_cast<std::size_t>(picture.height));

    std::vector<unsigned char> file(data_offset + data_size, 0);
    file[0] = 'B';
    file[1] = 'M';
    write_le(file, bmp::file_size_at, 4, static_cast<std::uint32_t>(file.size()));
    write_le(file, bmp::data_offset_at, 4, static_cast<std::uint32_t>(data_offset));
    write_le(file, bmp::info_size_at, 4, bmp::info_header_size);
    write_le(file, bmp::width_at, 4, static_cast<std::uint32_t>(picture.width));
    write_le(file, bmp::height_at, 4, static_cast<std::uint32_t>(picture.height));
    write_le(file, bmp::planes_at, 2, 1);
    write_le(file, bmp::bits_per_pixel_at, 2, static_cast<std::uint32_t>(bits));
    write_le(file, bmp::data_size_at, 4, data_size);
    write_le(file, bmp::x_pixels_per_metre_at, 4, bmp::pixels_per_metre);
    write_le(file, bmp::y_pixels_per_metre_at, 4, bmp::pixels_per_metre);
    // 0 stands for a full palette of 2^bits entries; a shorter one is padded with black.
    write_le(file, bmp::colours_used_at, 4, palette.size() < entries ? static_cast<std::uint32_t>(palette.size()) : 0);
    for (std::size_t i = 0; i < palette.size(); ++i)  // stored B, G, R, 0: 0xRRGGBB read little-endian
        write_le(file, bmp::background_at + bmp::palette_entry_size * i, 4, palette[i] & 0xFFFFFF);

    // Rows bottom-up; indexes packed from the most significant bits of each byte.
    unsigned const mask = (1u << bits) - 1;
    for (long long y = 0; y < picture.height; ++y) {
        unsigned char const* from = picture.indexes.data() + static_cast<std::size_t>(y * picture.width);
        unsigned char* row = file.data() + data_offset + static_cast<std::size_t>(picture.height - 1 - y) * stride;
        for (long long x = 0; x < picture.width; ++x) {
            std::size_t const bit = static_cast<std::size_t>(x) * static_cast<std::size_t>(bits);
            row[bit / 8] = static_cast<unsigned char>(row[bit / 8] | (from[x] & mask) << (8 - bits - bit % 8));
        }
    }
    return file;
}

}  // namespace tilmar
