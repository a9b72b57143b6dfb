#include "decouverte/filtre-ecarts.h"

#include <algorithm>

namespace Decouverte {

namespace {

// Gaps tried beside the smallest one between two characters of a class: a phrase mixing
// classes ("a b c d", "AbAb") fixes nothing at gap 1 but long runs at gap 2.
constexpr std::size_t gaps_essayes = 16;

struct Run {
    std::size_t gap = 1;
    std::size_t debut = 0;
    std::size_t longueur = 0;
};

Run plus_long_run(Regles const& r, std::size_t gap) {
    Run meilleur{gap, 0, 0};
    std::size_t courant = 0;
    for (std::size_t i = 0; i + gap < r.longueur(); ++i) {
        bool const fixe = r.classe(i) != sans_classe && r.classe(i) == r.classe(i + gap);
        courant = fixe ? courant + 1 : 0;
        if (courant > meilleur.longueur) meilleur = {gap, i + 1 - courant, courant};
    }
    return meilleur;
}

// The smallest distance between two characters of one class; 0 when no class has two.
std::size_t plus_petit_gap(Regles const& r) {
    std::vector<std::size_t> derniere(r.classes(), sans_classe);
    std::size_t plus_petit = 0;
    for (std::size_t i = 0; i < r.longueur(); ++i) {
        std::size_t const c = r.classe(i);
        if (c == sans_classe) continue;
        if (derniere[c] != sans_classe && (plus_petit == 0 || i - derniere[c] < plus_petit))
            plus_petit = i - derniere[c];
        derniere[c] = i;
    }
    return plus_petit;
}

}  // namespace

Filtre_ecarts::Filtre_ecarts(Regles const& regles, std::uint32_t valeur_max) {
    std::vector<std::size_t> gaps;
    for (std::size_t g = 1; g <= gaps_essayes && g < regles.longueur(); ++g) gaps.push_back(g);
    gaps.push_back(plus_petit_gap(regles));
    Run meilleur;
    for (std::size_t g : gaps) {
        if (g == 0) continue;
        Run const r = plus_long_run(regles, g);
        if (r.longueur > meilleur.longueur) meilleur = r;
    }
    // A motif that lire_motif refuses fixes no difference, and finds nothing.
    impossible_ = meilleur.longueur == 0;
    gap_ = meilleur.gap;
    debut_ = meilleur.debut;
    long long const borne = static_cast<long long>(valeur_max);
    for (std::size_t k = 0; k < meilleur.longueur && !impossible_; ++k) {
        long long const d = regles.decalage(debut_ + k + gap_) - regles.decalage(debut_ + k);
        impossible_ = d < -borne || d > borne;
        run_.push_back(static_cast<int>(impossible_ ? 0 : d));
    }
    if (impossible_) return;
    decalage_ = static_cast<int>(valeur_max);
    // A shorter move than Horspool's is still safe: the table's cells cap what they hold.
    auto saut = [](std::size_t s) { return static_cast<std::uint16_t>(std::min<std::size_t>(s, 0xFFFF)); };
    std::size_t const m = run_.size();
    sauts_.assign(2 * static_cast<std::size_t>(valeur_max) + 1, saut(m));
    for (std::size_t k = 0; k + 1 < m; ++k) sauts_[static_cast<std::size_t>(run_[k] + decalage_)] = saut(m - 1 - k);
}

}  // namespace Decouverte
