#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tilmar {

// Colours as 0xRRGGBB, entry i being colour index i.
using Colours = std::vector<std::uint32_t>;

enum class Palette_check {
    ok,
    bad_jasc,  // "JASC-PAL" then a wrong line: `line` says which (from 1)
    bad_gimp,  // "GIMP Palette" then a wrong line
    bad_raw,   // neither text form, and not 1 to 256 whole 3-byte entries
};

struct Palette_file {
    Palette_check check = Palette_check::ok;
    int line = 0;
    Colours colours;
};

// Reads a whole palette file, in any of the three forms, told apart by their first bytes:
//   JASC-PAL: "JASC-PAL", "0100", the number of entries, then one "R G B" line each;
//   GIMP:     "GIMP Palette", optional "Name:" and "Columns:" lines, "#" comments and blank
//             lines, then "R G B" lines, each optionally followed by a name;
//   raw RGB:  3 bytes an entry (red, green, blue), 1 to 256 entries.
// Lines may end in LF or CR LF; channels are decimal, 0 to 255. At most 256 entries are kept.
Palette_file read_palette(std::vector<unsigned char> const& file);

// The default palette of `count` colours: a grey ramp from black (index 0) to white.
Colours grey_ramp(int count);

}  // namespace tilmar
