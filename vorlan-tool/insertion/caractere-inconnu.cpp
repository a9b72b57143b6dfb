#include "insertion/caractere-inconnu.h"

#include <string_view>

#include "lib/vorlan_tool_divers.h"

namespace Insereur {

Rapport caractere_inconnu(char const* fenetre, std::size_t longueur) {
    std::string_view const tout(fenetre, longueur);
    return Rapport(Message::caractere_inconnu,
                   {Vorlan_tool::afficher_chaine(tout.substr(0, 1)), Vorlan_tool::afficher_chaine(tout)});
}

}  // namespace Insereur
