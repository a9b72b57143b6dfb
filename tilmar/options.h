#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "tuiles/formats.h"

namespace tilmar {

enum class Mode { extract, insert };

// What the command line asks for.
struct Options {
    Mode mode = Mode::extract;
    long long tiles = 0;                 // "-t"
    long long offset = 0;                // "-o": ROM offset of the first tile
    long long columns = 16;              // "-c": extraction only
    std::uint32_t foreground = 0xFFFFFF; // "-f": 0xRRGGBB
    std::uint32_t background = 0x000000; // "-b": 0xRRGGBB
    bool colours_given = false;          // "-f" or "-b": insertion reads a 1-bit picture by these two colours
    bool create_rom = false;             // "-n": insertion only
    Tuiles::Format const* format = &Tuiles::formats().front();  // "-F"
    Tuiles::Dimensions tile;             // "-W", "-H", "-m"; 12 × 12 for 1bpp-12, else 8 × 8 by default
    std::string palette;                 // "-p": a palette file, or empty for the default
    bool nearest_anyway = false;         // "-q": insertion takes the nearest entry of pixels near none
    std::string rom;
    std::string bitmap;
};

// Reads the arguments that follow the program name into `options`. Returns what to print
// when the command line is wrong (messages, then the usage text), or an empty text when the
// options are complete and sound.
std::string parse_options(std::vector<std::string> const& args, Options& options);

std::string usage_text();

}  // namespace tilmar
