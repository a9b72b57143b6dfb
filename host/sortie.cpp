#include "host/sortie.h"

#include <cstdio>

void afficher(Rapport const& rapport) {
    std::string const texte = formater(rapport);
    std::fwrite(texte.data(), 1, texte.size(), stdout);
}

void afficher(Rapports const& rapports) {
    for (Rapport const& r : rapports) afficher(r);
}
