#include "lib/vorlan_tool_divers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "lib/vorlan_lib.h"

namespace {

TEST(PrendreJusquA, CutsFieldsAndStepsPastTheDelimiter)
{
    auto const prendre = &Vorlan_tool::prendre_jusqu_a;
    char const tampon[] = "41=A";
    int position = 0;
    EXPECT_EQ(prendre(tampon, '=', 4, position), "41");
    EXPECT_EQ(position, 3);
    EXPECT_EQ(prendre(tampon, '\n', 4, position), "A");
    EXPECT_EQ(position, 5);
    EXPECT_EQ(prendre(tampon, '\n', 4, position), "");
    EXPECT_EQ(position, 6);

    char const vides[] = "==\xE9=";
    position = 0;
    EXPECT_EQ(prendre(vides, '=', 4, position), "");
    EXPECT_EQ(position, 1);
    position = 2;
    EXPECT_EQ(prendre(vides, '\xE9', 4, position), "");
    EXPECT_EQ(position, 3);

    // The length bounds the read, whatever follows in memory.
    char const borne[] = "abcdef";
    position = 1;
    EXPECT_EQ(prendre(borne, '=', 3, position), "bc");
    EXPECT_EQ(position, 4);
}

TEST(PrendreJusquA, LongFieldKeeps256BytesAndSkipsOne)
{
    auto const prendre = &Vorlan_tool::prendre_jusqu_a;
    std::string tampon(300, 'a');
    tampon[256] = 'X';
    tampon[257] = 'b';
    int position = 0;
    EXPECT_EQ(prendre(tampon.data(), '=', 300, position), std::string(256, 'a'));
    EXPECT_EQ(position, 257);
    EXPECT_EQ(prendre(tampon.data(), '=', 300, position), "b" + std::string(42, 'a'));
    EXPECT_EQ(position, 301);
}

TEST(VorlanTool, ConvertirOnlyKnowsBackslashN)
{
    struct Cas {
        std::string texte;
        std::string attendu;
    };
    Cas const cas[] = {
        {"a\\nb\\x", "a\nb\\x"},
        {"\\\\n", "\\\n"},
        {"\\n\\n", "\n\n"},
        {"fin\\", "fin\\"},
        {"\\N\\t", "\\N\\t"},
        {"", ""},
    };
    for (Cas const& c : cas) {
        std::string texte = c.texte;
        Vorlan_tool::convertir(texte);
        EXPECT_EQ(texte, c.attendu) << c.texte;
    }
    std::string avec_nul("a\0\\n", 4);
    Vorlan_tool::convertir(avec_nul);
    EXPECT_EQ(avec_nul, std::string("a\0\n", 3));
}

TEST(VorlanTool, AfficherChaineShowsLineFeedsAsBackslashNUpToANul)
{
    EXPECT_EQ(Vorlan_tool::afficher_chaine("ligne 1\nligne %s\xE9\n"), "ligne 1\\nligne %s\xE9\\n");
    EXPECT_EQ(Vorlan_tool::afficher_chaine(""), "");
    EXPECT_EQ(Vorlan_tool::afficher_chaine(std::string_view("a\n\0b\n", 5)), "a\\n");
}

TEST(VorlanTool, ScanPointeurMatchesExactTagLines)
{
    struct Cas {
        std::string ligne;
        bool reconnu;
        int numero;  // -1: left untouched
    };
    // Value of n times the same digit, wrapped to 32 bits as the tag reader does.
    auto repete = [](unsigned int chiffre, int n) {
        std::uint32_t valeur = 0;
        for (int i = 0; i < n; ++i)
            valeur = valeur * 10u + chiffre;
        return static_cast<int>(valeur);
    };
    Cas const cas[] = {
        {"<PT0012>\n", true, 12},
        {"<PT7>\n", true, 7},
        {"<PT0000>\n", true, 0},
        {"<PT" + std::string(50, '9') + ">\n", true, repete(9, 50)},
        {"<PT4294967297>\n", true, 1},
        {"<PT0012>", false, 12},
        {"<PT0012>\r\n", false, 12},
        {"<PT0012> \n", false, 12},
        {"<PT0012>\nx", false, 12},
        {"<PT 12>\n", false, -1},
        {" <PT12>\n", false, -1},
        {"<PT>\n", false, -1},
        {"<PT12a>\n", false, 12},
        {"<pt12>\n", false, -1},
        // Any number of digits: extraction writes tags of six digits and more past 99,999.
        {"<PT" + std::string(51, '1') + ">\n", true, repete(1, 51)},
        {"<PT1000000>\n", true, 1000000},
        {"", false, -1},
    };
    for (Cas const& c : cas) {
        int numero = -1;
        EXPECT_EQ(Vorlan_tool::scan_pointeur(c.ligne.c_str(), numero), c.reconnu) << c.ligne;
        EXPECT_EQ(numero, c.numero) << c.ligne;
    }
}

}  // namespace
