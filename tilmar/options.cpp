#include "tilmar/options.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "tilmar/messages.h"
#include "tilmar/stdio-file.h"

namespace tilmar {

namespace {

constexpr long long default_columns = 16;
constexpr long long largest_colour = 0xFFFFFF;
constexpr int console_side = 8;

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

bool takes_number(std::string const& arg) {
    return arg == "-t" || arg == "-o" || arg == "-c" || arg == "-f" || arg == "-b" || arg == "-W" || arg == "-H";
}

bool takes_text(std::string const& arg) { return arg == "-F" || arg == "-m" || arg == "-p"; }

// The sides given (-1: not given), before the format's default fills the others in.
struct Given {
    long long width = -1;
    long long height = -1;
    bool order = false;
};

// Stores the value of an option that takes a number; returns the message when it is refused.
std::string store_number(std::string const& option, std::string const& text, Options& options, Given& given) {
    long long value = 0;
    if (!read_number(text, value)) return format_message(Message::invalid_number, option.c_str(), text.c_str());
    if (value < 0) return format_message(Message::negative_value, option.c_str(), text.c_str());
    if (option == "-t") {
        options.tiles = value;
    } else if (option == "-o") {
        options.offset = value;
    } else if (option == "-c") {
        options.columns = value;
    } else if (option == "-W") {
        given.width = value;
    } else if (option == "-H") {
        given.height = value;
    } else {
        if (value > largest_colour) return format_message(Message::invalid_colour, option.c_str(), text.c_str());
        (option == "-f" ? options.foreground : options.background) = static_cast<std::uint32_t>(value);
        options.colours_given = true;
    }
    return "";
}

std::string store_text(std::string const& option, std::string const& text, Options& options, Given& given) {
    if (option == "-F") {
        Tuiles::Format const* format = Tuiles::chercher_format(text);
        if (format == nullptr)
            return format_message(Message::unknown_format, text.c_str(), Tuiles::noms_des_formats().c_str());
        options.format = format;
    } else if (option == "-m") {
        if (text != "row" && text != "col") return format_message(Message::invalid_order, text.c_str());
        options.tile.ordre = text == "row" ? Tuiles::Ordre::lignes : Tuiles::Ordre::colonnes;
        given.order = true;
    } else {
        options.palette = text;
    }
    return "";
}

// The tile's size: the sides given, the format's default for the others; refused when the
// format cannot take it.
std::string settle_tile(Options& options, Given const& given) {
    Tuiles::Format const& format = *options.format;
    long long const side = format.cote_fixe != 0 ? format.cote_fixe : console_side;
    long long const width = given.width >= 0 ? given.width : side;
    long long const height = given.height >= 0 ? given.height : side;
    if (!Tuiles::accepte(format, static_cast<int>(std::min<long long>(width, Tuiles::cote_maximal + 1)),
                         static_cast<int>(std::min<long long>(height, Tuiles::cote_maximal + 1)))) {
        if (format.cote_fixe != 0)
            return format_message(Message::size_fixed, format.nom, format.cote_fixe, format.cote_fixe, width, height);
        if (!Tuiles::en_tuiles_8x8(format))
            return format_message(Message::size_any, format.nom, Tuiles::cote_maximal, width, height);
        return format_message(Message::size_multiple_of_8, format.nom, Tuiles::cote_maximal, width, height);
    }
    if (given.order && !Tuiles::en_tuiles_8x8(format)) return format_message(Message::order_without_8x8, format.nom);
    if (options.colours_given && format.bits != 1) return format_message(Message::colours_need_one_bit, format.nom);
    options.tile.largeur = static_cast<int>(width);
    options.tile.hauteur = static_cast<int>(height);
    return "";
}

}  // namespace

std::string usage_text() { return format_message(Message::usage, Tuiles::noms_des_formats().c_str()); }

std::string parse_options(std::vector<std::string> const& args, Options& options) {
    bool have_rom = false;
    bool have_bitmap = false;
    Given given;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string const& arg = args[i];
        if (takes_number(arg) || takes_text(arg)) {
            if (i + 1 == args.size()) return format_message(Message::missing_value, arg.c_str()) + usage_text();
            std::string const& value = args[++i];
            std::string const refused =
                takes_number(arg) ? store_number(arg, value, options, given) : store_text(arg, value, options, given);
            if (!refused.empty()) return refused + usage_text();
        } else if (arg == "-e") {
            options.mode = Mode::extract;
        } else if (arg == "-i") {
            options.mode = Mode::insert;
        } else if (arg == "-n") {
            options.create_rom = true;
        } else if (arg == "-q") {
            options.nearest_anyway = true;
        } else if (arg.compare(0, 1, "-") == 0 || have_bitmap) {
            return format_message(Message::invalid_option, arg.c_str()) + usage_text();
        } else if (!have_rom) {
            options.rom = arg;
            have_rom = true;
        } else {
            options.bitmap = arg;
            have_bitmap = true;
        }
    }

    std::string complaints;
    if (!have_rom) complaints += message_text(Message::missing_rom);
    if (!have_bitmap) complaints += message_text(Message::missing_bitmap);
    if (options.tiles == 0) return complaints + message_text(Message::missing_tiles) + usage_text();
    if (!complaints.empty()) return complaints + usage_text();
    // Either direction would overwrite the one file with the other's contents.
    if (options.rom == options.bitmap || same_file(options.rom, options.bitmap))
        return format_message(Message::same_files, options.rom.c_str()) + usage_text();
    if (options.columns == 0) options.columns = default_columns;
    // Every pixel would be as near to one colour as to the other.
    if (options.mode == Mode::insert && options.colours_given && options.foreground == options.background)
        return format_message(Message::same_colours, static_cast<unsigned>(options.foreground)) + usage_text();
    std::string const tile = settle_tile(options, given);
    if (!tile.empty()) return tile + usage_text();
    return "";
}

}  // namespace tilmar
