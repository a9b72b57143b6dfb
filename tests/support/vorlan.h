#pragma once
#include <map>
#include <string>

#include "support/process.h"
#include "support/scratch.h"

namespace test_support {

// Runs `vorlan-tool -e script.lua` in the scratch folder, with the given start-up script
// ("vorlan-tool.lua", written empty when not given) and the given script. The banner line is
// cut from the output, so tests compare exactly what the scripts and commands printed.
RunResult run_script(Scratch const& scratch, std::string const& script, std::string const& startup = "");

// The folder's snapshot without the two scripts run_script writes, to tell that a command
// changed nothing else.
std::map<std::string, std::string> snapshot_without_scripts(Scratch const& scratch);

// The same run, with the banner kept.
RunResult run_vorlan(Scratch const& scratch, std::vector<std::string> const& args, std::string const& input = "");

}  // namespace test_support
