#include "tilmar/palette-match.h"

#include <cstddef>
#include <limits>
#include <stdexcept>
#include <unordered_map>

namespace tilmar {

namespace {

long long distance_squared(std::uint32_t a, std::uint32_t b) {
    long long const dr = static_cast<long long>(a >> 16 & 0xFF) - static_cast<long long>(b >> 16 & 0xFF);
    long long const dg = static_cast<long long>(a >> 8 & 0xFF) - static_cast<long long>(b >> 8 & 0xFF);
    long long const db = static_cast<long long>(a & 0xFF) - static_cast<long long>(b & 0xFF);
    return dr * dr + dg * dg + db * db;
}

struct Nearest {
    unsigned char index;
    bool near;
};

Nearest nearest(std::uint32_t colour, Colours const& palette) {
    long long best = std::numeric_limits<long long>::max();
    std::size_t best_index = 0;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        long long const d = distance_squared(colour, palette[i]);
        if (d < best) {
            best = d;
            best_index = i;
        }
    }
    return {static_cast<unsigned char>(best_index), best <= near_enough};
}

void count_far(Matched_picture& m, long long pixel, long long width, std::uint32_t colour) {
    if (m.far_pixels++ == 0) {
        m.first_far_x = pixel % width;
        m.first_far_y = pixel / width;
        m.first_far_colour = colour;
    }
}

}  // namespace

Matched_picture match_indexes(Index_picture const& stored, Colours const& file_palette, Colours const& palette) {
    if (palette.empty() || palette.size() > 256) throw std::invalid_argument("palette of 1 to 256 entries expected");
    Nearest map[256];
    for (std::size_t j = 0; j < 256; ++j) {
        if (j >= file_palette.size()) {
            map[j] = {0, false};
        } else if (j < palette.size() && file_palette[j] == palette[j]) {
            map[j] = {static_cast<unsigned char>(j), true};
        } else {
            map[j] = nearest(file_palette[j], palette);
        }
    }
    Matched_picture m;
    m.picture.width = stored.width;
    m.picture.height = stored.height;
    m.picture.indexes.resize(stored.indexes.size());
    for (std::size_t p = 0; p < stored.indexes.size(); ++p) {
        unsigned char const j = stored.indexes[p];
        if (j >= file_palette.size()) throw std::out_of_range("index past the file's palette");
        m.picture.indexes[p] = map[j].index;
        if (!map[j].near) count_far(m, static_cast<long long>(p), stored.width, file_palette[j]);
    }
    return m;
}

Matched_picture match_colours(Colour_picture const& picture, Colours const& palette) {
    if (palette.empty() || palette.size() > 256) throw std::invalid_argument("palette of 1 to 256 entries expected");
    std::size_t const pixels = picture.rgba.size() / rgba_size;
    if (picture.width < 0 || picture.height < 0 || static_cast<long long>(pixels) != picture.width * picture.height)
        throw std::invalid_argument("colours do not match the picture size");
    Matched_picture m;
    m.picture.width = picture.width;
    m.picture.height = picture.height;
    m.picture.indexes.resize(pixels);
    // A picture holds few colours: each is looked up once.
    std::unordered_map<std::uint32_t, Nearest> seen;
    for (std::size_t p = 0; p < pixels; ++p) {
        unsigned char const* c = picture.rgba.data() + p * rgba_size;
        if (c[3] < 128) {
            m.picture.indexes[p] = 0;
            continue;
        }
        std::uint32_t const colour = std::uint32_t{c[0]} << 16 | std::uint32_t{c[1]} << 8 | c[2];
        auto found = seen.find(colour);
        if (found == seen.end()) found = seen.emplace(colour, nearest(colour, palette)).first;
        m.picture.indexes[p] = found->second.index;
        if (!found->second.near) count_far(m, static_cast<long long>(p), picture.width, colour);
    }
    return m;
}

}  // namespace tilmar
