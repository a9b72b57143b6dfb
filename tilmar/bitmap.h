#pragma once
#include <cstdint>
#include <vector>

#include "tilmar/index-picture.h"

namespace tilmar {

// A 1-bit picture held the way BMP stores it: each row padded to whole 32-bit words, the most
// significant bit of a byte being the leftmost pixel, padding bits 0.
struct Bitmap {
    long long width = 0;                  // pixels
    long long height = 0;                 // pixels, never negative
    bool top_down = false;                // rows stored from the top one; BMP's usual order is bottom-up
    std::vector<unsigned char> pixels;    // bitmap_row_size(width) × height bytes
};

// Bytes per stored row: the width in bits rounded up to whole 32-bit words.
long long bitmap_row_size(long long width);

// A bottom-up picture of the given size, all background.
Bitmap blank_bitmap(long long width, long long height);

// Index in `pixels` of the first byte of picture row y, counted from the top of the picture.
long long bitmap_row_start(Bitmap const& picture, long long y);

// The picture as colour indexes: a drawn pixel 1, the others 0.
Index_picture bitmap_indexes(Bitmap const& picture);

}  // namespace tilmar
