#include "tilmar/bmp-writer.h"

#include <cstddef>
#include <limits>
#include <stdexcept>

#include "tilmar/bmp-format.h"

namespace tilmar {

namespace {

// A palette entry is stored as the bytes B, G, R, 0: the 0xRRGGBB value read little-endian.
std::uint32_t palette_entry(std::uint32_t rgb) { return rgb & 0xFFFFFF; }

}  // namespace

bool bmp_fits(long long width, long long height) {
    long long const int_max = std::numeric_limits<std::int32_t>::max();
    if (width < 0 || height < 0 || width > int_max || height > int_max) return false;
    long long const data_size = bitmap_row_size(width) * height;  // below 2^60: no overflow
    return static_cast<long long>(bmp::header_size) + data_size <= std::numeric_limits<std::uint32_t>::max();
}

std::vector<unsigned char> write_bmp(Bitmap const& picture, Palette const& palette) {
    if (!bmp_fits(picture.width, picture.height)) throw std::length_error("picture too large for a BMP file");
    std::uint32_t const data_size = static_cast<std::uint32_t>(bitmap_row_size(picture.width) * picture.height);
    if (picture.pixels.size() != data_size) throw std::invalid_argument("pixel data does not match the picture size");
    std::int32_t const height = static_cast<std::int32_t>(picture.top_down ? -picture.height : picture.height);

    std::vector<unsigned char> file(bmp::header_size, 0);
    file[0] = 'B';
    file[1] = 'M';
    write_le(file, bmp::file_size_at, 4, static_cast<std::uint32_t>(bmp::header_size + data_size));
    write_le(file, bmp::data_offset_at, 4, bmp::header_size);
    write_le(file, bmp::info_size_at, 4, bmp::info_header_size);
    write_le(file, bmp::width_at, 4, static_cast<std::uint32_t>(picture.width));
    write_le(file, bmp::height_at, 4, static_cast<std::uint32_t>(height));
    write_le(file, bmp::planes_at, 2, 1);
    write_le(file, bmp::bits_per_pixel_at, 2, 1);
    write_le(file, bmp::data_size_at, 4, data_size);
    write_le(file, bmp::x_pixels_per_metre_at, 4, bmp::pixels_per_metre);
    write_le(file, bmp::y_pixels_per_metre_at, 4, bmp::pixels_per_metre);
    write_le(file, bmp::background_at, 4, palette_entry(palette.background));
    write_le(file, bmp::foreground_at, 4, palette_entry(palette.foreground));
    file.insert(file.end(), picture.pixels.begin(), picture.pixels.end());
    return file;
}

}  // namespace tilmar
