#pragma once
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

// A byte trie over the keys of a character table, so that lookups walk the candidate bytes
// once and never build a key: exact lookups, and the longest key that begins a buffer (which
// is what trying every length from the longest down finds, in one walk).
// The values are borrowed pointers into the owning table's map, whose nodes never move.
template <typename T>
class Arbre_prefixes {
public:
    Arbre_prefixes() : noeuds_(1) { racine_.fill(0); }

    // Records `valeur` for the sequence; an empty sequence, or one already recorded, is left as it is.
    void ajouter(unsigned char const* octets, std::size_t longueur, T const* valeur) {
        if (longueur == 0) return;
        std::uint32_t n = racine_[octets[0]];
        if (n == 0) {
            n = nouveau_noeud();
            racine_[octets[0]] = n;
        }
        for (std::size_t k = 1; k < longueur; ++k) {
            std::uint32_t suivant = enfant(n, octets[k]);
            if (suivant == 0) {
                suivant = nouveau_noeud();
                auto& enfants = noeuds_[n].enfants;
                auto place = std::lower_bound(enfants.begin(), enfants.end(), Lien{octets[k], 0}, avant);
                enfants.insert(place, Lien{octets[k], suivant});
            }
            n = suivant;
        }
        if (noeuds_[n].valeur == nullptr) noeuds_[n].valeur = valeur;
    }

    // The value recorded for exactly this sequence, or null.
    T const* chercher(unsigned char const* octets, std::size_t longueur) const {
        if (longueur == 0) return nullptr;
        std::uint32_t n = racine_[octets[0]];
        for (std::size_t k = 1; n != 0 && k < longueur; ++k) n = enfant(n, octets[k]);
        return n == 0 ? nullptr : noeuds_[n].valeur;
    }

    // The value of the longest recorded sequence that begins the `disponible` bytes given, its
    // length in `longueur`; null with `longueur` 0 when none does.
    T const* plus_long(unsigned char const* octets, std::size_t disponible, std::size_t& longueur) const {
        longueur = 0;
        T const* trouve = nullptr;
        std::uint32_t n = disponible == 0 ? 0 : racine_[octets[0]];
        for (std::size_t k = 1; n != 0; ++k) {
            if (noeuds_[n].valeur != nullptr) {
                trouve = noeuds_[n].valeur;
                longueur = k;
            }
            if (k == disponible || noeuds_[n].enfants.empty()) break;
            n = enfant(n, octets[k]);
        }
        return trouve;
    }

    // Whether the `disponible` bytes given are a proper prefix of a recorded sequence: more
    // bytes could still make a longer match of them.
    bool prolongeable(unsigned char const* octets, std::size_t disponible) const {
        if (disponible == 0) return true;
        std::uint32_t n = racine_[octets[0]];
        for (std::size_t k = 1; n != 0 && k < disponible; ++k) n = enfant(n, octets[k]);
        return n != 0 && !noeuds_[n].enfants.empty();
    }

private:
    struct Lien {
        unsigned char octet;
        std::uint32_t noeud;
    };
    struct Noeud {
        T const* valeur = nullptr;
        std::vector<Lien> enfants;  // sorted by byte
    };

    static bool avant(Lien const& a, Lien const& b) { return a.octet < b.octet; }

    std::uint32_t nouveau_noeud() {
        noeuds_.emplace_back();
        return static_cast<std::uint32_t>(noeuds_.size() - 1);
    }

    std::uint32_t enfant(std::uint32_t n, unsigned char octet) const {
        auto const& enfants = noeuds_[n].enfants;
        auto place = std::lower_bound(enfants.begin(), enfants.end(), Lien{octet, 0}, avant);
        return place != enfants.end() && place->octet == octet ? place->noeud : 0;
    }

    // The first byte is looked up directly: most keys are one byte long. Node 0 means "none".
    std::array<std::uint32_t, 256> racine_;
    std::vector<Noeud> noeuds_;
};
