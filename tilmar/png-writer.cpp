#include "tilmar/png-writer.h"

#include <png.h>

#include <cstddef>
#include <stdexcept>

#include "tilmar/png-image.h"

namespace tilmar {

namespace {

void put_rgb(unsigned char* entry, std::uint32_t rgb) {
    entry[0] = static_cast<unsigned char>(rgb >> 16);
    entry[1] = static_cast<unsigned char>(rgb >> 8);
    entry[2] = static_cast<unsigned char>(rgb);
}

}  // namespace

bool png_fits(long long width, long long height) {
    long long const side_max = 0x7FFFFFFF;
    if (width <= 0 || height <= 0 || width > side_max || height > side_max) return false;
    return width <= 0xFFFFFFFFLL / height;
}

Png_encoding write_png(Bitmap const& picture, Palette const& palette) {
    if (!png_fits(picture.width, picture.height)) throw std::length_error("picture too large for a PNG file");
    if (static_cast<long long>(picture.pixels.size()) != bitmap_row_size(picture.width) * picture.height)
        throw std::invalid_argument("pixel data does not match the picture size");

    // The simplified writer takes one palette index a byte, and packs them to 1 bit itself
    // for a palette of two entries.
    std::size_t const width = static_cast<std::size_t>(picture.width);
    std::vector<unsigned char> indices(width * static_cast<std::size_t>(picture.height));
    for (long long y = 0; y < picture.height; ++y) {
        std::size_t const row = static_cast<std::size_t>(bitmap_row_start(picture, y));
        unsigned char* const out = indices.data() + static_cast<std::size_t>(y) * width;
        for (std::size_t x = 0; x < width; ++x) out[x] = picture.pixels[row + x / 8] >> (7 - x % 8) & 1;
    }
    unsigned char colours[6];
    put_rgb(colours, palette.background);
    put_rgb(colours + 3, palette.foreground);

    Png_image png;
    png.image.width = static_cast<png_uint_32>(picture.width);
    png.image.height = static_cast<png_uint_32>(picture.height);
    png.image.format = PNG_FORMAT_RGB_COLORMAP;
    png.image.colormap_entries = 2;
    Png_encoding encoding;
    png_alloc_size_t size = 0;
    if (png_image_write_to_memory(&png.image, nullptr, &size, 0, indices.data(), 0, colours) == 0) {
        encoding.failure = png.image.message;
        return encoding;
    }
    encoding.file.resize(size);
    if (png_image_write_to_memory(&png.image, encoding.file.data(), &size, 0, indices.data(), 0, colours) == 0) {
        encoding.failure = png.image.message;
        encoding.file.clear();
        return encoding;
    }
    encoding.file.resize(size);
    return encoding;
}

}  // namespace tilmar
