#pragma once
#include <cstddef>
#include <cstdint>

// The IPS layout, shared by its encoder and its decoder:
//
//   "PATCH"                                   5 bytes
//   record*:  offset (3, big-endian)  size (2, big-endian)  size bytes
//             offset (3)  0x0000  run length (2, big-endian, non-zero)  value (1)    RLE
//   "EOF"                                     3 bytes
//   [truncation size (3, big-endian)]         the output's length
namespace IPS {

constexpr unsigned char entete[] = {'P', 'A', 'T', 'C', 'H'};
constexpr unsigned char fin[] = {'E', 'O', 'F'};
constexpr std::size_t taille_entete = sizeof entete;
constexpr std::size_t taille_fin = sizeof fin;
constexpr std::size_t taille_troncature = 3;

// Offset (3) and size (2) of a record; an RLE record adds its run length (2) and its value.
constexpr std::size_t taille_tete = 5;
constexpr std::size_t taille_rle = 3;

// The offset whose three bytes spell "EOF": a record there would read as the end.
constexpr std::uint32_t adresse_fin = 0x454F46;

constexpr std::size_t taille_enregistrement_maximale = 0xFFFF;
// Offsets have three bytes: every byte of the modified file must be addressable.
constexpr std::size_t taille_maximale = std::size_t{1} << 24;

}  // namespace IPS
