// Patches on arbitrary bytes: any bytes applied as an IPS patch and as a BPS patch to any small
// ROM (as they are, and with a header and CRCs made right so that the actions are reached), and
// the encoders' round trip: a patch made from two buffers applies back to the second.
//
// Input: a mode byte, the first buffer's size (2 bytes), the target size for the BPS actions
// (2 bytes), then the first buffer and the second.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "patchs/bps-decodeur.h"
#include "patchs/bps-encodeur.h"
#include "patchs/bps-format.h"
#include "patchs/ips-decodeur.h"
#include "patchs/ips-encodeur.h"

namespace {

using Octets = std::vector<unsigned char>;

// The targets fuzzed patches ask for stay small.
constexpr std::uint64_t cible_maximale = 1 << 20;

// "BPS1", the ROM's size, the target size, no metadata, the actions as fuzzed, and the CRCs the
// checks before the actions want.
Octets patch_bps_coherent(Octets const& rom, std::uint64_t taille_cible, Octets const& actions) {
    Octets patch(std::begin(BPS::entete), std::end(BPS::entete));
    BPS::ajouter_nombre(patch, rom.size());
    BPS::ajouter_nombre(patch, taille_cible);
    BPS::ajouter_nombre(patch, 0);
    patch.insert(patch.end(), actions.begin(), actions.end());
    BPS::ajouter_le32(patch, BPS::crc32_octets(rom.data(), rom.size()));
    BPS::ajouter_le32(patch, 0);
    BPS::ajouter_le32(patch, BPS::crc32_octets(patch.data(), patch.size()));
    return patch;
}

void aller_retour(Octets const& original, Octets const& modifie) {
    IPS::Creation const ips = IPS::creer(original, modifie);
    if (ips.statut != IPS::Statut_creation::ok) std::abort();
    IPS::Application const ips_retour = IPS::appliquer(original, ips.patch);
    if (ips_retour.statut != IPS::Statut::ok || ips_retour.rom != modifie) std::abort();

    BPS::Creation const bps = BPS::creer(original, modifie);
    if (bps.statut != BPS::Statut_creation::ok) std::abort();
    BPS::Application const bps_retour = BPS::appliquer(original, bps.patch);
    if (bps_retour.statut != BPS::Statut::ok || bps_retour.cible != modifie) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    if (size < 5) return 0;
    unsigned const mode = data[0] % 4;
    std::size_t const taille = std::min<std::size_t>((data[1] << 8 | data[2]) % 4096, size - 5);
    std::uint64_t const taille_cible = (data[3] << 8 | data[4]) % 8192;
    Octets const premier(data + 5, data + 5 + taille);
    Octets const second(data + 5 + taille, data + size);
    switch (mode) {
        case 0: {
            IPS::Application const a = IPS::appliquer(premier, second);
            if (a.statut != IPS::Statut::ok && !a.rom.empty()) std::abort();
            break;
        }
        case 1: {
            BPS::Application const a = BPS::appliquer(premier, second, cible_maximale);
            if (a.statut != BPS::Statut::ok && !a.cible.empty()) std::abort();
            break;
        }
        case 2: {
            BPS::Application const a =
                BPS::appliquer(premier, patch_bps_coherent(premier, taille_cible, second), cible_maximale);
            if (a.statut != BPS::Statut::ok && !a.cible.empty()) std::abort();
            break;
        }
        case 3: aller_retour(premier, second); break;
    }
    return 0;
}
