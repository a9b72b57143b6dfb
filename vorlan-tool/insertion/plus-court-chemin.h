#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace Insereur {

// The cheapest path through a stretch [debut, fin) of a text, over a graph whose nodes are
// (position, state) and whose edges each cover some characters. The graph gives:
//   using Etat (an integer), using Cout (ordered by <, added by +, zero when default-built),
//   struct Arete { ... longueur; ... } (the characters it covers, at least one),
//   Etat depart(), std::size_t longueur_max() (the longest edge), Cout cout(Arete const&) const,
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
        if (sans_etats(graphe, debut, fin, chemin)) return;
        avancer(graphe, debut, fin);
        reculer(graphe, fin - debut);
        std::size_t n = 0;  // the start, the only node at debut
        for (std::size_t i = 0; i < fin - debut;) {
            Arete const& arete = aretes_[noeuds_[n].choix];
            chemin.push_back(arete);
            i += arete.longueur;
            n = noeuds_[n].suivant;
        }
    }

private:
    struct Noeud {
        Etat etat{};
        std::size_t premiere = 0;  // its edges in aretes_
        std::size_t fin = 0;
        Cout reste{};              // the cheapest way to fin
        std::size_t choix = 0;     // the edge that gives it
        std::size_t suivant = 0;   // the node that edge leads to
    };
    static constexpr std::uint32_t refusee = UINT32_MAX;

    // A stretch where every edge that can be taken keeps the start state (most tables, most
    // texts) has one node per position: the backward pass alone finds the same path. False,
    // with nothing found, on meeting an edge that leads to another state.
    bool sans_etats(Graphe& graphe, std::size_t debut, std::size_t fin, std::vector<Arete>& chemin) {
        std::size_t const longueur = fin - debut;
        Etat const depart = graphe.depart();
        restes_.assign(longueur + 1, Cout{});
        choix_.resize(longueur);
        for (std::size_t i = longueur; i-- > 0;) {
            aretes_.clear();
            graphe.aretes(debut + i, fin, depart, aretes_);
            bool trouve = false;
            for (Arete const& arete : aretes_) {
                Etat apres{};
                if (!graphe.suivant(depart, arete, apres)) continue;
                if (apres != depart) return false;
                Cout const cout = graphe.cout(arete) + restes_[i + arete.longueur];
                if (!trouve || cout < restes_[i]) {
                    trouve = true;
                    restes_[i] = cout;
                    choix_[i] = arete;
                }
            }
        }
        for (std::size_t i = 0; i < longueur; i += choix_[i].longueur) chemin.push_back(choix_[i]);
        return true;
    }

    void avancer(Graphe& graphe, std::size_t debut, std::size_t fin) {
        std::size_t const longueur = fin - debut;
        // The states met at the positions ahead, in a ring longer than the longest edge.
        std::size_t anneau = 1;
        while (anneau <= graphe.longueur_max()) anneau *= 2;
        std::size_t const masque = anneau - 1;
        attente_.resize(anneau);
        for (auto& etats : attente_) etats.clear();
        attente_[0].push_back(graphe.depart());
        noeuds_.clear();
        aretes_.clear();
        rangs_.clear();
        debuts_.assign(longueur + 2, 0);
        for (std::size_t i = 0; i <= longueur; ++i) {
            std::vector<Etat>& etats = attente_[i & masque];
            debuts_[i] = noeuds_.size();
            for (Etat etat : etats) noeuds_.push_back(Noeud{etat});
            etats.clear();
            if (i == longueur) break;
            for (std::size_t n = debuts_[i]; n < noeuds_.size(); ++n) {
                Etat const etat = noeuds_[n].etat;
                std::size_t const premiere = aretes_.size();
                graphe.aretes(debut + i, fin, etat, aretes_);
                noeuds_[n].premiere = premiere;
                noeuds_[n].fin = aretes_.size();
                for (std::size_t a = premiere; a < aretes_.size(); ++a) {
                    Etat apres{};
                    if (!graphe.suivant(etat, aretes_[a], apres)) {
                        rangs_.push_back(refusee);
                        continue;
                    }
                    // The edge leads to the node of that rank among its position's.
                    std::vector<Etat>& cible = attente_[(i + aretes_[a].longueur) & masque];
                    std::size_t k = 0;
                    while (k < cible.size() && cible[k] != apres) ++k;
                    if (k == cible.size()) cible.push_back(apres);
                    rangs_.push_back(static_cast<std::uint32_t>(k));
                }
            }
        }
        debuts_[longueur + 1] = noeuds_.size();
    }

    void reculer(Graphe const& graphe, std::size_t longueur) {
        for (std::size_t i = longueur; i-- > 0;) {
            for (std::size_t n = debuts_[i]; n < debuts_[i + 1]; ++n) {
                Noeud& noeud = noeuds_[n];
                bool trouve = false;
                for (std::size_t a = noeud.premiere; a < noeud.fin; ++a) {
                    if (rangs_[a] == refusee) continue;
                    std::size_t const cible = debuts_[i + aretes_[a].longueur] + rangs_[a];
                    Cout const cout = graphe.cout(aretes_[a]) + noeuds_[cible].reste;
                    if (!trouve || cout < noeud.reste) {
                        trouve = true;
                        noeud.reste = cout;
                        noeud.choix = a;
                        noeud.suivant = cible;
                    }
                }
            }
        }
    }

    std::vector<std::vector<Etat>> attente_;
    std::vector<Noeud> noeuds_;
    std::vector<std::size_t> debuts_;  // per position, its first node
    std::vector<Arete> aretes_;
    std::vector<std::uint32_t> rangs_;  // per edge, its node's rank at its end, or refusee
    std::vector<Cout> restes_;          // per position, when the start state is the only one
    std::vector<Arete> choix_;
};

}  // namespace Insereur
