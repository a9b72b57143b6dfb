#pragma once
#include <cstdint>
#include <vector>

#include "lib/entiers.h"

// How the finder reads the value of a slot at offset o: `taille` bytes in a row, or, for a
// split table, a low byte at o and a high byte `ecart` bytes away (in either direction).
namespace Decouverte {

struct Lecture {
    int taille = 2;  // 2 when split
    Ordre_octets ordre = Ordre_octets::petit_boutiste;
    long long ecart = 0;  // 0: bytes in a row

    bool eclatee() const { return ecart != 0; }
    // Slots may be as close as their bytes allow: one byte apart in a split table.
    int pas_minimum() const { return eclatee() ? 1 : taille; }

    // The offsets whose slot lies wholly in a ROM of `taille_rom` bytes: premier <= o < fin.
    long long premier_lisible() const { return ecart < 0 ? -ecart : 0; }
    long long fin_lisible(long long taille_rom) const;

    // The slot's value; false, reading nothing, when its bytes do not all lie in the ROM.
    bool lire(std::vector<unsigned char> const& rom, long long o, std::uint32_t& valeur) const;
    // The values of the `nombre` slots from `o`, all of which the caller has checked readable.
    void lire_lisibles(std::vector<unsigned char> const& rom, long long o, long long nombre,
                       std::uint32_t* valeurs) const;

    // Byte k (0 to taille - 1, the low one first when split) of the slot at o.
    long long octet(long long o, int k) const { return eclatee() && k == 1 ? o + ecart : o + k; }
};

}  // namespace Decouverte
