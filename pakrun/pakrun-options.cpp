#include "pakrun/pakrun-options.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "pakrun/codec-encoder.h"
#include "pakrun/tool-io.h"

namespace pakrun {

char const usageText[] =
    "\nPakrun - decompress or compress data from/to roms\n"
    "Usage: Pakrun [options] romfile decfile\n\n"
    "General Options:\n"
    "  -o\tOffset in rom file to start extracting or inserting, default = 0\n"
    "  -d\tDecompress data from rom\n"
    "  -c\tCompress data to rom\n\n"
    "Decompress Options:\n"
    "  -s\tSize of the uncompressed data (Mandatory)\n"
    "Compress Options:\n"
    "  -n\tCreate new file, default off\n";

namespace {

// A number as the C library reads a long in automatic base (decimal, "0x" hexadecimal, a
// leading 0 for octal, an optional sign), accepted only when the whole text is that number
// and it lies between 0 and the limit.
bool readNumber(std::string const& text, long limit, long& value) {
    char* end = nullptr;
    errno = 0;
    long const number = std::strtol(text.c_str(), &end, 0);
    if (end == text.c_str() || *end != '\0' || errno == ERANGE || number < 0 || number > limit) return false;
    value = number;
    return true;
}

std::string formatted(char const* format, std::string const& argument) {
    std::string text(format);
    text.replace(text.find("%s"), 2, argument);
    return text;
}

}  // namespace

CommandLine readCommandLine(std::vector<std::string> const& args) {
    CommandLine line;
    Options& options = line.options;
    std::vector<std::string> names;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string const& arg = args[i];
        if (arg == "-c") {
            options.mode = Mode::compress;
        } else if (arg == "-d") {
            options.mode = Mode::decompress;
        } else if (arg == "-n") {
            options.createNew = true;
        } else if (arg == "-o" || arg == "-s") {
            if (i + 1 == args.size()) {
                line.complaints = formatted("missing value for option %s\n", arg);
                return line;
            }
            std::string const& value = args[++i];
            bool const offset = arg == "-o";
            if (!readNumber(value, offset ? INT_MAX : pkMaxLength, offset ? options.offset : options.size)) {
                line.complaints = formatted(offset ? "invalid offset: %s\n" : "invalid size: %s\n", value);
                return line;
            }
        } else if (arg[0] == '-' || names.size() == 2) {
            line.complaints = formatted("invalid option: %s\n", arg);
            return line;
        } else {
            names.push_back(arg);
        }
    }
    if (names.size() > 0) options.romName = names[0];
    if (names.size() > 1) options.dataName = names[1];

    if (names.size() < 1) line.complaints += "missing rom filename\n";
    if (names.size() < 2) line.complaints += "missing decompressed data filename\n";
    if (options.mode == Mode::decompress && options.size == 0) line.complaints += "missing decompressed data length\n";
    // Either direction would overwrite the one file with the other's contents.
    if (line.complaints.empty() &&
        (options.romName == options.dataName || sameFile(options.romName.c_str(), options.dataName.c_str())))
        line.complaints = formatted("rom file and data file are the same: %s\n", options.romName);
    line.runnable = line.complaints.empty();
    return line;
}

}  // namespace pakrun
