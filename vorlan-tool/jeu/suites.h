#pragma once
#include <string>
#include <vector>

namespace Jeu {

// A run of consecutive pointer numbers, both ends included.
struct Suite {
    int premier;
    int dernier;
};

// The runs of an increasing list of numbers, so that thousands of pointers make a few lines.
std::vector<Suite> suites(std::vector<int> const& numeros);
// The numbers as the reports list them: "1, 4-9, 12".
std::string lister(std::vector<int> const& numeros);

}  // namespace Jeu
