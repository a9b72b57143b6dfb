#include "decouverte/index-debuts.h"

#include <algorithm>

namespace Decouverte {

namespace {

std::uint32_t cle(long long a, long long b) { return static_cast<std::uint32_t>(a << 16 | b); }

}  // namespace

Index_debuts::Index_debuts(std::vector<long long> const& debuts, long long taille_rom)
    : taille_rom_(taille_rom),
      pages_(static_cast<std::size_t>((taille_rom + (1 << 18) - 1) >> 18), 0),
      carte_(static_cast<std::size_t>((taille_rom + 63) / 64), 0),
      ecarts_(static_cast<std::size_t>(ecart_max / 64), 0) {
    for (long long d : debuts)
        if (d >= 0 && d < taille_rom) debuts_.push_back(d);
    std::sort(debuts_.begin(), debuts_.end());
    debuts_.erase(std::unique(debuts_.begin(), debuts_.end()), debuts_.end());
    for (long long d : debuts_) {
        pages_[static_cast<std::size_t>(d >> 18)] |= std::uint64_t{1} << (d >> 12 & 63);
        carte_[static_cast<std::size_t>(d >> 6)] |= std::uint64_t{1} << (d & 63);
    }
    for (std::size_t j = 0; j + 1 < debuts_.size(); ++j) {
        long long const a = debuts_[j + 1] - debuts_[j];
        if (a < ecart_max) ecarts_[static_cast<std::size_t>(a >> 6)] |= std::uint64_t{1} << (a & 63);
        if (j + 2 >= debuts_.size()) continue;
        long long const b = debuts_[j + 2] - debuts_[j + 1];
        if (a < ecart_max && b < ecart_max) paires_.emplace_back(cle(a, b), static_cast<int>(j));
    }
    std::sort(paires_.begin(), paires_.end());
}

std::vector<int> Index_debuts::paires(long long a, long long b) const {
    std::vector<int> j;
    if (!ecart_consecutif(a) || !ecart_consecutif(b)) return j;
    auto it = std::lower_bound(paires_.begin(), paires_.end(), std::pair<std::uint32_t, int>(cle(a, b), 0));
    for (; it != paires_.end() && it->first == cle(a, b); ++it) j.push_back(it->second);
    return j;
}

bool Index_debuts::paire(long long a, long long b) const {
    if (!ecart_consecutif(a) || !ecart_consecutif(b)) return false;
    auto const it = std::lower_bound(paires_.begin(), paires_.end(), std::pair<std::uint32_t, int>(cle(a, b), 0));
    return it != paires_.end() && it->first == cle(a, b);
}

Index_banques::Index_banques(std::vector<long long> const& debuts, long long periode, long long entete)
    : periode_(periode),
      entete_(entete),
      occupees_(static_cast<std::size_t>((periode + 63) / 64), 0),
      premiers_(static_cast<std::size_t>(periode) + 1, 0) {
    while ((1LL << bits_periode_) < periode_) ++bits_periode_;
    // Counted, then placed: the starts come ascending, so each position's bases do too.
    for (long long d : debuts)
        if (d >= entete) ++premiers_[static_cast<std::size_t>((d - entete) % periode) + 1];
    for (std::size_t q = 1; q < premiers_.size(); ++q) premiers_[q] += premiers_[q - 1];
    bases_.resize(premiers_.back());
    std::vector<std::uint32_t> suivant(premiers_.begin(), premiers_.end() - 1);
    for (long long d : debuts) {
        if (d < entete) continue;
        long long const q = (d - entete) % periode;
        bases_[suivant[static_cast<std::size_t>(q)]++] = d - q;
        occupees_[static_cast<std::size_t>(q >> 6)] |= std::uint64_t{1} << (q & 63);
    }
}

}  // namespace Decouverte
