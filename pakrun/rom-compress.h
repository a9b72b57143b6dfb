#pragma once
#include "pakrun/pakrun-options.h"

namespace pakrun {

// Compresses the data file into the ROM file at options.offset (a new ROM file with
// options.createNew), printing the summary or the failure. Returns the exit status. The ROM
// is written only once the data file has been read and compressed.
int compressToRom(Options const& options);

}  // namespace pakrun
