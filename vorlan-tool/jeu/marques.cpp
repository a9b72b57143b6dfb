#include "jeu/marques.h"

#include <cstdio>

namespace Jeu {

namespace {

constexpr char const ouverture[] = "<PLAGE $";
constexpr std::size_t longueur_ouverture = sizeof ouverture - 1;
// More digits than any offset needs, few enough that the value cannot overflow; a longer
// number is no marker.
constexpr std::size_t chiffres_max = 15;

int chiffre(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// The hexadecimal number at `p`, the cursor left after it; false when there is none.
bool lire_hex(std::string const& s, std::size_t& p, long long& valeur) {
    std::size_t const debut = p;
    valeur = 0;
    while (p < s.size() && chiffre(s[p]) >= 0 && p - debut < chiffres_max) valeur = valeur * 16 + chiffre(s[p++]);
    return p > debut && (p >= s.size() || chiffre(s[p]) < 0);
}

}  // namespace

std::size_t lire_marque(std::string const& s, std::size_t p, Plage& plage) {
    if (s.compare(p, longueur_ouverture, ouverture) != 0) return 0;
    std::size_t q = p + longueur_ouverture;
    if (!lire_hex(s, q, plage.debut)) return 0;
    if (s.compare(q, 2, "-$") != 0) return 0;
    q += 2;
    if (!lire_hex(s, q, plage.fin)) return 0;
    if (s.compare(q, 2, ">\n") != 0) return 0;
    return q + 2 - p;
}

std::string marque(Plage const& plage) {
    char texte[64];
    std::snprintf(texte, sizeof texte, "<PLAGE $%llX-$%llX>\n", plage.debut, plage.fin);
    return texte;
}

std::vector<Morceau> decouper(std::string const& script) {
    std::vector<Morceau> morceaux(1);
    std::size_t debut = 0;
    for (std::size_t p = script.find('<'); p != std::string::npos; p = script.find('<', p + 1)) {
        Plage plage;
        std::size_t const longueur = lire_marque(script, p, plage);
        if (longueur == 0) continue;
        morceaux.back().texte.assign(script, debut, p - debut);
        morceaux.push_back({plage, {}});
        debut = p + longueur;
        p = debut - 1;
    }
    morceaux.back().texte.assign(script, debut, std::string::npos);
    return morceaux;
}

}  // namespace Jeu
