#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// A byte trie built once from all its sequences, then laid out flat for the shortest
// encoding's walks, which visit every position of a script: the nodes are numbered level by
// level, so that a node's children are consecutive nodes sorted by their byte, and the root's
// are found directly by byte. Node 0 is the root; as no node has it for child, `enfant`
// answers 0 for "none".
class Arbre_plat {
public:
    static constexpr std::uint32_t racine = 0;
    static constexpr std::uint32_t aucun = 0;
    static constexpr std::int32_t sans_valeur = -1;

    Arbre_plat() : Arbre_plat(std::vector<std::pair<std::string, std::int32_t>>{}) {}
    // The sequences with their values: an empty sequence is ignored, and the first value
    // given for a sequence wins.
    explicit Arbre_plat(std::vector<std::pair<std::string, std::int32_t>> const& sequences);

    // The child of `noeud` along `octet`, or aucun.
    std::uint32_t enfant(std::uint32_t noeud, unsigned char octet) const {
        if (noeud == racine) return racine_[octet];
        Noeud const& n = noeuds_[noeud];
        std::uint32_t debut = n.premier, fin = n.premier + n.nombre;
        // Most nodes have a few children: a scan; the others are halved down to a few.
        while (fin - debut > 8) {
            std::uint32_t const milieu = debut + (fin - debut) / 2;
            if (octets_[milieu] <= octet) debut = milieu; else fin = milieu;
        }
        for (std::uint32_t k = debut; k < fin; ++k)
            if (octets_[k] == octet) return k;
        return aucun;
    }
    std::int32_t valeur(std::uint32_t noeud) const { return noeuds_[noeud].valeur; }
    bool a_enfants(std::uint32_t noeud) const { return noeuds_[noeud].nombre != 0; }

    // Calls `f(longueur, valeur)` for every sequence that begins the `disponible` bytes given,
    // shortest first.
    template <typename F>
    void prefixes(unsigned char const* octets, std::size_t disponible, F&& f) const {
        std::uint32_t noeud = racine;
        for (std::size_t k = 0; k < disponible; ++k) {
            noeud = enfant(noeud, octets[k]);
            if (noeud == aucun) return;
            if (noeuds_[noeud].valeur != sans_valeur) f(k + 1, noeuds_[noeud].valeur);
            if (noeuds_[noeud].nombre == 0) return;
        }
    }

private:
    struct Noeud {
        std::uint32_t premier = 0;  // its first child
        std::uint32_t nombre = 0;   // its children
        std::int32_t valeur = sans_valeur;
    };

    std::vector<Noeud> noeuds_;
    std::vector<unsigned char> octets_;  // the byte that leads to each node from its parent
    std::uint32_t racine_[256] = {};
};
