#include <string>
#include <vector>

#include "tilmar/tilmar-cli.h"

int main(int argc, char** argv) { return tilmar::run_tilmar(std::vector<std::string>(argv + 1, argv + argc)); }
