#include "patchs/chaines-hachage.h"

#include <algorithm>

namespace BPS {

namespace {

// Enough buckets for about one position each, between 4 Ki and 1 Mi of them: beyond, the
// table is too large for the caches, and every insertion waits for memory.
int bits_pour(std::size_t taille) {
    int bits = 12;
    while (bits < 20 && (std::size_t{1} << bits) < taille) ++bits;
    return bits;
}

// Insertions are independent: the bucket of a position this far ahead is fetched while the
// current one is entered.
constexpr std::size_t avance = 32;

}  // namespace

Chaines_hachage::Chaines_hachage(std::vector<unsigned char> const& octets)
    : octets_(octets),
      bits_(bits_pour(octets.size())),
      tetes_(std::size_t{1} << bits_, aucune),
      maillons_(octets.size(), Maillon{aucune, 0}) {}

void Chaines_hachage::entrer_jusqua(std::size_t fin) {
    if (octets_.size() < longueur_cle) return;
    fin = std::min(fin, octets_.size() - longueur_cle + 1);
    unsigned char const* const octets = octets_.data();
    std::size_t const taille = octets_.size();
    for (; entrees_ < fin; ++entrees_) {
        std::size_t const plus_loin = entrees_ + avance;
        if (plus_loin < fin) __builtin_prefetch(&tetes_[hacher(octets + plus_loin)], 1);
        std::uint32_t& tete = tetes_[hacher(octets + entrees_)];
        maillons_[entrees_] = {tete, taille - entrees_ >= longueur_suivie ? suite_de(octets + entrees_) : 0};
        tete = static_cast<std::uint32_t>(entrees_);
    }
}

}  // namespace BPS
