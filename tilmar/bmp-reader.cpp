#include "tilmar/bmp-reader.h"

#include <cstddef>
#include <limits>
#include <stdexcept>
#include <utility>

#include "tilmar/bmp-format.h"

namespace tilmar {

namespace {

bool os2_info_size(std::uint32_t size) { return size == 12 || size == 16 || size == 64; }

bool windows_info_size(std::uint32_t size) {
    return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

bool readable_depth(std::uint32_t bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// The layouts of pixels stored without bit fields: 5-5-5 with the top bit unused, and 8-8-8
// with the top byte unused (not an alpha: writers leave it 0).
Bmp_masks plain_masks(std::uint32_t bits) {
    if (bits == 16) return {0x7C00, 0x03E0, 0x001F, 0};
    if (bits == 32) return {0xFF0000, 0x00FF00, 0x0000FF, 0};
    return {};
}

// The channel's value scaled to 0..255; a channel of no bits is 0.
unsigned char channel(std::uint32_t pixel, std::uint32_t mask) {
    if (mask == 0) return 0;
    int shift = 0;
    while ((mask >> shift & 1) == 0) ++shift;
    std::uint64_t const top = mask >> shift;
    std::uint64_t const value = (pixel & mask) >> shift;
    return static_cast<unsigned char>((value * 255 + top / 2) / top);
}

Bmp_pixels_check check_pixel_data(std::vector<unsigned char> const& file, Bmp_header const& header) {
    long long const needed = bmp_rows_size(header);
    long long const size = header.data_size != 0 ? header.data_size : needed;
    long long const file_size = static_cast<long long>(file.size());
    if (header.data_offset > file_size) return Bmp_pixels_check::outside_file;
    long long const room = file_size - header.data_offset;
    if (needed > room || size > room) return Bmp_pixels_check::outside_file;
    if (size < needed) return Bmp_pixels_check::size_field_short;
    return Bmp_pixels_check::ok;
}

void put_rgba(std::vector<unsigned char>& rgba, std::size_t at, std::uint32_t rgb, unsigned char alpha) {
    rgba[at] = static_cast<unsigned char>(rgb >> 16);
    rgba[at + 1] = static_cast<unsigned char>(rgb >> 8);
    rgba[at + 2] = static_cast<unsigned char>(rgb);
    rgba[at + 3] = alpha;
}

// The palette (0xRRGGBB: entries are stored B, G, R, 0), then the pixel data's place.
Bmp_pixels_check read_palette_and_check(std::vector<unsigned char> const& file, Bmp_header const& header,
                                        Colours& palette) {
    if (header.palette_colours != 0) {
        long long const end = header.palette_offset + static_cast<long long>(bmp::palette_entry_size) * header.palette_colours;
        if (end > static_cast<long long>(file.size()) || end > header.data_offset) return Bmp_pixels_check::palette_outside;
        for (std::uint32_t i = 0; i < header.palette_colours; ++i)
            palette.push_back(read_le(file, header.palette_offset + bmp::palette_entry_size * i, 3));
    }
    return check_pixel_data(file, header);
}

// Indices are packed from the most significant bits of each byte.
unsigned packed_index(std::vector<unsigned char> const& file, std::size_t row, std::size_t bit, unsigned bits) {
    unsigned const byte = read_le(file, row + bit / 8, 1);
    return byte >> (8 - bits - bit % 8) & ((1u << bits) - 1);
}

}  // namespace

Bmp_header_check read_bmp_header(std::vector<unsigned char> const& file, Bmp_header& header) {
    if (file.size() < bmp::header_size) return Bmp_header_check::too_short;
    if (file[0] != 'B' || file[1] != 'M') return Bmp_header_check::not_bitmap;
    header.info_size = read_le(file, bmp::info_size_at, 4);
    if (os2_info_size(header.info_size)) return Bmp_header_check::os2_header;
    if (!windows_info_size(header.info_size)) return Bmp_header_check::unknown_header;
    if (file.size() < bmp::file_header_size + header.info_size) return Bmp_header_check::too_short;
    header.bits_per_pixel = read_le(file, bmp::bits_per_pixel_at, 2);
    if (!readable_depth(header.bits_per_pixel)) return Bmp_header_check::unsupported_depth;
    header.compression = read_le(file, bmp::compression_at, 4);
    bool const masked = header.bits_per_pixel == 16 || header.bits_per_pixel == 32;
    bool const bit_fields = header.compression == bmp::bit_fields && masked;
    if (header.compression != bmp::no_compression && !bit_fields) return Bmp_header_check::compressed;
    // A 40-byte header is followed by the three masks; the longer ones hold them.
    if (bit_fields && file.size() < bmp::alpha_mask_at) return Bmp_header_check::too_short;

    header.width = read_le(file, bmp::width_at, 4);
    long long const height = static_cast<std::int32_t>(read_le(file, bmp::height_at, 4));
    header.top_down = height < 0;
    header.height = height < 0 ? -height : height;
    header.data_offset = read_le(file, bmp::data_offset_at, 4);
    header.data_size = read_le(file, bmp::data_size_at, 4);

    header.masks = plain_masks(header.bits_per_pixel);
    if (bit_fields) {
        header.masks.red = read_le(file, bmp::red_mask_at, 4);
        header.masks.green = read_le(file, bmp::green_mask_at, 4);
        header.masks.blue = read_le(file, bmp::blue_mask_at, 4);
        header.masks.alpha = header.info_size >= 56 ? read_le(file, bmp::alpha_mask_at, 4) : 0;
    }
    header.palette_offset = static_cast<std::uint32_t>(bmp::file_header_size + header.info_size);
    header.palette_colours = 0;
    if (header.bits_per_pixel <= 8) {
        std::uint32_t const entries = 1u << header.bits_per_pixel;
        std::uint32_t const used = read_le(file, bmp::colours_used_at, 4);
        header.palette_colours = used != 0 && used < entries ? used : entries;
    }
    return Bmp_header_check::ok;
}

long long bmp_row_size(Bmp_header const& header) {
    return (header.width * header.bits_per_pixel + 31) / 32 * 4;  // below 2^38: no overflow
}

long long bmp_rows_size(Bmp_header const& header) {
    long long const row = bmp_row_size(header);
    if (header.height != 0 && row > std::numeric_limits<long long>::max() / header.height)
        return std::numeric_limits<long long>::max();
    return row * header.height;
}

Bmp_pixels_check read_bmp_pixels(std::vector<unsigned char> const& file, Bmp_header const& header, Bitmap& picture) {
    Bmp_pixels_check const fit = check_pixel_data(file, header);
    if (fit != Bmp_pixels_check::ok) return fit;
    picture.width = header.width;
    picture.height = header.height;
    picture.top_down = header.top_down;
    auto const first = file.begin() + static_cast<std::ptrdiff_t>(header.data_offset);
    picture.pixels.assign(first, first + static_cast<std::ptrdiff_t>(bmp_rows_size(header)));
    return Bmp_pixels_check::ok;
}

Bmp_pixels_check read_bmp_colours(std::vector<unsigned char> const& file, Bmp_header const& header,
                                  Colour_picture& picture) {
    Colours palette;
    Bmp_pixels_check const fit = read_palette_and_check(file, header, palette);
    if (fit != Bmp_pixels_check::ok) return fit;

    unsigned const bits = header.bits_per_pixel;
    Bmp_masks const& masks = header.masks;
    std::vector<unsigned char> rgba(static_cast<std::size_t>(header.width * header.height) * rgba_size);
    std::size_t const row_size = static_cast<std::size_t>(bmp_row_size(header));
    std::size_t at = 0;
    for (long long y = 0; y < header.height && header.width != 0; ++y) {
        long long const stored = header.top_down ? y : header.height - 1 - y;
        std::size_t const row = header.data_offset + static_cast<std::size_t>(stored) * row_size;
        for (long long x = 0; x < header.width; ++x, at += rgba_size) {
            std::size_t const bit = static_cast<std::size_t>(x) * bits;
            if (bits <= 8) {
                unsigned const index = packed_index(file, row, bit, bits);
                if (index >= palette.size()) return Bmp_pixels_check::index_past_palette;
                put_rgba(rgba, at, palette[index], 255);
            } else if (bits == 24) {
                put_rgba(rgba, at, read_le(file, row + bit / 8, 3), 255);
            } else {
                std::uint32_t const pixel = read_le(file, row + bit / 8, bits / 8);
                std::uint32_t const rgb = std::uint32_t{channel(pixel, masks.red)} << 16 |
                                          std::uint32_t{channel(pixel, masks.green)} << 8 | channel(pixel, masks.blue);
                put_rgba(rgba, at, rgb, masks.alpha != 0 ? channel(pixel, masks.alpha) : 255);
            }
        }
    }
    picture.width = header.width;
    picture.height = header.height;
    picture.rgba = std::move(rgba);
    return Bmp_pixels_check::ok;
}

Bmp_pixels_check read_bmp_indexes(std::vector<unsigned char> const& file, Bmp_header const& header,
                                  Index_picture& picture, Colours& palette) {
    if (header.bits_per_pixel > 8) throw std::invalid_argument("no palette below 16 bits a pixel");
    Colours colours;
    Bmp_pixels_check const fit = read_palette_and_check(file, header, colours);
    if (fit != Bmp_pixels_check::ok) return fit;
    unsigned const bits = header.bits_per_pixel;
    std::vector<unsigned char> indexes(static_cast<std::size_t>(header.width * header.height));
    std::size_t const row_size = static_cast<std::size_t>(bmp_row_size(header));
    std::size_t at = 0;
    for (long long y = 0; y < header.height && header.width != 0; ++y) {
        long long const stored = header.top_down ? y : header.height - 1 - y;
        std::size_t const row = header.data_offset + static_cast<std::size_t>(stored) * row_size;
        for (long long x = 0; x < header.width; ++x, ++at) {
            unsigned const index = packed_index(file, row, static_cast<std::size_t>(x) * bits, bits);
            if (index >= colours.size()) return Bmp_pixels_check::index_past_palette;
            indexes[at] = static_cast<unsigned char>(index);
        }
    }
    picture.width = header.width;
    picture.height = header.height;
    picture.indexes = std::move(indexes);
    palette = std::move(colours);
    return Bmp_pixels_check::ok;
}

}  // namespace tilmar
