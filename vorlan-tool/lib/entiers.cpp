#include "lib/entiers.h"

namespace {

bool dans(std::size_t taille_tampon, long long position, int taille) {
    return taille >= 1 && taille <= 4 && position >= 0 &&
           position + taille <= static_cast<long long>(taille_tampon);
}

// Byte k of the stored integer weighs 8k bits little-endian, 8(taille - 1 - k) big-endian.
int decalage(int k, int taille, Ordre_octets ordre) {
    return 8 * (ordre == Ordre_octets::petit_boutiste ? k : taille - 1 - k);
}

}  // namespace

Ordre_octets ordre_octets(bool petit_boutiste) {
    return petit_boutiste ? Ordre_octets::petit_boutiste : Ordre_octets::grand_boutiste;
}

bool lire_entier_borne(std::vector<unsigned char> const& octets, long long position, int taille, Ordre_octets ordre,
                       std::uint32_t& valeur) {
    if (!dans(octets.size(), position, taille)) return false;
    std::uint32_t lu = 0;
    for (int k = 0; k < taille; ++k)
        lu |= static_cast<std::uint32_t>(octets[static_cast<std::size_t>(position) + k]) << decalage(k, taille, ordre);
    valeur = lu;
    return true;
}

bool ecrire_entier_borne(std::vector<unsigned char>& octets, long long position, int taille, Ordre_octets ordre,
                         std::uint32_t valeur) {
    if (!dans(octets.size(), position, taille)) return false;
    for (int k = 0; k < taille; ++k)
        octets[static_cast<std::size_t>(position) + k] = static_cast<unsigned char>(valeur >> decalage(k, taille, ordre));
    return true;
}
