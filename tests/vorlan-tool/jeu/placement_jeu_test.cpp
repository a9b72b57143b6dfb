#include "jeu/placement-jeu.h"

#include <gtest/gtest.h>

namespace {

using Positions = std::vector<std::optional<long long>>;

std::vector<Jeu::Segment> blocs(std::vector<std::pair<long long, long long>> const& b) {
    std::vector<Jeu::Segment> s;
    for (std::size_t i = 0; i < b.size(); ++i) s.push_back({i, b[i].first, b[i].second, b[i].first});
    return s;
}

auto const partout = [](std::size_t, long long) { return true; };

TEST(PlacementJeu, DansLOrdreSansJamaisRevenirEnArriere) {
    std::vector<Jeu::Segment> s = blocs({{0, 5}, {100, 110}});
    // 6 goes to the second block; 5 no longer fits there and may not go back to the first.
    EXPECT_EQ(Jeu::placer({6, 5, 4}, s, Jeu::Mode_placement::ordre, partout), (Positions{100, std::nullopt, 106}));
    EXPECT_EQ(s[0].curseur, 0);
    EXPECT_EQ(s[1].curseur, 110);
}

TEST(PlacementJeu, CompactPlaceCeQueLOrdreNePeutPas) {
    std::vector<Jeu::Segment> s = blocs({{0, 5}, {100, 110}});
    // Largest first, each into the fullest block that holds it.
    EXPECT_EQ(Jeu::placer({6, 5, 4}, s, Jeu::Mode_placement::compact, partout), (Positions{100, 0, 106}));
    std::vector<Jeu::Segment> t = blocs({{0, 8}, {100, 105}, {200, 220}});
    EXPECT_EQ(Jeu::placer({3, 3, 8, 4}, t, Jeu::Mode_placement::compact, partout), (Positions{200, 203, 0, 100}));
}

TEST(PlacementJeu, UnTexteNeVaQueLaOuSesPointeursLAtteignent) {
    auto const sous_50 = [](std::size_t t, long long q) { return t != 1 || q < 50; };
    for (Jeu::Mode_placement mode : {Jeu::Mode_placement::ordre, Jeu::Mode_placement::compact}) {
        std::vector<Jeu::Segment> s = blocs({{0, 4}, {100, 110}});
        Positions const attendu = mode == Jeu::Mode_placement::ordre ? Positions{0, std::nullopt} : Positions{100, 0};
        EXPECT_EQ(Jeu::placer({2, 4}, s, mode, sous_50), attendu);
        std::vector<Jeu::Segment> loin = blocs({{100, 110}});
        EXPECT_EQ(Jeu::placer({3, 3}, loin, mode, sous_50), (Positions{100, std::nullopt}));
    }
}

}  // namespace
