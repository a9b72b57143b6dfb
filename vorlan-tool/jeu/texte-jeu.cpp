#include "jeu/texte-jeu.h"

#include <algorithm>

namespace Jeu {

Numeros::Numeros(int groupes, std::vector<Insereur::Encodage> const& encodages) : groupes_(groupes) {
    for (Insereur::Encodage const& e : encodages)
        for (Insereur::Texte_encode const& t : e.textes)
            for (Insereur::Texte_encode::Renvoi const& r : t.renvois)
                if (r.numero > groupes) au_dela_.push_back(r.numero);
    std::sort(au_dela_.begin(), au_dela_.end());
    au_dela_.erase(std::unique(au_dela_.begin(), au_dela_.end()), au_dela_.end());
}

std::optional<std::size_t> Numeros::indice(int n) const {
    if (n >= 1 && n <= groupes_) return static_cast<std::size_t>(n);
    auto const place = std::lower_bound(au_dela_.begin(), au_dela_.end(), n);
    if (place == au_dela_.end() || *place != n) return std::nullopt;
    return static_cast<std::size_t>(groupes_) + 1 + static_cast<std::size_t>(place - au_dela_.begin());
}

}  // namespace Jeu
