#pragma once
#include <string>
#include <vector>

namespace test_support {

struct RunResult {
    std::string out;   // everything the program wrote on its standard output, byte for byte
    int status = -1;   // exit status, or -1 when the program did not exit normally
};

// Runs a program in the given working folder with the given arguments (argv[0] excluded),
// feeding `input` on its standard input. Standard error is left alone.
RunResult run(std::string const& program, std::vector<std::string> const& args,
              std::string const& cwd, std::string const& input = "");

}  // namespace test_support
