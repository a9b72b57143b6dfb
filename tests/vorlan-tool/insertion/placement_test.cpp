#include "insertion/placement.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Insereur::Encodage;
using Insereur::Placement;
using Insereur::Texte_encode;

// A text of `taille` bytes with the given multi-byte entries.
Texte_encode texte(std::size_t taille, std::vector<Texte_encode::Entree_longue> longues = {}) {
    Texte_encode t;
    t.octets.assign(taille, 0x41);
    t.longues = std::move(longues);
    return t;
}

struct Place {
    int position;
    std::size_t ecrits;
    bool operator==(Place const& o) const { return position == o.position && ecrits == o.ecrits; }
};

void PrintTo(Place const& p, std::ostream* os) { *os << "{" << p.position << ", " << p.ecrits << "}"; }

std::vector<Place> places(Placement const& p) {
    std::vector<Place> v;
    for (auto const& place : p.places) v.push_back({place.position, place.ecrits});
    return v;
}

TEST(PlacerALaSuite, TextsFollowOneAnotherAndPointersOfLaterTextsDesignateWhereWritingStopped) {
    struct Cas {
        char const* nom;
        std::vector<Texte_encode> textes;
        int debut;
        int fin;
        std::vector<Place> places;
        int fin_ecrite;
        bool debordement;
        long long manquants;
    };
    Cas const cas[] = {
        {"room to spare, an empty text in the middle", {texte(2), texte(0), texte(3)}, 4, 12,
         {{4, 2}, {6, 0}, {6, 3}}, 9, false, 0},
        {"exactly full", {texte(2), texte(3)}, 0, 4, {{0, 2}, {2, 3}}, 5, false, 0},
        {"a text cut between plain bytes", {texte(2), texte(3), texte(1)}, 0, 3,
         {{0, 2}, {2, 2}, {4, 0}}, 4, true, 2},
        // The last text would fit in the byte left, but nothing is written after the overflow.
        {"an entry that does not fit stops everything", {texte(1), texte(2, {{0, 2}}), texte(1)}, 0, 1,
         {{0, 1}, {1, 0}, {1, 0}}, 1, true, 2},
        {"the first text overflows", {texte(5), texte(2)}, 3, 5, {{3, 3}, {6, 0}}, 6, true, 4},
        {"a cut before a long entry inside a text", {texte(4, {{1, 3}})}, 0, 2, {{0, 1}}, 1, true, 1},
    };
    for (Cas const& c : cas) {
        SCOPED_TRACE(c.nom);
        Encodage encodage;
        encodage.textes = c.textes;
        Placement const p = Insereur::placer_a_la_suite(encodage, c.debut, c.fin);
        EXPECT_EQ(places(p), c.places);
        EXPECT_EQ(p.fin_ecrite, c.fin_ecrite);
        EXPECT_EQ(p.debordement, c.debordement);
        EXPECT_EQ(p.manquants, c.manquants);
    }
}

}  // namespace
