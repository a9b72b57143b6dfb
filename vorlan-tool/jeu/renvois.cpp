#include "jeu/renvois.h"

#include <algorithm>

#include "jeu/integres.h"

namespace Jeu {

Renvois::Renvois(Description const& jeu, std::vector<Texte_jeu> const& textes, Numeros const& numeros)
    : jeu_(jeu),
      numeros_(numeros),
      conversions_(jeu.integres.begin(), jeu.integres.end()),
      texte_du_numero_(numeros.total() + 1, -1),
      avant_placement_(textes.size()) {
    for (std::size_t i = 0; i < textes.size(); ++i)
        for (int n : textes[i].pointeurs) texte_du_numero_[*numeros.indice(n)] = static_cast<int>(i);
    for (Texte_jeu const& t : textes) {
        if (t.copie_de >= 0) continue;
        for (Insereur::Texte_encode::Renvoi const& r : t.encode->renvois) {
            references_.push_back(r.numero);
            std::optional<std::size_t> const c = cible(r.numero);
            if (c && !nomme_p(jeu.integres[r.code].formule_ext) && !nomme_p(jeu.integres[r.code].formule_ins))
                avant_placement_[*c].push_back(r.code);
        }
    }
}

std::optional<std::size_t> Renvois::cible(int numero) const {
    std::optional<std::size_t> const i = numeros_.indice(numero);
    if (!i || texte_du_numero_[*i] < 0) return std::nullopt;
    return static_cast<std::size_t>(texte_du_numero_[*i]);
}

std::optional<int> Renvois::sans_balise() const {
    for (int n : references_)
        if (!cible(n)) return n;
    return std::nullopt;
}

bool Renvois::atteignable(std::size_t t, long long q) const {
    return std::all_of(avant_placement_[t].begin(), avant_placement_[t].end(),
                       [&](std::size_t code) { return conversions_[code].valeur(q, 0).has_value(); });
}

// The value reference `r` of a text at `texte` takes: P is where its bytes land.
std::optional<std::uint32_t> Renvois::valeur(Insereur::Texte_encode::Renvoi const& r, long long texte,
                                             std::vector<Texte_jeu> const& textes) const {
    std::optional<long long> const position = textes[*cible(r.numero)].position;
    if (!position) return std::nullopt;
    return conversions_[r.code].valeur(*position, texte + static_cast<long long>(r.debut));
}

std::vector<int> Renvois::retirer_hors_portee(std::vector<Texte_jeu>& textes) const {
    std::vector<int> hors_portee;
    std::vector<std::size_t> retires;
    for (Texte_jeu const& t : textes) {
        if (!t.position || t.copie_de >= 0) continue;
        for (Insereur::Texte_encode::Renvoi const& r : t.encode->renvois) {
            std::size_t const c = *cible(r.numero);
            if (!textes[c].position || valeur(r, *t.position, textes)) continue;
            hors_portee.push_back(r.numero);
            retires.push_back(c);
        }
    }
    for (std::size_t c : retires) textes[c].position.reset();
    for (bool encore = true; encore;) {
        encore = false;
        for (Texte_jeu& t : textes) {
            if (!t.position || t.copie_de >= 0 || perdus(t, textes).empty()) continue;
            t.position.reset();
            t.renvoi_perdu = true;
            encore = true;
        }
    }
    std::sort(hors_portee.begin(), hors_portee.end());
    hors_portee.erase(std::unique(hors_portee.begin(), hors_portee.end()), hors_portee.end());
    return hors_portee;
}

std::vector<int> Renvois::perdus(Texte_jeu const& t, std::vector<Texte_jeu> const& textes) const {
    std::vector<int> numeros;
    for (Insereur::Texte_encode::Renvoi const& r : t.encode->renvois)
        if (!textes[*cible(r.numero)].position) numeros.push_back(r.numero);
    std::sort(numeros.begin(), numeros.end());
    numeros.erase(std::unique(numeros.begin(), numeros.end()), numeros.end());
    return numeros;
}

void Renvois::ecrire(Texte_jeu const& t, std::vector<Texte_jeu> const& textes, Insereur::Image_rom& image) const {
    for (Insereur::Texte_encode::Renvoi const& r : t.encode->renvois) {
        Integre const& integre = jeu_.integres[r.code];
        image.ecrire_entier(*t.position + static_cast<long long>(r.debut), integre.taille, integre.ordre,
                            *valeur(r, *t.position, textes));
    }
}

}  // namespace Jeu
