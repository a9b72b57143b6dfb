#include "tilmar/tile-sheet.h"

#include <cstddef>
#include <stdexcept>

namespace tilmar {

long long sheet_tile_rows(long long tiles, long long columns) { return (tiles + columns - 1) / columns; }

Index_picture draw_sheet(std::vector<unsigned char> const& bytes, Tile_layout const& layout, long long columns) {
    std::size_t const tile_size = Tuiles::octets_tuile(*layout.format, layout.size);
    if (columns <= 0 || bytes.size() % tile_size != 0) throw std::invalid_argument("bytes are not whole tiles");
    long long const count = static_cast<long long>(bytes.size() / tile_size);
    long long const w = layout.size.largeur;
    long long const h = layout.size.hauteur;
    Index_picture picture;
    picture.width = w * columns;
    picture.height = h * sheet_tile_rows(count, columns);
    picture.indexes.assign(static_cast<std::size_t>(picture.width * picture.height), 0);
    std::vector<unsigned char> tile(static_cast<std::size_t>(w * h));
    for (long long k = 0; k < count; ++k) {
        Tuiles::decoder(*layout.format, layout.size, bytes.data() + static_cast<std::size_t>(k) * tile_size, tile_size,
                        tile.data(), tile.size());
        long long const left = (k % columns) * w;
        long long const top = (k / columns) * h;
        for (long long y = 0; y < h; ++y) {
            unsigned char const* from = tile.data() + y * w;
            unsigned char* to = picture.indexes.data() + (top + y) * picture.width + left;
            for (long long x = 0; x < w; ++x) to[x] = from[x];
        }
    }
    return picture;
}

std::vector<unsigned char> read_sheet(Index_picture const& picture, Tile_layout const& layout, long long count) {
    long long const w = layout.size.largeur;
    long long const h = layout.size.hauteur;
    long long const columns = picture.width / w;
    if (count < 0 || (count > 0 && (columns == 0 || picture.height / h * columns < count)) ||
        static_cast<long long>(picture.indexes.size()) != picture.width * picture.height)
        throw std::out_of_range("tiles outside the picture");
    std::size_t const tile_size = Tuiles::octets_tuile(*layout.format, layout.size);
    std::vector<unsigned char> bytes(static_cast<std::size_t>(count) * tile_size);
    std::vector<unsigned char> tile(static_cast<std::size_t>(w * h));
    for (long long k = 0; k < count; ++k) {
        long long const left = (k % columns) * w;
        long long const top = (k / columns) * h;
        for (long long y = 0; y < h; ++y) {
            unsigned char const* from = picture.indexes.data() + (top + y) * picture.width + left;
            for (long long x = 0; x < w; ++x) tile[static_cast<std::size_t>(y * w + x)] = from[x];
        }
        Tuiles::encoder(*layout.format, layout.size, tile.data(), tile.size(),
                        bytes.data() + static_cast<std::size_t>(k) * tile_size, tile_size);
    }
    return bytes;
}

}  // namespace tilmar
