#include "tilmar/tilmar-cli.h"

#include <cstdarg>
#include <cstdio>
#include <new>

#include "remplacement/tool-output.h"
#include "tilmar/bmp-reader.h"
#include "tilmar/bmp-writer.h"
#include "tilmar/options.h"
#include "tilmar/sheet.h"
#include "tilmar/stdio-file.h"
#include "tilmar/tile.h"

namespace tilmar {

namespace {

__attribute__((format(printf, 1, 2))) int fail(char const* format, ...) {
    std::va_list args;
    va_start(args, format);
    std::vprintf(format, args);
    va_end(args);
    return 1;
}

int rom_buffer_failure(long long size) { return fail("unable to allocate %lld byte for rom buffer\n", size); }

int bitmap_buffer_failure(long long size) { return fail("unable to allocate %lld byte for bitmap buffer\n", size); }

int rom_too_small(char const* rom_name) { return fail("%s rom file is too small", rom_name); }

int rom_not_writable(char const* rom_name) { return fail("unable to open rom file %s for writing\n", rom_name); }

int bitmap_too_small(char const* bitmap_name) { return fail("bitmap file %s is too small\n", bitmap_name); }

// Nothing is created or written before the tiles are read and the picture is drawn, so a
// refused extraction leaves an existing bitmap file as it was.
int extract(Options const& options) {
    char const* const rom_name = options.rom.c_str();
    Stdio_file rom(options.rom, "rb");
    if (!rom.is_open()) return fail("unable to open rom file %s for reading\n", rom_name);

    long long const tiles_size = options.tiles * tile_bytes;
    long long const rom_size = rom.size();
    if (rom_size >= 0 && options.offset + tiles_size > rom_size) return rom_too_small(rom_name);

    long long const width = tile_side * options.columns;
    long long const height = tile_side * sheet_tile_rows(options.tiles, options.columns);
    if (!bmp_fits(width, height))
        return fail("a bitmap of %lld x %lld pixels is too large for a BMP file\n", width, height);

    std::vector<unsigned char> tiles;
    try {
        if (!rom.read_at(options.offset, static_cast<std::size_t>(tiles_size), tiles))
            return rom_too_small(rom_name);
    } catch (std::bad_alloc const&) {
        return rom_buffer_failure(tiles_size);
    }

    std::vector<unsigned char> file;
    try {
        Bitmap picture = blank_sheet(options.tiles, options.columns);
        draw_tiles(tiles, options.columns, picture);
        file = write_bmp(picture, Palette{options.background, options.foreground});
    } catch (std::bad_alloc const&) {
        return bitmap_buffer_failure(bitmap_row_size(width) * height);
    }

    Remplacement::Tool_output bitmap;
    if (!bitmap.prepare(options.bitmap, "unable to open bitmap file %s for writing\n") ||
        !bitmap.commit(file.data(), file.size(), "unable to write bitmap file %s\n"))
        return 1;
    return 0;
}

// Every check and every read of the bitmap runs before the ROM is written; with "-n" the ROM
// is only created (or replaced) once the tiles are in hand. An existing ROM is locked first,
// so that another command patching it at the same time keeps its change, and replaced whole.
int insert(Options const& options) {
    char const* const rom_name = options.rom.c_str();
    char const* const bitmap_name = options.bitmap.c_str();
    char const* const rom_refused = "unable to open rom file %s for writing\n";
    Remplacement::Verrou lock;
    Remplacement::Tool_output rom;
    if (!options.create_rom) {
        if (!lock.prendre(options.rom)) return rom_not_writable(rom_name);
        if (!rom.prepare(options.rom, rom_refused)) return 1;
    }

    Stdio_file bitmap(options.bitmap, "rb");
    if (!bitmap.is_open()) return fail("unable to open bitmap file %s for reading\n", bitmap_name);
    std::vector<unsigned char> file;
    try {
        if (!bitmap.read_all(file)) return fail("unable to read bitmap file %s\n", bitmap_name);
    } catch (std::bad_alloc const&) {
        return bitmap_buffer_failure(bitmap.size());
    }

    Bmp_header header;
    switch (read_bmp_header(file, header)) {
    case Bmp_header_check::ok: break;
    case Bmp_header_check::too_short: return bitmap_too_small(bitmap_name);
    case Bmp_header_check::not_bitmap: return fail("%s is not a bitmap file\n", bitmap_name);
    case Bmp_header_check::not_monochrome: return fail("%s is not a monochrome bitmap\n", bitmap_name);
    }
    if (header.width < tile_side)
        return fail("bitmap file %s is %lld pixels wide, narrower than a tile (12 pixels)\n", bitmap_name, header.width);
    if (header.width % tile_side != 0)
        return fail("bitmap file %s is %lld pixels wide, not a multiple of the tile width (12 pixels)\n", bitmap_name,
                    header.width);
    long long const columns = header.width / tile_side;
    if (header.height / tile_side * columns < options.tiles) return bitmap_too_small(bitmap_name);

    Bitmap picture;
    switch (read_bmp_pixels(file, header, picture)) {
    case Bmp_pixels_check::ok: break;
    case Bmp_pixels_check::outside_file: return fail("%s bitmap file is too small", bitmap_name);
    case Bmp_pixels_check::size_field_short:
        return fail("bitmap file %s gives %lu bytes of pixel data where its rows take %lld\n", bitmap_name,
                    static_cast<unsigned long>(header.data_size), bmp_rows_size(header));
    }

    std::vector<unsigned char> tiles;
    try {
        tiles = read_tiles(picture, columns, options.tiles);
    } catch (std::bad_alloc const&) {
        return rom_buffer_failure(options.tiles * tile_bytes);
    }

    // The new ROM: the old one (none with "-n") with the tiles at the offset; an offset past
    // its end grows it with zero bytes.
    std::vector<unsigned char> image;
    try {
        if (options.create_rom) {
            if (!rom.prepare(options.rom, rom_refused)) return 1;
        } else {
            Stdio_file old(options.rom, "rb");
            if (!old.is_open() || !old.read_all(image)) return fail("unable to read rom file %s\n", rom_name);
        }
        std::size_t const end = static_cast<std::size_t>(options.offset) + tiles.size();
        if (image.size() < end) image.resize(end, 0);
    } catch (std::bad_alloc const&) {
        return rom_buffer_failure(options.offset + options.tiles * tile_bytes);
    }
    std::copy(tiles.begin(), tiles.end(), image.begin() + static_cast<long>(options.offset));
    return rom.commit(image.data(), image.size(), "unable to write rom file %s\n") ? 0 : 1;
}

}  // namespace

int run_tilmar(std::vector<std::string> const& args) {
    Options options;
    std::string const refused = parse_options(args, options);
    if (!refused.empty()) {
        std::fputs(refused.c_str(), stdout);
        return 1;
    }
    return options.mode == Mode::extract ? extract(options) : insert(options);
}

}  // namespace tilmar
