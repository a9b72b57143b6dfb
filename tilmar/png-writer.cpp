#include "tilmar/png-writer.h"

#include <png.h>

#include <cstddef>
#include <stdexcept>

#include "tilmar/png-image.h"

namespace tilmar {

bool png_fits(long long width, long long height) {
    long long const side_max = 0x7FFFFFFF;
    if (width <= 0 || height <= 0 || width > side_max || height > side_max) return false;
    return width <= 0xFFFFFFFFLL / height;
}

Png_encoding write_png(Index_picture const& picture, Colours const& palette) {
    if (palette.size() < 2 || palette.size() > 256) throw std::invalid_argument("palette of 2 to 256 entries expected");
    if (!png_fits(picture.width, picture.height)) throw std::length_error("picture too large for a PNG file");
    if (static_cast<long long>(picture.indexes.size()) != picture.width * picture.height)
        throw std::invalid_argument("pixel data does not match the picture size");

    // The simplified writer takes one palette index a byte, and packs them to the fewest bits
    // the number of entries needs.
    std::vector<unsigned char> colours(3 * palette.size());
    for (std::size_t i = 0; i < palette.size(); ++i) {
        colours[3 * i] = static_cast<unsigned char>(palette[i] >> 16);
        colours[3 * i + 1] = static_cast<unsigned char>(palette[i] >> 8);
        colours[3 * i + 2] = static_cast<unsigned char>(palette[i]);
    }
    Png_image png;
    png.image.width = static_cast<png_uint_32>(picture.width);
    png.image.height = static_cast<png_uint_32>(picture.height);
    png.image.format = PNG_FORMAT_RGB_COLORMAP;
    png.image.colormap_entries = static_cast<png_uint_32>(palette.size());
    Png_encoding encoding;
    png_alloc_size_t size = 0;
    if (png_image_write_to_memory(&png.image, nullptr, &size, 0, picture.indexes.data(), 0, colours.data()) == 0) {
        encoding.failure = png.image.message;
        return encoding;
    }
    encoding.file.resize(size);
    if (png_image_write_to_memory(&png.image, encoding.file.data(), &size, 0, picture.indexes.data(), 0,
                                  colours.data()) == 0) {
        encoding.failure = png.image.message;
        encoding.file.clear();
        return encoding;
    }
    encoding.file.resize(size);
    return encoding;
}

}  // namespace tilmar
