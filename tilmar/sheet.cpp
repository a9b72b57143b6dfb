#include "tilmar/sheet.h"

#include <algorithm>
#include <cstddef>
#include <stdexcept>

#include "tilmar/tile.h"

namespace tilmar {

namespace {

// Tile column c occupies the 12 bits starting at bit 12 × c of a pixel row: on a byte boundary
// for an even column, on the low nibble of a byte for an odd one. Either way the 12 bits lie in
// two bytes, read here as one 16-bit window.
struct Cell_bits {
    std::size_t byte;
    int shift;  // of the 12 bits within the 16-bit window
};

Cell_bits cell_bits(long long column) {
    long long const bit = column * tile_side;
    return {static_cast<std::size_t>(bit / 8), 4 - static_cast<int>(bit % 8)};
}

void or_row_bits(std::vector<unsigned char>& pixels, std::size_t row_start, Cell_bits where, unsigned bits) {
    unsigned const window = (bits & 0xFFF) << where.shift;
    pixels.at(row_start + where.byte) |= static_cast<unsigned char>(window >> 8);
    pixels.at(row_start + where.byte + 1) |= static_cast<unsigned char>(window & 0xFF);
}

unsigned row_bits(std::vector<unsigned char> const& pixels, std::size_t row_start, Cell_bits where) {
    unsigned const window = (unsigned{pixels.at(row_start + where.byte)} << 8) | pixels.at(row_start + where.byte + 1);
    return (window >> where.shift) & 0xFFF;
}

void require_fit(Bitmap const& picture, long long tiles, long long columns) {
    if (!sheet_fits(picture, tiles, columns)) throw std::out_of_range("tiles outside the picture");
}

}  // namespace

long long sheet_tile_rows(long long tiles, long long columns) { return (tiles + columns - 1) / columns; }

Bitmap blank_sheet(long long tiles, long long columns) {
    return blank_bitmap(tile_side * columns, tile_side * sheet_tile_rows(tiles, columns));
}

bool sheet_fits(Bitmap const& picture, long long tiles, long long columns) {
    if (tiles < 0 || columns <= 0) return false;
    if (tiles == 0) return true;
    long long const used_columns = std::min(tiles, columns);
    return picture.width >= tile_side * used_columns &&
           picture.height >= tile_side * sheet_tile_rows(tiles, columns) &&
           static_cast<long long>(picture.pixels.size()) >= bitmap_row_size(picture.width) * picture.height;
}

void draw_tiles(std::vector<unsigned char> const& tiles, long long columns, Bitmap& picture) {
    long long const count = static_cast<long long>(tiles.size()) / tile_bytes;
    require_fit(picture, count, columns);
    for (long long k = 0; k < count; ++k) {
        Tile_bytes bytes;
        std::copy_n(tiles.begin() + k * tile_bytes, tile_bytes, bytes.begin());
        Tile_rows const rows = decode_tile(bytes);
        Cell_bits const where = cell_bits(k % columns);
        long long const top = (k / columns) * tile_side;
        for (int r = 0; r < tile_side; ++r)
            or_row_bits(picture.pixels, static_cast<std::size_t>(bitmap_row_start(picture, top + r)), where, rows[r]);
    }
}

std::vector<unsigned char> read_tiles(Bitmap const& picture, long long columns, long long count) {
    require_fit(picture, count, columns);
    std::vector<unsigned char> tiles;
    tiles.reserve(static_cast<std::size_t>(count * tile_bytes));
    for (long long k = 0; k < count; ++k) {
        Cell_bits const where = cell_bits(k % columns);
        long long const top = (k / columns) * tile_side;
        Tile_rows rows{};
        for (int r = 0; r < tile_side; ++r)
            rows[r] = static_cast<std::uint16_t>(
                row_bits(picture.pixels, static_cast<std::size_t>(bitmap_row_start(picture, top + r)), where));
        Tile_bytes const bytes = encode_tile(rows);
        tiles.insert(tiles.end(), bytes.begin(), bytes.end());
    }
    return tiles;
}

}  // namespace tilmar
