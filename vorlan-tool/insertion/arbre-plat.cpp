#include "insertion/arbre-plat.h"

#include <map>

Arbre_plat::Arbre_plat(std::vector<std::pair<std::string, std::int32_t>> const& sequences) {
    // Built first as a plain trie, then renumbered level by level.
    struct Provisoire {
        std::map<unsigned char, std::uint32_t> enfants;
        std::int32_t valeur = sans_valeur;
    };
    std::vector<Provisoire> arbre(1);
    for (auto const& sequence : sequences) {
        if (sequence.first.empty()) continue;
        std::uint32_t n = 0;
        for (char c : sequence.first) {
            unsigned char const octet = static_cast<unsigned char>(c);
            auto trouve = arbre[n].enfants.find(octet);
            if (trouve == arbre[n].enfants.end()) {
                arbre.emplace_back();
                trouve = arbre[n].enfants.emplace(octet, static_cast<std::uint32_t>(arbre.size() - 1)).first;
            }
            n = trouve->second;
        }
        if (arbre[n].valeur == sans_valeur) arbre[n].valeur = sequence.second;
    }
    noeuds_.resize(arbre.size());
    octets_.resize(arbre.size());
    std::vector<std::uint32_t> ordre{0};  // the provisional nodes in their final order
    ordre.reserve(arbre.size());
    for (std::size_t i = 0; i < ordre.size(); ++i) {
        Provisoire const& p = arbre[ordre[i]];
        noeuds_[i].premier = static_cast<std::uint32_t>(ordre.size());
        noeuds_[i].nombre = static_cast<std::uint32_t>(p.enfants.size());
        noeuds_[i].valeur = p.valeur;
        for (auto const& lien : p.enfants) {
            octets_[ordre.size()] = lien.first;
            if (i == 0) racine_[lien.first] = static_cast<std::uint32_t>(ordre.size());
            ordre.push_back(lien.second);
        }
    }
}
