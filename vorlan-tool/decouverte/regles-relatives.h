#pragma once
#include <algorithm>
#include <cstddef>
#include <vector>

#include "decouverte/motif.h"
#include "decouverte/recherche-relative.h"

// The rules a hit of the relative search obeys, drawn from its motif. Each character but the
// joker belongs to a class: an alphabet the phrase has letters of, or one other character. In a
// hit, the ROM value minus the character's offset in its class (a letter's rank, 0 for another
// character) is the class's constant: an alphabet's base, another character's value.
namespace Decouverte {

constexpr std::size_t sans_classe = static_cast<std::size_t>(-1);

class Regles {
public:
    explicit Regles(Motif const& motif);

    std::size_t longueur() const { return classe_.size(); }
    std::size_t classes() const { return classes_; }
    // The position's class (sans_classe for the joker) and its offset there.
    std::size_t classe(std::size_t position) const { return classe_[position]; }
    long long decalage(std::size_t position) const { return decalage_[position]; }

    // Whether the phrase stands at value index p; the classes' constants are left in `constantes`
    // (classes() of them), and `tampon` is the room it needs, kept between calls.
    template <typename Valeurs>
    bool verifier(Valeurs const& v, std::size_t p, std::vector<long long>& constantes,
                  std::vector<long long>& tampon) const {
        for (Contrainte const& c : contraintes_) {
            long long const constante = static_cast<long long>(v[p + c.position]) - c.decalage;
            if (c.premiere) constantes[c.classe] = constante;
            else if (constantes[c.classe] != constante) return false;
        }
        if (classes_ < 2) return true;
        // The letters of one alphabet differ by their ranks; across classes, values may meet.
        tampon.clear();
        for (Symbole const& s : symboles_) tampon.push_back(constantes[s.classe] + s.decalage);
        std::sort(tampon.begin(), tampon.end());
        return std::adjacent_find(tampon.begin(), tampon.end()) == tampon.end();
    }

    // The hit at value index p, at `adresse`, once verifier() has accepted it.
    template <typename Valeurs>
    Trouvaille trouvaille(Valeurs const& v, std::size_t p, long long adresse,
                          std::vector<long long> const& constantes) const {
        Trouvaille t;
        t.adresse = adresse;
        for (std::size_t i = 0; i < classe_.size(); ++i) t.valeurs.push_back(v[p + i]);
        for (std::size_t c : classe_alphabet_) {
            if (c == sans_classe) t.bases.emplace_back();
            else t.bases.emplace_back(constantes[c]);
        }
        for (std::size_t c : classe_autre_) t.autres.push_back(static_cast<std::uint32_t>(constantes[c]));
        return t;
    }

private:
    struct Contrainte {
        std::size_t position;
        std::size_t classe;
        long long decalage;
        bool premiere;  // the class's first character: it sets the constant the others must meet
    };
    struct Symbole {
        std::size_t classe;
        long long decalage;
    };

    std::vector<std::size_t> classe_;
    std::vector<long long> decalage_;
    std::size_t classes_ = 0;
    std::vector<std::size_t> classe_alphabet_;  // per alphabet of the motif
    std::vector<std::size_t> classe_autre_;     // per other character
    std::vector<Contrainte> contraintes_;       // in position order, the joker left out
    std::vector<Symbole> symboles_;             // each distinct character once
};

}  // namespace Decouverte
