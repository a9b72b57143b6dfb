#include "extraction/ecriture-script.h"

#include <algorithm>
#include <cstdio>

namespace Extracteur {

void Ecriture_script::ecrire_balise(int numero) {
    char balise[32];
    int const longueur = std::snprintf(balise, sizeof balise, "<PT%04d>\n", numero);
    ecrire(balise, static_cast<std::size_t>(longueur));
}

std::size_t Ecriture_script::decoder(Table_ext const& table, unsigned char const* octets, std::size_t disponible) {
    std::size_t longueur = 0;
    std::string const* texte =
        table.plus_long(octets, std::min<std::size_t>(disponible, table.taille_max()), longueur);
    if (texte != nullptr) {
        ecrire(texte->data(), texte->size());
        return longueur;
    }
    static char const chiffres[] = "0123456789ABCDEF";
    char const inconnu[4] = {'<', chiffres[octets[0] >> 4], chiffres[octets[0] & 0x0F], '>'};
    ecrire(inconnu, sizeof inconnu);
    return 1;
}

}  // namespace Extracteur
