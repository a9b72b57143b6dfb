#include "insertion/caractere-inconnu.h"

#include <cstdio>
#include <string>

#include "lib/vorlan_tool_divers.h"

namespace Insereur {

void signaler_caractere_inconnu(char const* fenetre, std::size_t longueur) {
    std::string const tout(fenetre, longueur);
    std::string const premier(fenetre, longueur == 0 ? 0 : 1);
    std::fputs("Le caractère \"", stdout);
    Vorlan_tool::afficher_chaine(premier.c_str());
    std::fputs("\" est inconnu (\"", stdout);
    Vorlan_tool::afficher_chaine(tout.c_str());
    std::fputs("\")...\n", stdout);
}

}  // namespace Insereur
