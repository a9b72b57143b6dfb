#include "jeu/suites.h"

namespace Jeu {

std::vector<Suite> suites(std::vector<int> const& numeros) {
    std::vector<Suite> resultat;
    for (int n : numeros) {
        if (!resultat.empty() && resultat.back().dernier + 1 == n)
            resultat.back().dernier = n;
        else
            resultat.push_back({n, n});
    }
    return resultat;
}

std::string lister(std::vector<int> const& numeros) {
    std::string texte;
    for (Suite const& s : suites(numeros)) {
        if (!texte.empty()) texte += ", ";
        texte += std::to_string(s.premier);
        if (s.dernier != s.premier) texte += "-" + std::to_string(s.dernier);
    }
    return texte;
}

}  // namespace Jeu
