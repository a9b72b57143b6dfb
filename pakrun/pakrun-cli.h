#pragma once
#include <string>
#include <vector>

namespace pakrun {

// The whole program: reads the arguments (the program name excluded), runs the
// decompression or the compression, prints every message on the standard output and
// returns the exit status, 0 or 1.
int runPakrun(std::vector<std::string> const& args);

}  // namespace pakrun
