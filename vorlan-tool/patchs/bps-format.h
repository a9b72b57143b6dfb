#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// The BPS layout, shared by its encoder and its decoder:
//
//   "BPS1"  source size  target size  metadata size  metadata bytes     (sizes as numbers)
//   action*                                 up to the last 12 bytes
//   CRC32 of the source, of the target, of every patch byte before it   (4 each, little-endian)
//
// An action is a number ((length - 1) << 2 | kind); a SourceCopy or TargetCopy then moves its
// offset by a signed number ((|delta| << 1) | negative); a TargetRead carries its bytes.
//
// Numbers are stored seven bits a byte, low bits first, the last byte marked by its top bit;
// each byte but the last also stands for one more unit of the next seven bits, so that every
// number has exactly one encoding.
namespace BPS {

constexpr unsigned char entete[] = {'B', 'P', 'S', '1'};
constexpr std::size_t taille_entete = sizeof entete;
constexpr std::size_t taille_pied = 12;

enum class Genre : unsigned {
    lecture_source = 0,  // SourceRead: the source's bytes at the current output offset
    lecture_cible = 1,   // TargetRead: bytes carried by the patch
    copie_source = 2,    // SourceCopy: the source's bytes at its own moving offset
    copie_cible = 3,     // TargetCopy: output already written, at its own moving offset
};

// Neither side may be larger: the decoder allocates the target before writing it, and the
// sizes come from an untrusted patch.
constexpr std::uint64_t taille_maximale = std::uint64_t{1} << 30;

void ajouter_nombre(std::vector<unsigned char>& sortie, std::uint64_t valeur);
// The bytes ajouter_nombre writes for `valeur`.
int taille_nombre(std::uint64_t valeur);
// The signed offset move as a number.
std::uint64_t nombre_signe(std::int64_t delta);

enum class Lecture_nombre {
    ok,
    tronque,   // the number runs into `limite`
    demesure,  // the number is beyond 64 bits
};

// Reads the number at `position`, which never reaches `limite` (itself at most the buffer's
// size), and moves `position` past it; on failure `position` and `valeur` are left as they were.
Lecture_nombre lire_nombre_borne(std::vector<unsigned char> const& octets, std::size_t limite, std::size_t& position,
                                 std::uint64_t& valeur);

// zlib's CRC32 of `taille` bytes, however large.
std::uint32_t crc32_octets(unsigned char const* octets, std::size_t taille);

void ajouter_le32(std::vector<unsigned char>& sortie, std::uint32_t valeur);

}  // namespace BPS
