#pragma once
#include <vector>

namespace tilmar {

// A picture read by colour, whatever its file stored: 4 bytes a pixel (red, green, blue,
// alpha; alpha 255 is opaque), rows from the top one, no padding.
struct Colour_picture {
    long long width = 0;
    long long height = 0;
    std::vector<unsigned char> rgba;  // 4 × width × height bytes
};

constexpr int rgba_size = 4;

}  // namespace tilmar
