#pragma once
#include <string>

namespace tilmar {

// Every text Tilmar prints, by identifier; the texts are printf formats. The texts about
// writing a file through the commit path are commun's (remplacement/tool-output.cpp).
enum class Message {
    // The command line.
    usage,
    missing_rom,
    missing_bitmap,
    missing_tiles,
    missing_value,
    invalid_number,
    negative_value,
    invalid_colour,
    invalid_option,
    same_files,
    same_colours,
    // Reading and writing the files.
    rom_unreadable,
    rom_not_writable,
    rom_too_small,
    rom_read_failed,
    rom_write_failed,
    rom_buffer,
    bitmap_buffer,
    bitmap_unreadable,
    bitmap_not_writable,
    bitmap_read_failed,
    bitmap_write_failed,
    bitmap_too_small,
    bitmap_data_cut,
    sheet_narrower_than_tile,
    sheet_not_whole_tiles,
    sheet_too_large_png,
    sheet_too_large_bmp,
    png_encoding_failed,
    // BMP files.
    not_bitmap,
    bmp_os2_header,
    bmp_unknown_header,
    bmp_unsupported_depth,
    bmp_compressed,
    bmp_size_field_short,
    bmp_palette_outside,
    bmp_index_past_palette,
    // PNG files.
    not_png,
    png_cut_short,
    png_bad_crc,
    png_undecodable,
    png_too_large,
    png_index_past_palette,
    // Tile formats and palettes.
    unknown_format,
    size_fixed,
    size_any,
    size_multiple_of_8,
    invalid_order,
    order_without_8x8,
    colours_need_one_bit,
    palette_unreadable,
    palette_bad_jasc,
    palette_bad_gimp,
    palette_bad_raw,
    palette_too_small,
    pixels_near_no_entry,
    pixels_taken_nearest,
    message_count  // not a message: the size of the catalogue
};

// The message's text, exactly as it is printed.
char const* message_text(Message message);

// The message with its arguments, as printf would print it.
std::string format_message(Message message, ...);

// Prints the message with its arguments on standard output.
void print_message(Message message, ...);

// The name of a BMP compression method, as the refusal of a compressed BMP file gives it.
char const* compression_name(unsigned long compression);

}  // namespace tilmar
