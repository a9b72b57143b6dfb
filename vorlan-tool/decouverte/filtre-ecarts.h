#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "decouverte/regles-relatives.h"

// The relative search's fast filter. For a gap g, the differences E[t] = v[t + g] - v[t] between
// values g apart form a sequence the phrase fixes wherever two characters g apart share a class.
// The longest run of fixed differences, over a few gaps, is searched in that sequence with the
// bad-character rule of Horspool, a difference standing for a byte: after a mismatch the window
// moves past the last difference it holds that the run cannot match there. Every place it
// passes is only a candidate: the rules are then verified in full.
namespace Decouverte {

class Filtre_ecarts {
public:
    // `valeur_max`: the largest value (0xFF, 0xFFFF), which bounds every difference.
    Filtre_ecarts(Regles const& regles, std::uint32_t valeur_max);

    // No place can pass: the run holds a difference beyond what two values can differ by.
    bool impossible() const { return impossible_; }

    // Calls candidat(p) for each phrase start p from p0 to p1, in order, where the run matches.
    // The values must hold the whole phrase from p1 on: p1 + regles.longueur() <= v.nombre().
    template <typename Valeurs, typename F>
    void parcourir(Valeurs const& v, std::size_t p0, std::size_t p1, F&& candidat) const {
        if (impossible_ || p1 < p0) return;
        std::size_t const m = run_.size();
        std::size_t const dernier = m - 1;
        int const attendue = run_[dernier];
        std::size_t const fin = p1 + debut_;
        for (std::size_t t = p0 + debut_; t <= fin;) {
            int const e = ecart(v, t + dernier);
            if (e == attendue) {
                std::size_t k = dernier;
                while (k > 0 && ecart(v, t + k - 1) == run_[k - 1]) --k;
                if (k == 0) candidat(t - debut_);
            }
            t += sauts_[static_cast<std::size_t>(e + decalage_)];
        }
    }

private:
    template <typename Valeurs>
    int ecart(Valeurs const& v, std::size_t t) const {
        return static_cast<int>(v[t + gap_]) - static_cast<int>(v[t]);
    }

    std::size_t gap_ = 1;
    std::size_t debut_ = 0;   // the phrase position of the run's first difference
    std::vector<int> run_;    // the fixed differences, at least one
    std::vector<std::uint16_t> sauts_;  // per difference + decalage_: how far the window may move
    int decalage_ = 0;
    bool impossible_ = false;
};

}  // namespace Decouverte
