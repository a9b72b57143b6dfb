#pragma once
#include "pakrun/pakrun-options.h"

namespace pakrun {

// Decompresses options.size bytes from the ROM file at options.offset into the data file,
// printing the summary or the failure. Returns the exit status. The data file is written
// only once the whole block has been decoded, so a failure leaves it as it was.
int decompressFromRom(Options const& options);

}  // namespace pakrun
