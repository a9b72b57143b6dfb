#include "jeu/conversion.h"

#include <gtest/gtest.h>

namespace {

Jeu::Groupe groupe(int taille, char const* ext, char const* ins, long long decalage = 0) {
    Jeu::Groupe g;
    g.taille = taille;
    g.formule_ext = ext;
    g.formule_ins = ins;
    g.decalage_ins = decalage;
    return g;
}

TEST(Conversion, UnePositionEstAtteinteQuandLaValeurTientEtRamene) {
    struct Cas {
        char const* nom;
        Jeu::Groupe g;
        long long position;
        long long p;
        std::optional<std::uint32_t> valeur;
    };
    Cas const cas[] = {
        {"bank of a 2-byte pointer", groupe(2, "X+$10000", "X-$10000"), 0x1FFFF, 0, 0xFFFF},
        {"past its bank", groupe(2, "X+$10000", "X-$10000"), 0x20000, 0, std::nullopt},
        {"below its bank: the formula fails", groupe(2, "X+$10000", "X-$10000"), 0xFFFF, 0, std::nullopt},
        {"relative to its slot", groupe(2, "X+P", "X-P"), 0x9100, 0x9000, 0x100},
        {"relative, behind its slot", groupe(2, "X+P", "X-P"), 0x8FFF, 0x9000, std::nullopt},
        {"a formula that loses bits does not lead back", groupe(3, "X*2", "X/2"), 0x101, 0, std::nullopt},
        {"one byte", groupe(1, "X+$200", "X-$200"), 0x2FF, 0, 0xFF},
        {"four bytes hold any value", groupe(4, "X-$80000000", "X+$80000000"), 0x10, 0, 0x80000010u},
        {"profile with its shift undone", groupe(3, "X-$C00000+$200-$0", "X+$C00000", -0x200), 0x10200, 0, 0xC10000},
    };
    for (Cas const& c : cas) {
        Jeu::Conversion const conversion(c.g);
        EXPECT_EQ(conversion.valeur(c.position, c.p), c.valeur) << c.nom;
        if (c.valeur) {
            EXPECT_EQ(conversion.position(*c.valeur, c.p), c.position) << c.nom;
        }
    }
}

TEST(Conversion, UneFormuleEnEchecNeDesigneRien) {
    Jeu::Conversion const conversion(groupe(2, "X-$100", "X+$100"));
    EXPECT_EQ(conversion.position(0x80, 0), std::nullopt);
    EXPECT_EQ(conversion.position(0x180, 0), 0x80);
}

}  // namespace
