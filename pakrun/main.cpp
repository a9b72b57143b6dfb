#include <string>
#include <vector>

#include "pakrun/pakrun-cli.h"

int main(int argc, char** argv) { return pakrun::runPakrun(std::vector<std::string>(argv + 1, argv + argc)); }
