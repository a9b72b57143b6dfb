#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tables/nb_ext_ins.h"

namespace {

Nb_ext_ins hexa(char const* texte) { return Nb_ext_ins(reinterpret_cast<unsigned char const*>(texte)); }

Nb_ext_ins brut(std::vector<unsigned char> const& octets) {
    return Nb_ext_ins(octets.data(), static_cast<int>(octets.size()));
}

std::vector<unsigned char> octets_de(Nb_ext_ins const& cle) {
    return std::vector<unsigned char>(cle.octets(), cle.octets() + cle.taille());
}

TEST(NbExtIns, ParsesHexTextIntoBytes) {
    struct Cas {
        char const* texte;
        std::vector<unsigned char> octets;
    };
    Cas const cas[] = {
        {"8f", {0x8F}},       {"8F", {0x8F}},         {"08F", {0x00, 0x8F}}, {"ABC", {0x0A, 0xBC}},
        {"F", {0x0F}},        {"0A1B", {0x0A, 0x1B}}, {"1G", {0x00}},        {"1 2", {0x01, 0x00}},
        {"$1", {0x00}},       {"41 ", {0x04, 0x00}},  {"", {}},              {"ffFF", {0xFF, 0xFF}},
        {"\n42", {0x00, 0x42}},
    };
    for (Cas const& c : cas) {
        EXPECT_EQ(octets_de(hexa(c.texte)), c.octets) << '"' << c.texte << '"';
        Nb_ext_ins assignee = brut({1, 2, 3, 4, 5});
        assignee = reinterpret_cast<unsigned char const*>(c.texte);
        EXPECT_EQ(octets_de(assignee), c.octets) << "assigned \"" << c.texte << '"';
    }
}

TEST(NbExtIns, OrdersByLengthThenUnsignedBytes) {
    struct Cas {
        std::vector<unsigned char> petit, grand;
    };
    Cas const cas[] = {
        {{0xFF}, {0x00, 0x00}},
        {{0x01, 0x02}, {0x01, 0x03}},
        {{0x7F}, {0x80}},
        {{0x01, 0xFF}, {0x02, 0x00}},
        {{}, {0x00}},
    };
    for (Cas const& c : cas) {
        EXPECT_TRUE(brut(c.petit) < brut(c.grand));
        EXPECT_FALSE(brut(c.grand) < brut(c.petit));
        EXPECT_FALSE(brut(c.petit) == brut(c.grand));
    }
}

TEST(NbExtIns, KeysFromTextAndFromBytesAreEqual) {
    Nb_ext_ins const texte = hexa("0a1b");
    Nb_ext_ins const octets = brut({0x0A, 0x1B});
    EXPECT_TRUE(texte == octets);
    EXPECT_FALSE(texte < octets);
    EXPECT_FALSE(octets < texte);
    EXPECT_EQ(texte[0], 0x0A);
    EXPECT_EQ(texte[1], 0x1B);
    EXPECT_EQ(hexa("FF")[0], 255);
}

TEST(NbExtIns, CopiesOwnTheirBytes) {
    Nb_ext_ins original = hexa("4142");
    Nb_ext_ins copie(original);
    Nb_ext_ins affectee;
    affectee = original;
    original = reinterpret_cast<unsigned char const*>("99");
    EXPECT_EQ(octets_de(copie), (std::vector<unsigned char>{0x41, 0x42}));
    EXPECT_EQ(octets_de(affectee), (std::vector<unsigned char>{0x41, 0x42}));
    Nb_ext_ins& meme = affectee;
    affectee = meme;
    EXPECT_EQ(octets_de(affectee), (std::vector<unsigned char>{0x41, 0x42}));
}

TEST(NbExtIns, PrintsUpperCaseHexWithoutSeparator) {
    EXPECT_EQ(brut({0x0A, 0xBC}).hexa(), "0ABC");
    EXPECT_EQ(hexa("ff").hexa() + hexa("1").hexa(), "FF01");
    EXPECT_EQ(Nb_ext_ins().hexa(), "");
}

}  // namespace
