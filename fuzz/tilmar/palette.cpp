// The palette readers on arbitrary files (JASC-PAL, GIMP, raw RGB), then the palette read
// matched against itself and a grey ramp: every entry of a palette is its own nearest one.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "tilmar/palette-match.h"
#include "tilmar/palette.h"

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    std::vector<unsigned char> const file(data, data + size);
    tilmar::Palette_file const read = tilmar::read_palette(file);
    if (read.check != tilmar::Palette_check::ok) {
        if (!read.colours.empty()) std::abort();
        return 0;
    }
    if (read.colours.empty() || read.colours.size() > 256) std::abort();
    tilmar::Index_picture stored{static_cast<long long>(read.colours.size()), 1, {}};
    for (std::size_t i = 0; i < read.colours.size(); ++i) stored.indexes.push_back(static_cast<unsigned char>(i));
    tilmar::Matched_picture const same = tilmar::match_indexes(stored, read.colours, read.colours);
    if (same.far_pixels != 0 || same.picture.indexes != stored.indexes) std::abort();
    tilmar::match_indexes(stored, read.colours, tilmar::grey_ramp(16));
    return 0;
}
