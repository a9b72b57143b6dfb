#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "extraction/extracteur-pointeurs.h"
#include "extraction/heapsort.h"

namespace {

using Extracteur::Pt_ext;

std::vector<Pt_ext> pointeurs(std::vector<unsigned int> const& valeurs) {
    std::vector<Pt_ext> t(valeurs.size());
    for (std::size_t i = 0; i < valeurs.size(); ++i) {
        t[i].affecter_valeur(valeurs[i]);
        t[i].affecter_numero(static_cast<int>(i) + 1);
    }
    return t;
}

std::vector<int> numeros(std::vector<Pt_ext> const& t) {
    std::vector<int> n;
    for (Pt_ext const& p : t) n.push_back(p.lire_numero());
    return n;
}

// Orders traced by hand through the procedure; a stable sort would give other orders for the
// equal values, and those orders show as the order of tags in a script.
TEST(Heapsort, LeavesEqualValuesInTheOrderOfItsOwnProcedure) {
    struct Cas {
        std::vector<unsigned int> valeurs;
        std::vector<int> ordre;
    };
    Cas const cas[] = {
        {{1, 1}, {2, 1}},
        {{1, 1, 1}, {2, 3, 1}},
        {{2, 1, 2, 1}, {4, 2, 3, 1}},
        {{5}, {1}},
        {{3, 1, 2}, {2, 3, 1}},
    };
    for (Cas const& c : cas) {
        std::vector<Pt_ext> t = pointeurs(c.valeurs);
        Heapsort::trier(t.data(), static_cast<int>(t.size()));
        EXPECT_EQ(numeros(t), c.ordre);
    }
}

TEST(Heapsort, SortsAnyArrayByValue) {
    std::mt19937 hasard(7);
    for (int n = 0; n < 40; ++n) {
        std::vector<unsigned int> valeurs(static_cast<std::size_t>(n));
        for (unsigned int& v : valeurs) v = hasard() % 6 + (hasard() % 2 ? 0x80000000u : 0u);
        std::vector<Pt_ext> t = pointeurs(valeurs);
        Heapsort::trier(t.data(), n);
        std::vector<unsigned int> tries;
        for (Pt_ext const& p : t) tries.push_back(p.lire_valeur());
        std::sort(valeurs.begin(), valeurs.end());
        EXPECT_EQ(tries, valeurs) << n;
        std::vector<int> n_tries = numeros(t);
        std::sort(n_tries.begin(), n_tries.end());
        for (int i = 0; i < n; ++i) EXPECT_EQ(n_tries[static_cast<std::size_t>(i)], i + 1);
    }
}

TEST(Heapsort, TouchesNothingOutsideTheSortedElements) {
    for (int n : {0, 1}) {
        std::vector<Pt_ext> t = pointeurs({9, 3, 1});
        Heapsort::trier(t.data() + 1, n);
        EXPECT_EQ(numeros(t), (std::vector<int>{1, 2, 3}));
    }
    Heapsort::trier<Pt_ext>(nullptr, 0);  // an empty list has no element to touch
}

TEST(PtExt, ComparesByValueOnly) {
    Pt_ext a;
    EXPECT_EQ(a.lire_valeur(), 0u);
    EXPECT_EQ(a.lire_numero(), 0);
    Pt_ext b;
    a.affecter_valeur(0x80000000u);
    a.affecter_numero(1);
    b.affecter_valeur(0x80000000u);
    b.affecter_numero(2);
    EXPECT_TRUE(a == b);
    EXPECT_FALSE(a < b);
    b.affecter_valeur(0x7FFFFFFFu);
    EXPECT_TRUE(b < a);  // unsigned comparison
}

}  // namespace
