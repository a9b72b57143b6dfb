#include "pakrun/rom-compress.h"

#include <cstdio>
#include <vector>

#include "pakrun/codec-encoder.h"
#include "pakrun/tool-io.h"

namespace pakrun {

int compressToRom(Options const& options) {
    char const* const romName = options.romName.c_str();
    char const* const dataName = options.dataName.c_str();
    // An existing ROM is opened first, which changes nothing; a new one is created only when
    // there is something to write, so that a missing data file cannot empty it.
    File rom;
    if (!options.createNew) {
        rom = openRegular(romName, "rb+");
        if (!rom) {
            std::printf("unable to open rom file %s for writing\n", romName);
            return 1;
        }
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

    if (options.createNew) {
        rom = openRegular(romName, "wb");
        if (!rom) {
            std::printf("unable to open rom file %s for writing\n", romName);
            return 1;
        }
    }
    bool const stored = std::fseek(rom.get(), options.offset, SEEK_SET) == 0 &&
                        std::fwrite(packed.data(), 1, static_cast<std::size_t>(packedSize), rom.get()) ==
                            static_cast<std::size_t>(packedSize);
    if (!closeWritten(rom) || !stored) {
        std::printf("unable to write rom file %s\n", romName);
        return 1;
    }
    std::printf("Compressed %ld bytes (uncompressed size = %ld) from file %s to offset 0x%08lX of file %s\n",
                packedSize, size, dataName, static_cast<unsigned long>(options.offset), romName);
    return 0;
}

}  // namespace pakrun
