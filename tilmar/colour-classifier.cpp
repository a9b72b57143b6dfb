#include "tilmar/colour-classifier.h"

#include <cstddef>
#include <limits>
#include <stdexcept>

namespace tilmar {

namespace {

long long distance_squared(std::uint32_t rgb, unsigned red, unsigned green, unsigned blue) {
    long long const dr = static_cast<long long>((rgb >> 16) & 0xFF) - red;
    long long const dg = static_cast<long long>((rgb >> 8) & 0xFF) - green;
    long long const db = static_cast<long long>(rgb & 0xFF) - blue;
    return dr * dr + dg * dg + db * db;
}

}  // namespace

bool is_foreground(Colour_rule const& rule, unsigned char red, unsigned char green, unsigned char blue,
                   unsigned char alpha) {
    if (alpha < 128) return false;
    return distance_squared(rule.foreground, red, green, blue) < distance_squared(rule.background, red, green, blue);
}

Bitmap classify_colours(Colour_picture const& picture, Colour_rule const& rule) {
    if (picture.width < 0 || picture.height < 0 ||
        (picture.height != 0 && picture.width > std::numeric_limits<long long>::max() / picture.height) ||
        picture.rgba.size() / rgba_size != static_cast<unsigned long long>(picture.width * picture.height) ||
        picture.rgba.size() % rgba_size != 0)
        throw std::invalid_argument("colours do not match the picture size");
    Bitmap bits = blank_bitmap(picture.width, picture.height);
    bits.top_down = true;
    if (picture.width == 0) return bits;  // however high, nothing to draw
    std::size_t const row_size = static_cast<std::size_t>(bitmap_row_size(picture.width));
    std::size_t pixel = 0;
    for (long long y = 0; y < picture.height; ++y) {
        std::size_t const row = static_cast<std::size_t>(y) * row_size;
        for (long long x = 0; x < picture.width; ++x, pixel += rgba_size) {
            unsigned char const* const p = picture.rgba.data() + pixel;
            if (is_foreground(rule, p[0], p[1], p[2], p[3]))
                bits.pixels[row + static_cast<std::size_t>(x / 8)] |= static_cast<unsigned char>(0x80 >> (x % 8));
        }
    }
    return bits;
}

}  // namespace tilmar
