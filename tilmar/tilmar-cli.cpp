#include "tilmar/tilmar-cli.h"

#include <cstdarg>
#include <cstdio>
#include <new>
#include <utility>

#include "remplacement/tool-output.h"
#include "tilmar/bmp-reader.h"
#include "tilmar/bmp-writer.h"
#include "tilmar/colour-classifier.h"
#include "tilmar/messages.h"
#include "tilmar/options.h"
#include "tilmar/palette-match.h"
#include "tilmar/palette.h"
#include "tilmar/png-format.h"
#include "tilmar/png-reader.h"
#include "tilmar/png-writer.h"
#include "tilmar/stdio-file.h"
#include "tilmar/tile-sheet.h"

namespace tilmar {

namespace {

int fail(Message message, ...) {
    std::va_list args;
    va_start(args, message);
    std::vprintf(message_text(message), args);
    va_end(args);
    return 1;
}

Tile_layout layout_of(Options const& options) { return {options.format, options.tile}; }

long long tile_size(Options const& options) {
    return static_cast<long long>(Tuiles::octets_tuile(*options.format, options.tile));
}

// The colours the tiles are written and read with: the palette file's first entries, else a
// grey ramp; for the 1-bit formats -b and -f when given (black and white by default).
int load_palette(Options const& options, Colours& palette) {
    int const needed = Tuiles::couleurs(*options.format);
    if (options.format->bits == 1 && (options.colours_given || options.palette.empty())) {
        palette = {options.background, options.foreground};
        return 0;
    }
    if (options.palette.empty()) {
        palette = grey_ramp(needed);
        return 0;
    }
    char const* const name = options.palette.c_str();
    Stdio_file file(options.palette, "rb");
    std::vector<unsigned char> bytes;
    try {
        if (!file.is_open() || !file.read_all(bytes)) return fail(Message::palette_unreadable, name);
    } catch (std::bad_alloc const&) {
        return fail(Message::palette_unreadable, name);
    }
    Palette_file const read = read_palette(bytes);
    switch (read.check) {
    case Palette_check::ok: break;
    case Palette_check::bad_jasc: return fail(Message::palette_bad_jasc, name, read.line);
    case Palette_check::bad_gimp: return fail(Message::palette_bad_gimp, name, read.line);
    case Palette_check::bad_raw: return fail(Message::palette_bad_raw, name, static_cast<long long>(bytes.size()));
    }
    if (static_cast<int>(read.colours.size()) < needed)
        return fail(Message::palette_too_small, name, static_cast<int>(read.colours.size()), needed,
                    options.format->nom);
    palette.assign(read.colours.begin(), read.colours.begin() + needed);
    return 0;
}

// The picture must be whole tiles wide and hold the tiles asked for, counted from its top-left.
int check_sheet_size(Options const& options, long long width, long long height) {
    char const* const bitmap_name = options.bitmap.c_str();
    long long const tile_width = options.tile.largeur;
    if (width < tile_width)
        return fail(Message::sheet_narrower_than_tile, bitmap_name, width, options.tile.largeur);
    if (width % tile_width != 0) return fail(Message::sheet_not_whole_tiles, bitmap_name, width, options.tile.largeur);
    if (height / options.tile.hauteur * (width / tile_width) < options.tiles)
        return fail(Message::bitmap_too_small, bitmap_name);
    return 0;
}

// The pixels matched to the palette; those near no entry refuse the insertion, unless -q.
int take_matched(Options const& options, Matched_picture&& matched, Index_picture& picture) {
    if (matched.far_pixels != 0) {
        if (!options.nearest_anyway)
            return fail(Message::pixels_near_no_entry, options.bitmap.c_str(), matched.far_pixels, matched.first_far_x,
                        matched.first_far_y, static_cast<unsigned>(matched.first_far_colour));
        print_message(Message::pixels_taken_nearest, options.bitmap.c_str(), matched.far_pixels);
    }
    picture = std::move(matched.picture);
    return 0;
}

// The one-bit example form, and any picture read against -f and -b, as today: each pixel by
// the nearer of the two colours of the palette (-b and -f, or the palette file's first two),
// a 1-bit BMP by its bits without -f and -b. Every other format reads stored indexes against
// the palette, and colours by their nearest entry.
bool two_colour_reading(Options const& options) {
    return options.colours_given || options.format == &Tuiles::formats().front();
}

int read_bmp_sheet(Options const& options, Colours const& palette, std::vector<unsigned char> const& file,
                   Index_picture& picture) {
    char const* const bitmap_name = options.bitmap.c_str();
    Bmp_header header;
    switch (read_bmp_header(file, header)) {
    case Bmp_header_check::ok: break;
    case Bmp_header_check::too_short: return fail(Message::bitmap_too_small, bitmap_name);
    case Bmp_header_check::not_bitmap: return fail(Message::not_bitmap, bitmap_name);
    case Bmp_header_check::os2_header:
        return fail(Message::bmp_os2_header, bitmap_name, static_cast<unsigned long>(header.info_size));
    case Bmp_header_check::unknown_header:
        return fail(Message::bmp_unknown_header, bitmap_name, static_cast<unsigned long>(header.info_size));
    case Bmp_header_check::unsupported_depth:
        return fail(Message::bmp_unsupported_depth, bitmap_name, static_cast<unsigned long>(header.bits_per_pixel));
    case Bmp_header_check::compressed:
        return fail(Message::bmp_compressed, bitmap_name, static_cast<unsigned long>(header.bits_per_pixel),
                    static_cast<unsigned long>(header.compression), compression_name(header.compression));
    }
    if (int const refused = check_sheet_size(options, header.width, header.height)) return refused;

    bool const two_colours = two_colour_reading(options);
    bool const by_bits = two_colours && header.bits_per_pixel == 1 && !options.colours_given;
    bool const by_index = !two_colours && header.bits_per_pixel <= 8;
    Colour_picture colours;
    Index_picture stored;
    Colours file_palette;
    Bitmap bits;
    Bmp_pixels_check check;
    try {
        if (by_bits)
            check = read_bmp_pixels(file, header, bits);
        else if (by_index)
            check = read_bmp_indexes(file, header, stored, file_palette);
        else
            check = read_bmp_colours(file, header, colours);
        if (check == Bmp_pixels_check::ok) {
            if (by_bits) picture = bitmap_indexes(bits);
            if (by_index) return take_matched(options, match_indexes(stored, file_palette, palette), picture);
            if (!by_bits && two_colours)
                picture = bitmap_indexes(classify_colours(colours, Colour_rule{palette[1], palette[0]}));
            if (!by_bits && !two_colours) return take_matched(options, match_colours(colours, palette), picture);
        }
    } catch (std::bad_alloc const&) {
        return fail(Message::bitmap_buffer, by_bits ? bmp_rows_size(header) : header.width * header.height * rgba_size);
    }
    switch (check) {
    case Bmp_pixels_check::ok: return 0;
    case Bmp_pixels_check::outside_file: return fail(Message::bitmap_data_cut, bitmap_name);
    case Bmp_pixels_check::size_field_short:
        return fail(Message::bmp_size_field_short, bitmap_name, static_cast<unsigned long>(header.data_size),
                    bmp_rows_size(header));
    case Bmp_pixels_check::palette_outside:
        return fail(Message::bmp_palette_outside, bitmap_name, static_cast<unsigned long>(header.bits_per_pixel),
                    static_cast<unsigned long>(header.palette_colours));
    case Bmp_pixels_check::index_past_palette: return fail(Message::bmp_index_past_palette, bitmap_name);
    }
    return 0;
}

int png_refusal(Options const& options, Png_status const& status, Png_header const& header) {
    char const* const bitmap_name = options.bitmap.c_str();
    switch (status.check) {
    case Png_check::ok: break;
    case Png_check::not_png: return fail(Message::not_png, bitmap_name);
    case Png_check::cut_short: return fail(Message::png_cut_short, bitmap_name);
    case Png_check::bad_crc: return fail(Message::png_bad_crc, bitmap_name, status.chunk_at);
    case Png_check::undecodable: return fail(Message::png_undecodable, bitmap_name, status.reason.c_str());
    case Png_check::too_large: return fail(Message::png_too_large, bitmap_name, header.width, header.height);
    case Png_check::index_past_palette: return fail(Message::png_index_past_palette, bitmap_name);
    }
    return 0;
}

int read_png_sheet(Options const& options, Colours const& palette, std::vector<unsigned char> const& file,
                   Index_picture& picture) {
    Png_header header;
    if (int const refused = png_refusal(options, read_png_header(file, header), header)) return refused;
    if (int const refused = check_sheet_size(options, header.width, header.height)) return refused;
    bool const two_colours = two_colour_reading(options);
    try {
        if (!two_colours && header.palette) {
            Index_picture stored;
            Colours file_palette;
            if (int const refused = png_refusal(options, read_png_indexes(file, stored, file_palette), header))
                return refused;
            return take_matched(options, match_indexes(stored, file_palette, palette), picture);
        }
        Colour_picture colours;
        if (int const refused = png_refusal(options, read_png_colours(file, colours), header)) return refused;
        if (!two_colours) return take_matched(options, match_colours(colours, palette), picture);
        picture = bitmap_indexes(classify_colours(colours, Colour_rule{palette[1], palette[0]}));
    } catch (std::bad_alloc const&) {
        return fail(Message::bitmap_buffer, header.width * header.height * rgba_size);
    }
    return 0;
}

// Nothing is created or written before the tiles are read and the picture is drawn, so a
// refused extraction leaves an existing bitmap file as it was.
int extract(Options const& options, Colours const& palette) {
    char const* const rom_name = options.rom.c_str();
    Stdio_file rom(options.rom, "rb");
    if (!rom.is_open()) return fail(Message::rom_unreadable, rom_name);

    long long const tiles_size = options.tiles * tile_size(options);
    long long const rom_size = rom.size();
    if (rom_size >= 0 && options.offset + tiles_size > rom_size) return fail(Message::rom_too_small, rom_name);

    long long const width = options.tile.largeur * options.columns;
    long long const height = options.tile.hauteur * sheet_tile_rows(options.tiles, options.columns);
    bool const png = png_file_name(options.bitmap.c_str());
    if (png && !png_fits(width, height)) return fail(Message::sheet_too_large_png, width, height);
    if (!png && !bmp_fits(width, height, bmp_bits_for(palette.size())))
        return fail(Message::sheet_too_large_bmp, width, height);

    std::vector<unsigned char> tiles;
    try {
        if (!rom.read_at(options.offset, static_cast<std::size_t>(tiles_size), tiles))
            return fail(Message::rom_too_small, rom_name);
    } catch (std::bad_alloc const&) {
        return fail(Message::rom_buffer, tiles_size);
    }

    std::vector<unsigned char> file;
    try {
        Index_picture const picture = draw_sheet(tiles, layout_of(options), options.columns);
        if (png) {
            Png_encoding encoding = write_png(picture, palette);
            if (!encoding.failure.empty())
                return fail(Message::png_encoding_failed, options.bitmap.c_str(), encoding.failure.c_str());
            file = std::move(encoding.file);
        } else {
            file = write_bmp(picture, palette);
        }
    } catch (std::bad_alloc const&) {
        return fail(Message::bitmap_buffer, width * height);
    }

    Remplacement::Tool_output bitmap;
    if (!bitmap.prepare(options.bitmap, message_text(Message::bitmap_not_writable)) ||
        !bitmap.commit(file.data(), file.size(), message_text(Message::bitmap_write_failed)))
        return 1;
    return 0;
}

// Every check and every read of the bitmap runs before the ROM is written; with "-n" the ROM
// is only created (or replaced) once the tiles are in hand. An existing ROM is locked first,
// so that another command patching it at the same time keeps its change, and replaced whole.
int insert(Options const& options, Colours const& palette) {
    char const* const rom_name = options.rom.c_str();
    char const* const bitmap_name = options.bitmap.c_str();
    char const* const rom_refused = message_text(Message::rom_not_writable);
    Remplacement::Verrou lock;
    Remplacement::Tool_output rom;
    if (!options.create_rom) {
        if (!lock.prendre(options.rom)) return fail(Message::rom_not_writable, rom_name);
        if (!rom.prepare(options.rom, rom_refused)) return 1;
    }

    Stdio_file bitmap(options.bitmap, "rb");
    if (!bitmap.is_open()) return fail(Message::bitmap_unreadable, bitmap_name);
    std::vector<unsigned char> file;
    try {
        if (!bitmap.read_all(file)) return fail(Message::bitmap_read_failed, bitmap_name);
    } catch (std::bad_alloc const&) {
        return fail(Message::bitmap_buffer, bitmap.size());
    }

    Index_picture picture;
    bool const png = png_file_name(bitmap_name);
    int const refused =
        png ? read_png_sheet(options, palette, file, picture) : read_bmp_sheet(options, palette, file, picture);
    if (refused != 0) return refused;

    std::vector<unsigned char> tiles;
    try {
        tiles = read_sheet(picture, layout_of(options), options.tiles);
    } catch (std::bad_alloc const&) {
        return fail(Message::rom_buffer, options.tiles * tile_size(options));
    }

    // The new ROM: the old one (none with "-n") with the tiles at the offset; an offset past
    // its end grows it with zero bytes.
    std::vector<unsigned char> image;
    try {
        if (options.create_rom) {
            if (!rom.prepare(options.rom, rom_refused)) return 1;
        } else {
            Stdio_file old(options.rom, "rb");
            if (!old.is_open() || !old.read_all(image)) return fail(Message::rom_read_failed, rom_name);
        }
        std::size_t const end = static_cast<std::size_t>(options.offset) + tiles.size();
        if (image.size() < end) image.resize(end, 0);
    } catch (std::bad_alloc const&) {
        return fail(Message::rom_buffer, options.offset + options.tiles * tile_size(options));
    }
    std::copy(tiles.begin(), tiles.end(), image.begin() + static_cast<long>(options.offset));
    return rom.commit(image.data(), image.size(), message_text(Message::rom_write_failed)) ? 0 : 1;
}

}  // namespace

int run_tilmar(std::vector<std::string> const& args) {
    Options options;
    std::string const refused = parse_options(args, options);
    if (!refused.empty()) {
        std::fputs(refused.c_str(), stdout);
        return 1;
    }
    Colours palette;
    if (int const failed = load_palette(options, palette)) return failed;
    return options.mode == Mode::extract ? extract(options, palette) : insert(options, palette);
}

}  // namespace tilmar
