#include "pakrun/rom-compress.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "pakrun/codec-encoder.h"
#include "pakrun/tool-io.h"
#include "remplacement/tool-output.h"

namespace pakrun {

int compressToRom(Options const& options) {
    char const* const romName = options.romName.c_str();
    char const* const dataName = options.dataName.c_str();
    // An existing ROM is locked and its replacement prepared first, which changes nothing; a
    // new one is only prepared when there is something to write, so that a missing data file
    // cannot empty it. The ROM is replaced whole, never written in place.
    char const* const romRefused = "unable to open rom file %s for writing\n";
    Remplacement::Verrou lock;
    Remplacement::Tool_output rom;
    if (!options.createNew) {
        if (!lock.prendre(options.romName)) {
            std::printf(romRefused, romName);
            return 1;
        }
        if (!rom.prepare(options.romName, romRefused)) return 1;
    }
    File input = openRegular(dataName, "rb");
    long const size = input ? myFileSize(input.get()) : -1;
    if (size < 0) {
        std::printf("unable to open data file %s for reading\n", dataName);
        return 1;
    }
    if (size > pkMaxLength) {
        std::printf("%s data file is too large\n", dataName);
        return 1;
    }
    std::vector<unsigned char> packed;
    if (!allocate(packed, pkCompBound(size))) {
        std::printf("unable to allocate %ld byte for rom buffer\n", pkCompBound(size));
        return 1;
    }
    std::vector<unsigned char> data;
    if (!allocate(data, size)) {
        std::printf("unable to allocate %ld byte for data buffer\n", size);
        return 1;
    }
    if (std::fread(data.data(), 1, data.size(), input.get()) != data.size()) {
        std::printf("%s data file is too small\n", dataName);
        return 1;
    }
    long const packedSize = pkComp(data.data(), packed.data(), static_cast<int>(size));

    // The new ROM: the old one (none with "-n") with the block at the offset; an offset past
    // its end grows it with zero bytes.
    std::vector<unsigned char> image;
    if (options.createNew) {
        if (!rom.prepare(options.romName, romRefused)) return 1;
    } else {
        File old = openRegular(romName, "rb");
        long const oldSize = old ? myFileSize(old.get()) : -1;
        if (oldSize < 0 || !allocate(image, oldSize) ||
            std::fread(image.data(), 1, image.size(), old.get()) != image.size()) {
            std::printf("unable to read rom file %s\n", romName);
            return 1;
        }
    }
    long const end = options.offset + packedSize;
    if (static_cast<long>(image.size()) < end && !allocate(image, end)) {
        std::printf("unable to allocate %ld byte for rom buffer\n", end);
        return 1;
    }
    std::copy(packed.begin(), packed.begin() + packedSize, image.begin() + options.offset);
    if (!rom.commit(image.data(), image.size(), "unable to write rom file %s\n")) return 1;
    std::printf("Compressed %ld bytes (uncompressed size = %ld) from file %s to offset 0x%08lX of file %s\n",
                packedSize, size, dataName, static_cast<unsigned long>(options.offset), romName);
    return 0;
}

}  // namespace pakrun
