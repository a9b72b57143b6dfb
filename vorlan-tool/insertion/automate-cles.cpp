#include "insertion/automate-cles.h"

#include <algorithm>

namespace Insereur {

Automate_cles::Automate_cles(Table_courte const& table) : table_(table) {
    numero(Etat{});
    depuis_depart_.reserve(table.entrees().size());
    for (std::size_t e = 0; e < table.entrees().size(); ++e)
        depuis_depart_.push_back(calculer(depart, static_cast<std::uint32_t>(e)));
}

std::uint32_t Automate_cles::calculer(std::uint32_t etat, std::uint32_t entree) {
    Table_courte::Entree const& e = table_.entrees()[entree];
    Arbre_plat const& cles = table_.cles();
    Etat const avant = etats_[etat];  // a copy: numero() may grow etats_
    bool const parametre = avant.parametres > 0;
    if (parametre ? !e.brut : !e.unite) return refus;
    Etat apres;
    apres.parametres = parametre ? avant.parametres - 1 : e.parametres;
    unsigned char const* octets = e.code->octets();
    int const taille = e.code->taille();
    for (std::uint32_t noeud : avant.ouverts) {
        int k = 0;
        for (; k < taille; ++k) {
            noeud = cles.enfant(noeud, octets[k]);
            if (noeud == Arbre_plat::aucun) break;
            if (cles.valeur(noeud) != Arbre_plat::sans_valeur) return refus;
        }
        if (k == taille) apres.ouverts.push_back(noeud);
    }
    // A parameter byte starts no unit; a code starts one, still open if its key begins a longer one.
    if (!parametre && e.noeud != Arbre_plat::aucun && cles.a_enfants(e.noeud)) apres.ouverts.push_back(e.noeud);
    std::sort(apres.ouverts.begin(), apres.ouverts.end());
    return numero(apres);
}

std::uint32_t Automate_cles::numero(Etat const& etat) {
    std::string cle(reinterpret_cast<char const*>(&etat.parametres), sizeof etat.parametres);
    cle.append(reinterpret_cast<char const*>(etat.ouverts.data()), etat.ouverts.size() * sizeof(std::uint32_t));
    auto const ajoute = numeros_.emplace(cle, static_cast<std::uint32_t>(etats_.size()));
    if (ajoute.second) etats_.push_back(etat);
    return ajoute.first->second;
}

}  // namespace Insereur
