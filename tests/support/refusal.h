#pragma once
#include <string>
#include <vector>

#include "support/scratch.h"

namespace test_support {

using Args = std::vector<std::string>;

// The arguments followed by more.
Args with(Args args, Args const& more);

// Runs a tool's command that must be refused: exactly this output, exit status 1, and no file
// of the scratch folder created or changed.
void expect_refused(std::string const& program, Scratch const& scratch, Args const& args, std::string const& out);

// The same refusal with and without "-n" and, when the command names the scratch folder's
// "folder", again with its "pipe" in that place: a pipe must be refused like a folder,
// without waiting for its other end.
void expect_refused_as_file(std::string const& program, Scratch const& scratch, Args const& args,
                            std::string const& out);

}  // namespace test_support
