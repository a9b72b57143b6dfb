#pragma once
#include <string>
#include <vector>

namespace pakrun {

enum class Mode { decompress, compress };

// What one run of the tool is asked to do.
struct Options {
    Mode mode = Mode::decompress;
    long offset = 0;         // in the ROM file, 0 to INT_MAX
    long size = 0;           // uncompressed size for decompression, 0 when not given
    bool createNew = false;  // compression writes a new ROM file instead of patching it
    std::string romName;
    std::string dataName;
};

// The command line read: either runnable options, or the messages that explain why not,
// to be followed by the usage text.
struct CommandLine {
    Options options;
    bool runnable = false;
    std::string complaints;
};

// Reads the arguments (the program name excluded) in order, then checks that the run has
// what it needs.
CommandLine readCommandLine(std::vector<std::string> const& args);

extern char const usageText[];

}  // namespace pakrun
