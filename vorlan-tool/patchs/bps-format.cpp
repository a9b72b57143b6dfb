#include "patchs/bps-format.h"

#include <zlib.h>

#include <algorithm>

namespace BPS {

void ajouter_nombre(std::vector<unsigned char>& sortie, std::uint64_t valeur) {
    for (;;) {
        unsigned char const bas = static_cast<unsigned char>(valeur & 0x7f);
        valeur >>= 7;
        if (valeur == 0) {
            sortie.push_back(static_cast<unsigned char>(0x80 | bas));
            return;
        }
        sortie.push_back(bas);
        --valeur;
    }
}

int taille_nombre(std::uint64_t valeur) {
    int n = 1;
    while ((valeur >>= 7) != 0) {
        --valeur;
        ++n;
    }
    return n;
}

std::uint64_t nombre_signe(std::int64_t delta) {
    std::uint64_t const grandeur =
        delta < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(delta) : static_cast<std::uint64_t>(delta);
    return grandeur << 1 | (delta < 0 ? 1 : 0);
}

Lecture_nombre lire_nombre_borne(std::vector<unsigned char> const& octets, std::size_t limite, std::size_t& position,
                                 std::uint64_t& valeur) {
    limite = std::min(limite, octets.size());
    std::uint64_t lu = 0;
    std::uint64_t poids = 1;
    for (std::size_t p = position;; ++p) {
        if (p >= limite) return Lecture_nombre::tronque;
        std::uint64_t const bas = octets[p] & 0x7f;
        if (bas > (UINT64_MAX - lu) / poids) return Lecture_nombre::demesure;
        lu += bas * poids;
        if (octets[p] & 0x80) {
            position = p + 1;
            valeur = lu;
            return Lecture_nombre::ok;
        }
        if (poids > UINT64_MAX >> 7) return Lecture_nombre::demesure;
        poids <<= 7;
        if (lu > UINT64_MAX - poids) return Lecture_nombre::demesure;
        lu += poids;
    }
}

std::uint32_t crc32_octets(unsigned char const* octets, std::size_t taille) {
    uLong crc = crc32(0L, Z_NULL, 0);
    // zlib takes lengths as uInt: larger buffers go in pieces.
    constexpr std::size_t morceau = std::size_t{1} << 30;
    while (taille > 0) {
        std::size_t const n = std::min(taille, morceau);
        crc = crc32(crc, octets, static_cast<uInt>(n));
        octets += n;
        taille -= n;
    }
    return static_cast<std::uint32_t>(crc);
}

void ajouter_le32(std::vector<unsigned char>& sortie, std::uint32_t valeur) {
    for (int k = 0; k < 4; ++k) sortie.push_back(static_cast<unsigned char>(valeur >> (8 * k)));
}

}  // namespace BPS
