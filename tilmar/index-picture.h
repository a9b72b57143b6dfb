#pragma once
#include <vector>

namespace tilmar {

// A picture of colour indexes, one byte a pixel, rows from the top one, no padding.
struct Index_picture {
    long long width = 0;
    long long height = 0;
    std::vector<unsigned char> indexes;  // width × height
};

}  // namespace tilmar
