#pragma once
#include <string>
#include <vector>

namespace tilmar {

// Runs the tile tool on the arguments that follow the program name: extracts tiles from a ROM
// into a 1-bit BMP picture, or inserts them from one into the ROM. Prints its messages on
// standard output and returns the exit status: 0 after a conversion, 1 after any error.
int run_tilmar(std::vector<std::string> const& args);

}  // namespace tilmar
