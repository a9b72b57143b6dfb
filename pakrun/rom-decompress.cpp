#include "pakrun/rom-decompress.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "pakrun/codec-decoder.h"
#include "pakrun/codec-encoder.h"
#include "pakrun/tool-io.h"
#include "remplacement/tool-output.h"

namespace pakrun {

namespace {

int romTooSmall(char const* romName) {
    std::printf("%s rom file is too small", romName);
    return 1;
}

}  // namespace

int decompressFromRom(Options const& options) {
    char const* const romName = options.romName.c_str();
    char const* const dataName = options.dataName.c_str();
    File rom = openRegular(romName, "rb");
    if (!rom) {
        std::printf("unable to open rom file %s for reading\n", romName);
        return 1;
    }
    // Read what the file holds from the offset, up to the longest block that can expand to
    // the size: a block near the end of the file decodes as long as its bytes are there.
    long const romSize = myFileSize(rom.get());
    long const available = std::max(0L, romSize - options.offset);
    // A size that the bytes left cannot expand to is refused before its buffer is taken.
    if (options.size > pkMostExpanded(available)) return romTooSmall(romName);
    long const wanted = std::min(available, pkCompBound(options.size));
    std::vector<unsigned char> packed;
    if (!allocate(packed, wanted)) {
        std::printf("unable to allocate %ld byte for rom buffer\n", wanted);
        return 1;
    }
    std::vector<unsigned char> data;
    if (!allocate(data, options.size)) {
        std::printf("unable to allocate %ld byte for data buffer\n", options.size);
        return 1;
    }
    std::size_t got = 0;
    if (wanted > 0 && std::fseek(rom.get(), options.offset, SEEK_SET) == 0) {
        got = std::fread(packed.data(), 1, packed.size(), rom.get());
    }
    int const size = static_cast<int>(options.size);
    int const consumed = pkDecomp(packed.data(), static_cast<int>(got), data.data(), size);
    if (consumed == pkInputExhausted) return romTooSmall(romName);

    Remplacement::Tool_output out;
    if (!out.prepare(options.dataName, "unable to open data file %s for writing\n") ||
        !out.commit(data.data(), data.size(), "unable to write data file %s\n"))
        return 1;
    std::printf("Decompressed %ld bytes (compressed size = %ld) from offset 0x%08lX of file %s to file %s\n",
                options.size, static_cast<long>(consumed), static_cast<unsigned long>(options.offset), romName,
                dataName);
    return 0;
}

}  // namespace pakrun
