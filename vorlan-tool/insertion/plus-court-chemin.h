#pragma once
#include <cstddef>
#include <vector>

namespace Insereur {

// The cheapest path through a stretch [debut, fin) of a text, over a graph whose nodes are
// (position, state) and whose edges each cover some characters. The graph gives:
//   using Etat (an integer), using Cout (ordered by <, added by +, zero when default-built),
//   struct Arete { ... longueur; ... } (the characters it covers, at least one),
//   Etat depart(), std::size_t longueur_max() (the longest edge), Cout cout(Arete const&),
//   void aretes(std::size_t position, std::size_t fin, Etat etat, std::vector<Arete>& sortie):
//       appends the edges leaving that node, none running past `fin`, in order of preference,
//   bool suivant(Etat etat, Arete const& arete, Etat& apres): the state the edge leads to,
//       false when it cannot be taken in that state; every node before `fin` has at least
//       one edge it can take.
// A first pass goes forward and finds every reachable node with its edges; a second goes
// backward and gives each node its cheapest way to `fin`, where every node ends the path at
// no cost, the first edge in the graph's order winning a tie. The path followed from the
// start thus takes, among the cheapest, the preferred edge at every step. Memory grows with
// the stretch: a node per state reached at each position, and their edges.
template <typename Graphe>
class Plus_court_chemin {
public:
    using Etat = typename Graphe::Etat;
    using Cout = typename Graphe::Cout;
    using Arete = typename Graphe::Arete;

    // The edges of the cheapest path from (debut, graphe.depart()) to fin, in order, in `chemin`.
    void chercher(Graphe& graphe, std::size_t debut, std::size_t fin, std::vector<Arete>& chemin) {
        chemin.clear();
        avancer(graphe, debut, fin);
        reculer(graphe, fin - debut);
        std::size_t n = 0;  // the start, the only node at debut
        for (std::size_t i = 0; i < fin - debut;) {
            Arete const& arete = liens_[noeuds_[n].choix].arete;
            chemin.push_back(arete);
            i += arete.longueur;
            n = noeuds_[n].suivant;
        }
    }

private:
    struct Lien {
        Arete arete;
        Etat apres{};
        bool pris = false;  // whether it can be taken
    };
    struct Noeud {
        Etat etat{};
        std::size_t premier = 0;  // its edges in liens_
        std::size_t nombre = 0;
        Cout reste{};             // the cheapest way to fin
        std::size_t choix = 0;    // the edge that gives it
        std::size_t suivant = 0;  // the node that edge leads to
    };

    void avancer(Graphe& graphe, std::size_t debut, std::size_t fin) {
        std::size_t const longueur = fin - debut;
        // The states met at the positions ahead, in a ring as long as the longest edge.
        attente_.resize(graphe.longueur_max() + 1);
        for (auto& etats : attente_) etats.clear();
        attente_[0].push_back(graphe.depart());
        noeuds_.clear();
        liens_.clear();
        debuts_.assign(longueur + 2, 0);
        for (std::size_t i = 0; i <= longueur; ++i) {
            std::vector<Etat>& etats = attente_[i % attente_.size()];
            debuts_[i] = noeuds_.size();
            for (Etat etat : etats) noeuds_.push_back(Noeud{etat});
            etats.clear();
            if (i == longueur) break;
            for (std::size_t n = debuts_[i]; n < noeuds_.size(); ++n) {
                aretes_.clear();
                graphe.aretes(debut + i, fin, noeuds_[n].etat, aretes_);
                noeuds_[n].premier = liens_.size();
                noeuds_[n].nombre = aretes_.size();
                for (Arete const& arete : aretes_) {
                    Lien& lien = liens_.emplace_back(Lien{arete});
                    lien.pris = graphe.suivant(noeuds_[n].etat, arete, lien.apres);
                    if (!lien.pris) continue;
                    std::vector<Etat>& cible = attente_[(i + arete.longueur) % attente_.size()];
                    std::size_t k = 0;
                    while (k < cible.size() && cible[k] != lien.apres) ++k;
                    if (k == cible.size()) cible.push_back(lien.apres);
                }
            }
        }
        debuts_[longueur + 1] = noeuds_.size();
    }

    void reculer(Graphe& graphe, std::size_t longueur) {
        for (std::size_t i = longueur; i-- > 0;) {
            for (std::size_t n = debuts_[i]; n < debuts_[i + 1]; ++n) {
                Noeud& noeud = noeuds_[n];
                bool trouve = false;
                for (std::size_t l = noeud.premier; l < noeud.premier + noeud.nombre; ++l) {
                    Lien const& lien = liens_[l];
                    if (!lien.pris) continue;
                    // The forward pass put that state at that position.
                    std::size_t const position = i + lien.arete.longueur;
                    std::size_t cible = debuts_[position];
                    while (cible + 1 < debuts_[position + 1] && noeuds_[cible].etat != lien.apres) ++cible;
                    Cout const cout = graphe.cout(lien.arete) + noeuds_[cible].reste;
                    if (!trouve || cout < noeud.reste) {
                        trouve = true;
                        noeud.reste = cout;
                        noeud.choix = l;
                        noeud.suivant = cible;
                    }
                }
            }
        }
    }

    std::vector<std::vector<Etat>> attente_;
    std::vector<Noeud> noeuds_;
    std::vector<std::size_t> debuts_;  // per position, its first node
    std::vector<Lien> liens_;
    std::vector<Arete> aretes_;        // one node's, as the graph gives them
};

}  // namespace Insereur
