#include "decouverte/lecture-pointeurs.h"

namespace Decouverte {

long long Lecture::fin_lisible(long long taille_rom) const {
    long long const fin = ecart > 0 ? taille_rom - ecart : taille_rom - taille + 1;
    return fin > premier_lisible() ? fin : premier_lisible();
}

bool Lecture::lire(std::vector<unsigned char> const& rom, long long o, std::uint32_t& valeur) const {
    if (!eclatee()) return lire_entier_borne(rom, o, taille, ordre, valeur);
    auto const taille_rom = static_cast<long long>(rom.size());
    if (o < premier_lisible() || o >= fin_lisible(taille_rom)) return false;
    valeur = rom[static_cast<std::size_t>(o)] | static_cast<std::uint32_t>(rom[static_cast<std::size_t>(o + ecart)]) << 8;
    return true;
}

void Lecture::lire_lisibles(std::vector<unsigned char> const& rom, long long o, long long nombre,
                            std::uint32_t* valeurs) const {
    unsigned char const* const d = rom.data() + o;
    auto const n = static_cast<std::size_t>(nombre);
    // One loop per layout, so that the loops stay simple enough to be vectorised.
    if (eclatee()) {
        unsigned char const* const hauts = d + ecart;
        for (std::size_t i = 0; i < n; ++i) valeurs[i] = d[i] | static_cast<std::uint32_t>(hauts[i]) << 8;
        return;
    }
    bool const petit = ordre == Ordre_octets::petit_boutiste;
    switch (taille) {
    case 2:
        for (std::size_t i = 0; i < n; ++i)
            valeurs[i] = petit ? d[i] | static_cast<std::uint32_t>(d[i + 1]) << 8
                               : static_cast<std::uint32_t>(d[i]) << 8 | d[i + 1];
        break;
    case 3:
        for (std::size_t i = 0; i < n; ++i)
            valeurs[i] = petit ? d[i] | static_cast<std::uint32_t>(d[i + 1]) << 8 | static_cast<std::uint32_t>(d[i + 2]) << 16
                               : static_cast<std::uint32_t>(d[i]) << 16 | static_cast<std::uint32_t>(d[i + 1]) << 8 | d[i + 2];
        break;
    default:
        for (std::size_t i = 0; i < n; ++i)
            valeurs[i] = petit ? d[i] | static_cast<std::uint32_t>(d[i + 1]) << 8 |
                                     static_cast<std::uint32_t>(d[i + 2]) << 16 | static_cast<std::uint32_t>(d[i + 3]) << 24
                               : static_cast<std::uint32_t>(d[i]) << 24 | static_cast<std::uint32_t>(d[i + 1]) << 16 |
                                     static_cast<std::uint32_t>(d[i + 2]) << 8 | d[i + 3];
        break;
    }
}

}  // namespace Decouverte
