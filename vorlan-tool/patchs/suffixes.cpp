#include "patchs/suffixes.h"

#include <divsufsort.h>

namespace BPS {

namespace {

// Later target positions between two candidates are skipped, up to this many steps each way:
// the longest match is seldom far in sorted order.
constexpr std::size_t pas_max = 48;

}  // namespace

Suffixes::Suffixes(std::vector<unsigned char> const& source, std::vector<unsigned char> const& cible,
                   std::vector<unsigned char> const& exclu)
    : rang_(cible.size(), aucun) {
    std::vector<unsigned char> texte;
    std::vector<std::uint32_t> origine;  // the offset of each byte of `texte`, bit_cible for the target's
    texte.reserve(source.size() + cible.size());
    for (std::size_t p = 0; p < source.size(); ++p)
        if (!exclu[p]) {
            texte.push_back(source[p]);
            origine.push_back(static_cast<std::uint32_t>(p));
        }
    for (std::size_t i = 0; i < cible.size(); ++i)
        if (!exclu[source.size() + i]) {
            texte.push_back(cible[i]);
            origine.push_back(static_cast<std::uint32_t>(i) | bit_cible);
        }
    // divsufsort counts in 32-bit signed numbers: a larger text goes without long matches.
    if (texte.empty() || texte.size() > static_cast<std::size_t>(INT32_MAX)) return;
    std::vector<saidx_t> ordre(texte.size());
    if (divsufsort(texte.data(), ordre.data(), static_cast<saidx_t>(texte.size())) != 0) return;
    // The offsets themselves in sorted order: a walk then reads one array in sequence.
    trie_.resize(ordre.size());
    for (std::size_t r = 0; r < ordre.size(); ++r) {
        std::uint32_t const o = origine[static_cast<std::size_t>(ordre[r])];
        trie_[r] = o;
        if (o & bit_cible) rang_[o & ~bit_cible] = static_cast<std::uint32_t>(r);
    }
}

int Suffixes::voisins(std::size_t i, Voisin (&sortie)[voisins_max]) const {
    if (trie_.empty() || rang_[i] == aucun) return 0;
    std::size_t const r = rang_[i];
    int n = 0;
    auto chercher = [&](bool vers_le_haut) {
        int trouves = 0;
        for (std::size_t pas = 1; pas <= pas_max; ++pas) {
            if (vers_le_haut ? r + pas >= trie_.size() : pas > r) return;
            std::uint32_t const o = trie_[vers_le_haut ? r + pas : r - pas];
            bool const dans_source = (o & bit_cible) == 0;
            std::uint32_t const position = o & ~bit_cible;
            if (dans_source || position < i) {
                sortie[n++] = {dans_source, position};
                if (++trouves == voisins_par_cote) return;
            }
        }
    };
    chercher(false);
    chercher(true);
    return n;
}

}  // namespace BPS
