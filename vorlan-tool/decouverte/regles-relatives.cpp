#include "decouverte/regles-relatives.h"

#include <set>
#include <utility>

namespace Decouverte {

Regles::Regles(Motif const& motif)
    : classe_(motif.positions.size(), sans_classe),
      decalage_(motif.positions.size(), 0),
      classe_alphabet_(motif.alphabets.size(), sans_classe),
      classe_autre_(motif.autres.size(), sans_classe) {
    std::set<std::pair<std::size_t, long long>> vus;
    for (std::size_t i = 0; i < motif.positions.size(); ++i) {
        Position const& p = motif.positions[i];
        if (p.sorte == Position::Sorte::joker) continue;
        bool const lettre = p.sorte == Position::Sorte::lettre;
        std::size_t& classe = lettre ? classe_alphabet_[p.indice] : classe_autre_[p.indice];
        bool const premiere = classe == sans_classe;
        if (premiere) classe = classes_++;
        classe_[i] = classe;
        decalage_[i] = lettre ? p.rang : 0;
        contraintes_.push_back({i, classe, decalage_[i], premiere});
        if (vus.insert({classe, decalage_[i]}).second) symboles_.push_back({classe, decalage_[i]});
    }
}

}  // namespace Decouverte
