#pragma once
#include <cstddef>
#include <vector>

namespace tilmar {

// The PNG file: an 8-byte signature, then chunks up to and including IEND, each
//
//   0 data length (big-endian, below 2^31)   4 type (4 letters)   8 data   8 + length CRC-32 of type and data
//
// libpng decodes the chunks; this walk checks the file's structure first, so that a file cut
// after its image data or with a damaged chunk that libpng would skip is refused too.
namespace png {
constexpr unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
}  // namespace png

enum class Png_chunks_check {
    ok,
    not_png,    // no PNG signature
    cut_short,  // a chunk runs past the end of the file, or the file ends before IEND
    bad_crc,    // a chunk's CRC does not match its type and data
};

struct Png_chunks {
    Png_chunks_check check = Png_chunks_check::ok;
    long long chunk_at = 0;  // bad_crc: the file offset of that chunk
};

// Walks the chunks of a whole PNG file from its signature to IEND; bytes after IEND are ignored.
Png_chunks check_png_chunks(std::vector<unsigned char> const& file);

// Whether a file name ends with ".png", in any case.
bool png_file_name(char const* name);

}  // namespace tilmar
