#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// Byte order of an integer stored in a ROM.
enum class Ordre_octets {
    petit_boutiste,  // least significant byte first
    grand_boutiste,  // most significant byte first
};

// The script interface gives the byte order as a boolean: true is little-endian.
Ordre_octets ordre_octets(bool petit_boutiste);

// Reads the integer of `taille` bytes (1 to 4) at `position` of the buffer into `valeur`.
// False, reading nothing, when those bytes do not all lie inside the buffer.
bool lire_entier_borne(std::vector<unsigned char> const& octets, long long position, int taille, Ordre_octets ordre,
                       std::uint32_t& valeur);

// Writes the low `taille` bytes (1 to 4) of the value at `position` of the buffer. False,
// writing nothing, when those bytes do not all lie inside the buffer.
bool ecrire_entier_borne(std::vector<unsigned char>& octets, long long position, int taille, Ordre_octets ordre,
                         std::uint32_t valeur);
