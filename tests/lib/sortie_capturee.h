#pragma once
#include <functional>
#include <string>

// Runs the action with the process's standard output sent to a temporary file and returns
// the exact bytes it printed there.
std::string capturer_sortie(std::function<void()> const& action);
