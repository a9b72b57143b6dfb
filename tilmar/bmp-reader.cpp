#include "tilmar/bmp-reader.h"

#include <cstddef>

#include "tilmar/bmp-format.h"

namespace tilmar {

Bmp_header_check read_bmp_header(std::vector<unsigned char> const& file, Bmp_header& header) {
    if (file.size() < bmp::header_size) return Bmp_header_check::too_short;
    if (file[0] != 'B' || file[1] != 'M') return Bmp_header_check::not_bitmap;
    header.bits_per_pixel = read_le(file, bmp::bits_per_pixel_at, 2);
    if (header.bits_per_pixel != 1) return Bmp_header_check::not_monochrome;

    header.width = read_le(file, bmp::width_at, 4);
    long long const height = static_cast<std::int32_t>(read_le(file, bmp::height_at, 4));
    header.top_down = height < 0;
    header.height = height < 0 ? -height : height;
    header.data_offset = read_le(file, bmp::data_offset_at, 4);
    header.data_size = read_le(file, bmp::data_size_at, 4);
    return Bmp_header_check::ok;
}

long long bmp_rows_size(Bmp_header const& header) { return bitmap_row_size(header.width) * header.height; }

Bmp_pixels_check read_bmp_pixels(std::vector<unsigned char> const& file, Bmp_header const& header, Bitmap& picture) {
    long long const needed = bmp_rows_size(header);
    long long const size = header.data_size != 0 ? header.data_size : needed;
    long long const file_size = static_cast<long long>(file.size());
    if (header.data_offset > file_size) return Bmp_pixels_check::outside_file;
    long long const room = file_size - header.data_offset;
    if (needed > room || size > room) return Bmp_pixels_check::outside_file;
    if (size < needed) return Bmp_pixels_check::size_field_short;

    picture.width = header.width;
    picture.height = header.height;
    picture.top_down = header.top_down;
    auto const first = file.begin() + static_cast<std::ptrdiff_t>(header.data_offset);
    picture.pixels.assign(first, first + static_cast<std::ptrdiff_t>(needed));
    return Bmp_pixels_check::ok;
}

}  // namespace tilmar
