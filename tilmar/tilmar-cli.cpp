#include "tilmar/tilmar-cli.h"

#include <cstdarg>
#include <cstdio>
#include <new>
#include <utility>

#include "remplacement/tool-output.h"
#include "tilmar/bmp-reader.h"
#include "tilmar/bmp-writer.h"
#include "tilmar/colour-classifier.h"
#include "tilmar/options.h"
#include "tilmar/png-format.h"
#include "tilmar/png-reader.h"
#include "tilmar/png-writer.h"
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

// The picture must be whole tiles wide and hold the tiles asked for, counted from its top-left.
int check_sheet_size(char const* bitmap_name, long long width, long long height, long long tiles) {
    if (width < tile_side)
        return fail("bitmap file %s is %lld pixels wide, narrower than a tile (12 pixels)\n", bitmap_name, width);
    if (width % tile_side != 0)
        return fail("bitmap file %s is %lld pixels wide, not a multiple of the tile width (12 pixels)\n", bitmap_name,
                    width);
    if (height / tile_side * (width / tile_side) < tiles) return bitmap_too_small(bitmap_name);
    return 0;
}

char const* compression_name(std::uint32_t compression) {
    switch (compression) {
    case 1: return "RLE8";
    case 2: return "RLE4";
    case 3: return "bit fields";
    case 4: return "JPEG";
    case 5: return "PNG";
    case 6: return "alpha bit fields";
    case 11: return "CMYK";
    case 12: return "CMYK RLE8";
    case 13: return "CMYK RLE4";
    default: return "unknown";
    }
}

// The picture of a BMP file as bits. A 1-bit picture is taken bit for bit unless colours are
// given; every other picture is read by colour.
int read_bmp_sheet(Options const& options, std::vector<unsigned char> const& file, Bitmap& picture) {
    char const* const bitmap_name = options.bitmap.c_str();
    char const* const unread = "which Tilmar does not read; nothing was changed";
    Bmp_header header;
    switch (read_bmp_header(file, header)) {
    case Bmp_header_check::ok: break;
    case Bmp_header_check::too_short: return bitmap_too_small(bitmap_name);
    case Bmp_header_check::not_bitmap: return fail("%s is not a bitmap file\n", bitmap_name);
    case Bmp_header_check::os2_header:
        return fail("bitmap file %s has an OS/2 header of %lu bytes, %s\n", bitmap_name,
                    static_cast<unsigned long>(header.info_size), unread);
    case Bmp_header_check::unknown_header:
        return fail("bitmap file %s has an information header of %lu bytes, %s\n", bitmap_name,
                    static_cast<unsigned long>(header.info_size), unread);
    case Bmp_header_check::unsupported_depth:
        return fail("bitmap file %s has %lu-bit pixels, %s\n", bitmap_name,
                    static_cast<unsigned long>(header.bits_per_pixel), unread);
    case Bmp_header_check::compressed:
        return fail("bitmap file %s has %lu-bit pixels with compression %lu (%s), %s\n", bitmap_name,
                    static_cast<unsigned long>(header.bits_per_pixel), static_cast<unsigned long>(header.compression),
                    compression_name(header.compression), unread);
    }
    if (int const refused = check_sheet_size(bitmap_name, header.width, header.height, options.tiles)) return refused;

    bool const by_colour = header.bits_per_pixel != 1 || options.colours_given;
    Colour_picture colours;
    Bmp_pixels_check check;
    try {
        check = by_colour ? read_bmp_colours(file, header, colours) : read_bmp_pixels(file, header, picture);
        if (check == Bmp_pixels_check::ok && by_colour)
            picture = classify_colours(colours, Colour_rule{options.foreground, options.background});
    } catch (std::bad_alloc const&) {
        return bitmap_buffer_failure(by_colour ? header.width * header.height * rgba_size : bmp_rows_size(header));
    }
    switch (check) {
    case Bmp_pixels_check::ok: return 0;
    case Bmp_pixels_check::outside_file: return fail("%s bitmap file is too small", bitmap_name);
    case Bmp_pixels_check::size_field_short:
        return fail("bitmap file %s gives %lu bytes of pixel data where its rows take %lld\n", bitmap_name,
                    static_cast<unsigned long>(header.data_size), bmp_rows_size(header));
    case Bmp_pixels_check::palette_outside:
        return fail("bitmap file %s has %lu-bit pixels and a palette of size %lu that does not fit in the file before "
                    "its pixel data; nothing was changed\n",
                    bitmap_name, static_cast<unsigned long>(header.bits_per_pixel),
                    static_cast<unsigned long>(header.palette_colours));
    case Bmp_pixels_check::index_past_palette:
        return fail("bitmap file %s has a pixel whose color index lies past the end of its palette; nothing was changed\n",
                    bitmap_name);
    }
    return 0;
}

// The picture of a PNG file as bits, read by colour whatever its colour type.
int read_png_sheet(Options const& options, std::vector<unsigned char> const& file, Bitmap& picture) {
    char const* const bitmap_name = options.bitmap.c_str();
    auto const refusal = [bitmap_name](Png_status const& status, Png_header const& header) {
        switch (status.check) {
        case Png_check::ok: break;
        case Png_check::not_png: return fail("%s is not a PNG file; nothing was changed\n", bitmap_name);
        case Png_check::cut_short: return fail("PNG file %s is cut short; nothing was changed\n", bitmap_name);
        case Png_check::bad_crc:
            return fail("PNG file %s is damaged: its chunk at byte %lld fails its CRC check; nothing was changed\n",
                        bitmap_name, status.chunk_at);
        case Png_check::undecodable:
            return fail("PNG file %s is damaged: %s; nothing was changed\n", bitmap_name, status.reason.c_str());
        case Png_check::too_large:
            return fail("PNG file %s is %lld x %lld pixels, too large to be read; nothing was changed\n", bitmap_name,
                        header.width, header.height);
        }
        return 0;
    };
    Png_header header;
    if (int const refused = refusal(read_png_header(file, header), header)) return refused;
    if (int const refused = check_sheet_size(bitmap_name, header.width, header.height, options.tiles)) return refused;
    try {
        Colour_picture colours;
        if (int const refused = refusal(read_png_colours(file, colours), header)) return refused;
        picture = classify_colours(colours, Colour_rule{options.foreground, options.background});
    } catch (std::bad_alloc const&) {
        return bitmap_buffer_failure(header.width * header.height * rgba_size);
    }
    return 0;
}

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
    bool const png = png_file_name(options.bitmap.c_str());
    if (png && !png_fits(width, height))
        return fail("a bitmap of %lld x %lld pixels is too large for a PNG file\n", width, height);
    if (!png && !bmp_fits(width, height))
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
        Palette const palette{options.background, options.foreground};
        if (png) {
            Png_encoding encoding = write_png(picture, palette);
            if (!encoding.failure.empty())
                return fail("unable to encode bitmap file %s as PNG: %s\n", options.bitmap.c_str(),
                            encoding.failure.c_str());
            file = std::move(encoding.file);
        } else {
            file = write_bmp(picture, palette);
        }
    } catch (std::bad_alloc const&) {
        return bitmap_buffer_failure(png ? width * height : bitmap_row_size(width) * height);
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

    Bitmap picture;
    bool const png = png_file_name(bitmap_name);
    int const refused = png ? read_png_sheet(options, file, picture) : read_bmp_sheet(options, file, picture);
    if (refused != 0) return refused;
    long long const columns = picture.width / tile_side;

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
