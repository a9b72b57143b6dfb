#include "decouverte/recherche-textes.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using Decouverte::chercher_textes;
using Decouverte::Demande_textes;
using Decouverte::Textes_trouves;

// Letters and space at their ASCII codes, a control code 05 with one parameter byte, a
// two-byte word.
struct Fixture {
    Extracteur::Table_ext table;
    Fixture() {
        std::string t;
        for (int c = 'A'; c <= 'Z'; ++c) {
            char ligne[16];
            std::snprintf(ligne, sizeof ligne, "%02X=%c\n", c, c);
            t += ligne;
        }
        t += "20= \n$05=<COULEUR>,1\nFEFF=<MOT>\n";
        EXPECT_TRUE(table.charger(t).empty());
    }
};

std::vector<unsigned char> rom_de(std::string const& octets) { return {octets.begin(), octets.end()}; }

Textes_trouves chercher(std::string const& rom, Demande_textes d = {}) {
    Fixture f;
    if (d.fins.empty()) d.fins = {{0x00}};
    return chercher_textes(f.table, rom_de(rom), d);
}

std::string const garbage = "\x91\x13\xC7\x02\xEE\x99\x81";

TEST(RechercheTextes, RangesAreTheRunsOfReadableStringsWithEveryStart) {
    std::string rom = garbage;
    long long const debut1 = static_cast<long long>(rom.size());
    for (char const* s : {"HELLO", "WORLD", "A B", "ZZZZ"}) rom += std::string(s) + '\0';
    long long const fin1 = static_cast<long long>(rom.size()) - 1;
    rom += std::string(6, '\0') + garbage + '\0' + garbage;
    long long const debut2 = static_cast<long long>(rom.size());
    for (char const* s : {"ONE", "TWO", "THREE", "FOUR", "FIVE"}) rom += std::string(s) + '\0';
    rom += garbage;

    Textes_trouves const t = chercher(rom);
    ASSERT_EQ(t.plages.size(), 2u);
    EXPECT_EQ(t.plages[0].debut, debut1);
    EXPECT_EQ(t.plages[0].fin, fin1);
    EXPECT_EQ(t.plages[0].nombre, 4u);
    EXPECT_EQ(t.plages[0].apercu, "HELLO");
    EXPECT_EQ(t.plages[1].debut, debut2);
    EXPECT_EQ(t.plages[1].premier, 4u);
    EXPECT_EQ(t.plages[1].nombre, 5u);
    std::vector<long long> const attendus = {debut1,      debut1 + 6,  debut1 + 12, debut1 + 16, debut2,
                                             debut2 + 4,  debut2 + 8,  debut2 + 14, debut2 + 19};
    EXPECT_EQ(t.debuts, attendus);
}

TEST(RechercheTextes, AStringReadsAsTextWithOneUnknownValueInFour) {
    struct Cas {
        std::string milieu;  // the third of five strings
        std::size_t plages;
    };
    Cas const cas[] = {
        {"ABCDEF\x01\x02", 1},  // 2 unknown in 8 values
        {"ABCDE\x01\x02", 2},   // 2 unknown in 7: the run is cut in two...
        {"\x01\x02\x03", 2}, // ...and the string after it starts after its last unknown value
    };
    for (Cas const& c : cas) {
        std::string rom = std::string("\0", 1);
        for (std::string const& s : {std::string("AAA"), std::string("BBB"), c.milieu, std::string("CCC"), std::string("DDD")})
            rom += s + '\0';
        Demande_textes d;
        d.minimum = 2;
        Textes_trouves const t = chercher(rom, d);
        EXPECT_EQ(t.plages.size(), c.plages) << c.milieu.size();
    }
}

TEST(RechercheTextes, TheFirstStringAfterOtherDataStartsAfterItsLastUnknownValue) {
    std::string const rom = std::string("\x91\x13") + "HI\x87" + "HELLO" + '\0' + "ABC" + '\0' + "DEF" + '\0' +
                            "GHI" + '\0';
    Textes_trouves const t = chercher(rom);
    ASSERT_EQ(t.plages.size(), 1u);
    EXPECT_EQ(t.debuts.front(), 5);
}

TEST(RechercheTextes, PaddingAndShortRunsMakeNoRange) {
    std::string rom;
    for (char const* s : {"AAA", "BBB", "CCC"}) rom += std::string(s) + '\0';
    rom += std::string(16, '\0');
    for (char const* s : {"DDD", "EEE", "FFF"}) rom += std::string(s) + '\0';
    EXPECT_TRUE(chercher(rom).plages.empty());
    Demande_textes d;
    d.minimum = 3;
    EXPECT_EQ(chercher(rom, d).plages.size(), 2u);
}

TEST(RechercheTextes, ParametersAndLongerCodesBelongToTheirValue) {
    // The parameter 00 of <COULEUR> and the FF of FEFF do not end the string; FFFF does, and
    // the two-byte end is read before the one-byte one that begins it.
    std::string const rom = std::string("AB\x05") + '\0' + "CD" + "\xFE\xFF" + "EF\xFF\xFF" + "GH\xFF\xFF" +
                            "IJ\xFF\xFF" + "KL\xFF\xFF";
    Demande_textes d;
    d.fins = {{0xFF}, {0xFF, 0xFF}};
    d.minimum = 4;
    Textes_trouves const t = chercher(rom, d);
    ASSERT_EQ(t.plages.size(), 1u);
    EXPECT_EQ(t.plages[0].debut, 0);
    EXPECT_EQ(t.plages[0].fin, static_cast<long long>(rom.size()) - 1);
    EXPECT_EQ(t.plages[0].apercu, "AB<COULEUR><00>CD<MOT>EF");
    EXPECT_EQ(t.debuts, (std::vector<long long>{0, 12, 16, 20}));
}

TEST(RechercheTextes, OnlyTheZoneIsSearched) {
    std::string rom;
    for (char const* s : {"AAA", "BBB", "CCC", "DDD", "EEE", "FFF"}) rom += std::string(s) + '\0';
    Demande_textes d;
    d.debut = 4;
    d.fin = 22;  // inside FFF: that string is not closed within the zone
    Textes_trouves const t = chercher(rom, d);
    ASSERT_EQ(t.plages.size(), 1u);
    EXPECT_EQ(t.debuts, (std::vector<long long>{4, 8, 12, 16}));
    EXPECT_EQ(t.plages[0].fin, 19);
}

}  // namespace
