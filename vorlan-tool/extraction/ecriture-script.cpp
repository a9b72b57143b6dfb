#include "extraction/ecriture-script.h"

#include <algorithm>
#include <cstdio>

namespace Extracteur {

void Ecriture_script::ecrire_balise(int numero) {
    char balise[32];
    int const longueur = std::snprintf(balise, sizeof balise, "<PT%04d>\n", numero);
    ecrire(balise, static_cast<std::size_t>(longueur));
}

std::size_t Ecriture_script::decoder(Table_ext const& table, unsigned char const* octets, std::size_t disponible,
                                     bool fins) {
    std::size_t longueur = 0;
    Texte_ext const* entree = table.plus_long(octets, std::min<std::size_t>(disponible, table.taille_max()), longueur);
    if (entree == nullptr) {
        ecrire_brut(octets[0]);
        return 1;
    }
    return ecrire_entree(*entree, longueur, octets, disponible, fins);
}

std::size_t Ecriture_script::ecrire_entree(Texte_ext const& entree, std::size_t longueur, unsigned char const* octets,
                                           std::size_t disponible, bool fins) {
    ecrire(entree.texte.data(), entree.texte.size());
    // Parameters are numbers, never characters: decoding them would give text that insertion
    // turns into other bytes.
    std::size_t const parametres = std::min(static_cast<std::size_t>(entree.parametres), disponible - longueur);
    for (std::size_t k = 0; k < parametres; ++k) ecrire_brut(octets[longueur + k]);
    if (fins && entree.fin && (entree.texte.empty() || entree.texte.back() != '\n')) ecrire("\n", 1);
    return longueur + parametres;
}

void Ecriture_script::ecrire_brut(unsigned char octet) {
    static char const chiffres[] = "0123456789ABCDEF";
    char const brut[4] = {'<', chiffres[octet >> 4], chiffres[octet & 0x0F], '>'};
    ecrire(brut, sizeof brut);
}

}  // namespace Extracteur
