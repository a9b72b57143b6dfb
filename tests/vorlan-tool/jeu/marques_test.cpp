#include "jeu/marques.h"

#include <gtest/gtest.h>

namespace {

TEST(Marques, UneMarqueSeLitCommeElleSEcrit) {
    EXPECT_EQ(Jeu::marque({0x10000, 0x17FFF}), "<PLAGE $10000-$17FFF>\n");
    std::vector<Jeu::Morceau> const m = Jeu::decouper("<PT0001>\nAB<PLAGE $10000-$17FFF>\nCD<plage $1-$2>\n<PLAGE $1f-$20>\n");
    ASSERT_EQ(m.size(), 3u);
    EXPECT_FALSE(m[0].plage);
    EXPECT_EQ(m[0].texte, "<PT0001>\nAB");
    EXPECT_EQ(m[1].plage->debut, 0x10000);
    EXPECT_EQ(m[1].plage->fin, 0x17FFF);
    EXPECT_EQ(m[1].texte, "CD<plage $1-$2>\n");
    EXPECT_EQ(m[2].plage->debut, 0x1F);
    EXPECT_EQ(m[2].texte, "");
}

TEST(Marques, CeQuiNEstPasUneMarqueResteDuTexte) {
    for (char const* texte : {"<PLAGE $10-$20>", "<PLAGE $10-$20> \n", "<PLAGE $-$20>\n", "<PLAGE $10-20>\n",
                              "<PLAGE $1G-$20>\n", "<PLAGE $1000000000000000-$2>\n", "<PLAGE $10$20>\n"}) {
        std::vector<Jeu::Morceau> const m = Jeu::decouper(texte);
        ASSERT_EQ(m.size(), 1u) << texte;
        EXPECT_EQ(m[0].texte, texte);
    }
}

}  // namespace
