#include "lib/vorlan_lib.h"

#include <gtest/gtest.h>

#include <string>

#include "lib/erreur.h"

namespace {

TEST(Chaine, CharToIntReadsTheThreeSyntaxes)
{
    struct Cas {
        char const* texte;
        unsigned int valeur;
    };
    Cas const cas[] = {
        {"$1F", 31},  {"0x1f", 31},       {"31", 31}, {"0012", 12},       {"$", 0},
        {"0x", 0},    {"", 0},            {"0", 0},   {"$100000001", 1},  {"4294967297", 1},
        {"$aBcD", 0xABCD}, {"0xFFFFFFFF", 0xFFFFFFFFu},
    };
    for (Cas const& c : cas)
        EXPECT_EQ(Chaine::char_to_int(c.texte), c.valeur) << c.texte;
}

TEST(Chaine, CharToIntRejectsBadDigitsWithTheWholeText)
{
    struct Cas {
        char const* texte;
        char const* message;
    };
    Cas const cas[] = {
        {"0X1F", "0X1F n'est pas une valeur correcte\n"},
        {"$1G", "$1G n'est pas une valeur hexadécimale correcte\n"},
        {"0x1g", "0x1g n'est pas une valeur hexadécimale correcte\n"},
        {"$ 1", "$ 1 n'est pas une valeur hexadécimale correcte\n"},
        {"-5", "-5 n'est pas une valeur correcte\n"},
        {" 5", " 5 n'est pas une valeur correcte\n"},
        {"12h", "12h n'est pas une valeur correcte\n"},
        {"1F", "1F n'est pas une valeur correcte\n"},
        {"100%", "100% n'est pas une valeur correcte\n"},
    };
    for (Cas const& c : cas) {
        try {
            Chaine::char_to_int(c.texte);
            ADD_FAILURE() << c.texte << " accepted";
        } catch (erreur_nombre e) {
            EXPECT_STREQ(e.read_error(), c.message);
        }
    }
}

TEST(Chaine, CharToNumberByMode)
{
    struct Cas {
        char const* texte;
        int mode;
        unsigned int valeur;
        int ok;
    };
    Cas const cas[] = {
        {"123", 0, 123, 1},     {"12a", 0, 0, 0},      {"", 0, 0, 1},
        {"fF", 1, 255, 1},      {"1 ", 1, 0, 0},       {"0x10", 1, 0, 0},
        {"777", 2, 511, 1},     {"8", 2, 0, 0},
        {"0x1A", -1, 26, 1},    {"0", -1, 0, 1},       {"017", -1, 15, 1},
        {"019", -1, 0, 0},      {"42", -1, 42, 1},     {"0x", -1, 0, 1},
        {"", -1, 0, 1},         {"1FFFFFFFF", 1, 0xFFFFFFFFu, 1},
        {"12", 7, 0, 0},
    };
    for (Cas const& c : cas) {
        int ok = -1;
        EXPECT_EQ(Chaine::char_to_number(c.texte, &ok, c.mode), c.valeur) << c.texte << " mode " << c.mode;
        EXPECT_EQ(ok, c.ok) << c.texte << " mode " << c.mode;
    }
}

TEST(Chaine, DigitClasses)
{
    auto hexa = [](char const* t) { return Chaine::est_hexa(reinterpret_cast<unsigned char const*>(t)); };
    auto dec = [](char const* t) { return Chaine::est_dec(reinterpret_cast<unsigned char const*>(t)); };
    EXPECT_TRUE(hexa(""));
    EXPECT_TRUE(hexa("0123456789abcdefABCDEF"));
    EXPECT_FALSE(hexa("g"));
    EXPECT_FALSE(hexa("1 "));
    EXPECT_FALSE(hexa("\xE9"));
    EXPECT_TRUE(dec(""));
    EXPECT_TRUE(dec("0123456789"));
    EXPECT_FALSE(dec("a"));
    EXPECT_FALSE(dec("1.5"));
}

TEST(Octets, LireBitCountsFromTheMostSignificant)
{
    EXPECT_EQ(Octets::lire_bit(0x80, 0), 1);
    EXPECT_EQ(Octets::lire_bit(0x80, 7), 0);
    EXPECT_EQ(Octets::lire_bit(0x01, 7), 1);
    EXPECT_EQ(Octets::lire_bit(0x01, 0), 0);
    EXPECT_EQ(Octets::lire_bit(0x20, 2), 1);
    EXPECT_EQ(Octets::lire_bit(0xDF, 2), 0);
    EXPECT_EQ(Octets::lire_bit(0xFF, 8), 0);
}

TEST(Octets, TronquerKeepsTheLowBytes)
{
    struct Cas {
        unsigned int valeur;
        unsigned int nombre;
        unsigned int attendu;
    };
    Cas const cas[] = {
        {0x1234, 1, 0x34},           {0x1234, 2, 0x1234},         {0x12345678, 2, 0x5678},
        {0x12345678, 3, 0x345678},   {0x12345678, 0, 0x12345678}, {0x12345678, 4, 0x12345678},
        {0xFFFFFFFF, 5, 0xFFFFFFFF},
    };
    for (Cas const& c : cas)
        EXPECT_EQ(Octets::tronquer(c.valeur, c.nombre), c.attendu) << c.nombre;
}

}  // namespace
