#pragma once
#include <functional>
#include <string>

namespace test_support {

// Runs the function with the process's standard output sent to a temporary file, and
// returns every byte it printed through C stdio.
std::string capture_stdout(std::function<void()> const& fn);

}  // namespace test_support
