#include "pakrun/pakrun-cli.h"

#include <cstdio>

#include "pakrun/pakrun-options.h"
#include "pakrun/rom-compress.h"
#include "pakrun/rom-decompress.h"

namespace pakrun {

int runPakrun(std::vector<std::string> const& args) {
    CommandLine const line = readCommandLine(args);
    if (!line.runnable) {
        std::fputs(line.complaints.c_str(), stdout);
        std::fputs(usageText, stdout);
        return 1;
    }
    return line.options.mode == Mode::compress ? compressToRom(line.options) : decompressFromRom(line.options);
}

}  // namespace pakrun
