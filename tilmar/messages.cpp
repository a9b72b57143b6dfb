#include "tilmar/messages.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace tilmar {

namespace {

struct Entry {
    Message id;
    char const* text;
};

// In the order of the identifiers; the check below keeps the two in step.
constexpr Entry catalogue[] = {
    {Message::usage,
     "\nTilmar - extract or insert monochrome Tilmar tiles from/to roms\n"
     "Usage: Tilmar [options] -t nmbtiles romfile bmpfile\n\n"
     "General Options:\n"
     "  -t\tNumber of Tilmar tiles to extract or insert\n"
     "  -o\tOffset in rom file to start extracting or inserting, default = 0\n"
     "  -e\tExtract tiles from rom\n"
     "  -i\tInsert tiles to rom\n\n"
     "Tile Options:\n"
     "  -F\tTile format, default = 1bpp-12 (12 x 12 one-bit tiles); one of\n"
     "\t%s\n"
     "  -W\tTile width in pixels, default = 12 for 1bpp-12, 8 for the others\n"
     "  -H\tTile height in pixels, default = 12 for 1bpp-12, 8 for the others\n"
     "  -m\tOrder of the 8 x 8 tiles in a larger tile: row (default) or col\n"
     "  -p\tPalette file: JASC-PAL, GIMP .gpl or raw RGB (3 bytes a color);\n"
     "\tdefault = a grey ramp from black to white (-b and -f for one bit)\n\n"
     "Extract Options:\n"
     "  -c\tNumber of columns in bitmap, default = 16\n"
     "  -f\tForeground color in bitmap, default=0xffffff (white)\n"
     "  -b\tBackground color in bitmap, default=0x000000 (black)\n"
     "Insert Options:\n"
     "  -n\tCreate new file, default off\n"
     "  -f\tForeground color to read from the bitmap, default=0xffffff (white)\n"
     "  -b\tBackground color to read from the bitmap, default=0x000000 (black)\n"
     "\tA pixel is foreground when its color is nearer to -f than to -b; without\n"
     "\t-f and -b, a 1-bit BMP is read by its bits (1 = foreground)\n"
     "  -q\tTake the nearest palette entry for pixels near none, instead of refusing\n"
     "Bitmap files: BMP of 1, 4, 8, 16, 24 or 32 bits per pixel, or PNG when the\n"
     "name ends in .png\n"},
    {Message::missing_rom, "missing rom filename\n"},
    {Message::missing_bitmap, "missing bitmap filename\n"},
    {Message::missing_tiles, "missing number of tiles to extract/insert\n"},
    {Message::missing_value, "missing value for option %s\n"},
    {Message::invalid_number, "invalid number for option %s: %s\n"},
    {Message::negative_value, "negative value for option %s: %s\n"},
    {Message::invalid_colour, "invalid color for option %s: %s (0xRRGGBB expected)\n"},
    {Message::invalid_option, "invalid option: %s\n"},
    {Message::same_files, "rom file and bitmap file are the same: %s\n"},
    {Message::same_colours, "foreground and background colors are the same: 0x%06x\n"},
    {Message::rom_unreadable, "unable to open rom file %s for reading\n"},
    {Message::rom_not_writable, "unable to open rom file %s for writing\n"},
    {Message::rom_too_small, "%s rom file is too small"},
    {Message::rom_read_failed, "unable to read rom file %s\n"},
    {Message::rom_write_failed, "unable to write rom file %s\n"},
    {Message::rom_buffer, "unable to allocate %lld byte for rom buffer\n"},
    {Message::bitmap_buffer, "unable to allocate %lld byte for bitmap buffer\n"},
    {Message::bitmap_unreadable, "unable to open bitmap file %s for reading\n"},
    {Message::bitmap_not_writable, "unable to open bitmap file %s for writing\n"},
    {Message::bitmap_read_failed, "unable to read bitmap file %s\n"},
    {Message::bitmap_write_failed, "unable to write bitmap file %s\n"},
    {Message::bitmap_too_small, "bitmap file %s is too small\n"},
    {Message::bitmap_data_cut, "%s bitmap file is too small"},
    {Message::sheet_narrower_than_tile, "bitmap file %s is %lld pixels wide, narrower than a tile (%d pixels)\n"},
    {Message::sheet_not_whole_tiles,
     "bitmap file %s is %lld pixels wide, not a multiple of the tile width (%d pixels)\n"},
    {Message::sheet_too_large_png, "a bitmap of %lld x %lld pixels is too large for a PNG file\n"},
    {Message::sheet_too_large_bmp, "a bitmap of %lld x %lld pixels is too large for a BMP file\n"},
    {Message::png_encoding_failed, "unable to encode bitmap file %s as PNG: %s\n"},
    {Message::not_bitmap, "%s is not a bitmap file\n"},
    {Message::bmp_os2_header,
     "bitmap file %s has an OS/2 header of %lu bytes, which Tilmar does not read; nothing was changed\n"},
    {Message::bmp_unknown_header,
     "bitmap file %s has an information header of %lu bytes, which Tilmar does not read; nothing was changed\n"},
    {Message::bmp_unsupported_depth,
     "bitmap file %s has %lu-bit pixels, which Tilmar does not read; nothing was changed\n"},
    {Message::bmp_compressed,
     "bitmap file %s has %lu-bit pixels with compression %lu (%s), which Tilmar does not read; nothing was "
     "changed\n"},
    {Message::bmp_size_field_short, "bitmap file %s gives %lu bytes of pixel data where its rows take %lld\n"},
    {Message::bmp_palette_outside,
     "bitmap file %s has %lu-bit pixels and a palette of size %lu that does not fit in the file before its pixel "
     "data; nothing was changed\n"},
    {Message::bmp_index_past_palette,
     "bitmap file %s has a pixel whose color index lies past the end of its palette; nothing was changed\n"},
    {Message::not_png, "%s is not a PNG file; nothing was changed\n"},
    {Message::png_cut_short, "PNG file %s is cut short; nothing was changed\n"},
    {Message::png_bad_crc, "PNG file %s is damaged: its chunk at byte %lld fails its CRC check; nothing was changed\n"},
    {Message::png_undecodable, "PNG file %s is damaged: %s; nothing was changed\n"},
    {Message::png_too_large, "PNG file %s is %lld x %lld pixels, too large to be read; nothing was changed\n"},
    {Message::png_index_past_palette,
     "PNG file %s has a pixel whose color index lies past the end of its palette; nothing was changed\n"},
    {Message::unknown_format, "unknown tile format: %s (formats: %s)\n"},
    {Message::size_fixed, "tile format %s takes tiles of %d x %d pixels only, not %lld x %lld\n"},
    {Message::size_any, "tile format %s takes tiles of 1 to %d pixels a side, not %lld x %lld\n"},
    {Message::size_multiple_of_8,
     "tile format %s takes tiles whose sides are multiples of 8 pixels, up to %d, not %lld x %lld\n"},
    {Message::invalid_order, "invalid order for option -m: %s (row or col expected)\n"},
    {Message::order_without_8x8, "option -m applies to the formats made of 8 x 8 tiles, not to %s\n"},
    {Message::colours_need_one_bit, "options -f and -b apply to the 1-bit formats, not to %s\n"},
    {Message::palette_unreadable, "unable to read palette file %s\n"},
    {Message::palette_bad_jasc, "palette file %s is not a valid JASC-PAL file: line %d is wrong\n"},
    {Message::palette_bad_gimp, "palette file %s is not a valid GIMP palette: line %d is wrong\n"},
    {Message::palette_bad_raw,
     "palette file %s is neither a JASC-PAL nor a GIMP palette, nor raw RGB: its size (%lld bytes) is not a "
     "multiple of 3 from 3 to 768\n"},
    {Message::palette_too_small, "palette file %s has %d colors, fewer than the %d that format %s needs\n"},
    {Message::pixels_near_no_entry,
     "bitmap file %s has %lld pixels whose color is near no entry of the palette, the first at x %lld, y %lld "
     "(color 0x%06x); nothing was changed (-q takes the nearest entries)\n"},
    {Message::pixels_taken_nearest,
     "warning: bitmap file %s has %lld pixels whose color is near no entry of the palette; the nearest entries were "
     "taken\n"},
};

constexpr bool in_step() {
    for (std::size_t i = 0; i < sizeof catalogue / sizeof catalogue[0]; ++i)
        if (static_cast<std::size_t>(catalogue[i].id) != i) return false;
    return sizeof catalogue / sizeof catalogue[0] == static_cast<std::size_t>(Message::message_count);
}
static_assert(in_step(), "the catalogue lists every message once, in the order of the identifiers");

std::string vformat(char const* format, std::va_list args) {
    std::va_list copy;
    va_copy(copy, args);
    int const size = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (size <= 0) return "";
    std::vector<char> text(static_cast<std::size_t>(size) + 1);
    std::vsnprintf(text.data(), text.size(), format, args);
    return std::string(text.data(), static_cast<std::size_t>(size));
}

}  // namespace

char const* message_text(Message message) { return catalogue[static_cast<std::size_t>(message)].text; }

std::string format_message(Message message, ...) {
    std::va_list args;
    va_start(args, message);
    std::string text = vformat(message_text(message), args);
    va_end(args);
    return text;
}

void print_message(Message message, ...) {
    std::va_list args;
    va_start(args, message);
    std::string const text = vformat(message_text(message), args);
    va_end(args);
    std::fwrite(text.data(), 1, text.size(), stdout);
}

char const* compression_name(unsigned long compression) {
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

}  // namespace tilmar
