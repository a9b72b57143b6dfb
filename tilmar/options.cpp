#include "tilmar/options.h"

#include <cctype>
#include <cstddef>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "tilmar/stdio-file.h"

namespace tilmar {

namespace {

constexpr long long default_columns = 16;
constexpr long long largest_colour = 0xFFFFFF;

// An integer whose base follows from its prefix: "0x" hexadecimal, a leading 0 octal, else
// decimal. The whole argument must be the number, within 32 bits.
bool read_number(std::string const& text, long long& value) {
    if (text.empty() || std::isspace(static_cast<unsigned char>(text[0]))) return false;
    errno = 0;
    char* end = nullptr;
    value = std::strtoll(text.c_str(), &end, 0);
    return errno == 0 && *end == '\0' && value >= std::numeric_limits<std::int32_t>::min() &&
           value <= std::numeric_limits<std::int32_t>::max();
}

std::string hex_colour(std::uint32_t rgb) {
    char text[9];
    std::snprintf(text, sizeof text, "0x%06x", static_cast<unsigned>(rgb));
    return text;
}

bool takes_value(std::string const& arg) {
    return arg == "-t" || arg == "-o" || arg == "-c" || arg == "-f" || arg == "-b";
}

// Stores the value of an option that takes one; returns the message when it is refused.
std::string store_value(std::string const& option, std::string const& text, Options& options) {
    long long value = 0;
    if (!read_number(text, value)) return "invalid number for option " + option + ": " + text + "\n";
    if (value < 0) return "negative value for option " + option + ": " + text + "\n";
    if (option == "-t") {
        options.tiles = value;
    } else if (option == "-o") {
        options.offset = value;
    } else if (option == "-c") {
        options.columns = value;
    } else {
        if (value > largest_colour) return "invalid color for option " + option + ": " + text + " (0xRRGGBB expected)\n";
        (option == "-f" ? options.foreground : options.background) = static_cast<std::uint32_t>(value);
        options.colours_given = true;
    }
    return "";
}

}  // namespace

std::string usage_text() {
    return "\nTilmar - extract or insert monochrome Tilmar tiles from/to roms\n"
           "Usage: Tilmar [options] -t nmbtiles romfile bmpfile\n\n"
           "General Options:\n"
           "  -t\tNumber of Tilmar tiles to extract or insert\n"
           "  -o\tOffset in rom file to start extracting or inserting, default = 0\n"
           "  -e\tExtract tiles from rom\n"
           "  -i\tInsert tiles to rom\n\n"
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
           "Bitmap files: BMP of 1, 4, 8, 16, 24 or 32 bits per pixel, or PNG when the\n"
           "name ends in .png\n";
}

std::string parse_options(std::vector<std::string> const& args, Options& options) {
    bool have_rom = false;
    bool have_bitmap = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string const& arg = args[i];
        if (takes_value(arg)) {
            if (i + 1 == args.size()) return "missing value for option " + arg + "\n" + usage_text();
            std::string const refused = store_value(arg, args[++i], options);
            if (!refused.empty()) return refused + usage_text();
        } else if (arg == "-e") {
            options.mode = Mode::extract;
        } else if (arg == "-i") {
            options.mode = Mode::insert;
        } else if (arg == "-n") {
            options.create_rom = true;
        } else if (arg.compare(0, 1, "-") == 0 || have_bitmap) {
            return "invalid option: " + arg + "\n" + usage_text();
        } else if (!have_rom) {
            options.rom = arg;
            have_rom = true;
        } else {
            options.bitmap = arg;
            have_bitmap = true;
        }
    }

    std::string complaints;
    if (!have_rom) complaints += "missing rom filename\n";
    if (!have_bitmap) complaints += "missing bitmap filename\n";
    if (options.tiles == 0) return complaints + "missing number of tiles to extract/insert\n" + usage_text();
    if (!complaints.empty()) return complaints + usage_text();
    // Either direction would overwrite the one file with the other's contents.
    if (options.rom == options.bitmap || same_file(options.rom, options.bitmap))
        return "rom file and bitmap file are the same: " + options.rom + "\n" + usage_text();
    if (options.columns == 0) options.columns = default_columns;
    // Every pixel would be as near to one colour as to the other.
    if (options.mode == Mode::insert && options.colours_given && options.foreground == options.background)
        return "foreground and background colors are the same: " + hex_colour(options.foreground) + "\n" +
               usage_text();
    return "";
}

}  // namespace tilmar
