#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// Appliers written for the tests from the formats' public descriptions, sharing no code with the
// shipped decoders, so that a fault common to an encoder and its decoder cannot hide itself in a
// round trip. Any patch they cannot read gives nothing.
namespace temoin {

using Octets = std::vector<unsigned char>;

struct Enregistrement_ips {
    std::size_t adresse;
    std::size_t taille;
    bool rle;
};

struct Lecture_ips {
    Octets rom;
    std::vector<Enregistrement_ips> enregistrements;
    std::optional<std::size_t> troncature;
};

std::optional<Lecture_ips> appliquer_ips(Octets rom, Octets const& patch);

struct Action_bps {
    int genre;  // 0 SourceRead, 1 TargetRead, 2 SourceCopy, 3 TargetCopy
    std::uint64_t longueur;
    std::uint64_t depuis;  // a copy's first byte read, in the source or the target
};

struct Lecture_bps {
    Octets cible;
    Octets metadonnees;
    std::vector<Action_bps> actions;
};

std::optional<Lecture_bps> appliquer_bps(Octets const& source, Octets const& patch);

// The patch's number encoding, for tests that build patches by hand.
void ecrire_nombre(Octets& sortie, std::uint64_t n);
// "BPS1", the three sizes (the target's as `taille_cible` when given), the metadata, `actions`
// as given, then the three CRCs, computed (with zlib) on `source`, `cible` and the patch.
Octets patch_bps(Octets const& source, Octets const& cible, Octets const& actions, Octets const& metadonnees = {},
                 std::optional<std::uint64_t> taille_cible = std::nullopt);
// "BPS1", `corps` as given (header and actions), the CRCs of `source` and `cible`, and the
// patch's own.
Octets entourer_bps(Octets const& corps, Octets const& source, Octets const& cible);
// zlib's CRC32 of the whole buffer.
std::uint32_t crc(Octets const& octets);
// Puts back a correct patch CRC after a test altered the bytes before it.
void recalculer_crc_patch(Octets& patch);

}  // namespace temoin
