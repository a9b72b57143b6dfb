#include "decouverte/table-deduite.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "decouverte/motif.h"
#include "decouverte/recherche-relative.h"
#include "motifs_de_test.h"
#include "tables/extracteur-table.h"

namespace {

using Decouverte::Alphabet;
using Decouverte::Codes_connus;
using Decouverte::Table_deduite;
using Liste = std::vector<std::pair<std::string, long long>>;

// Codes of the three alphabets of base and of lists given, bases per alphabet.
Codes_connus codes(std::vector<std::optional<long long>> bases, std::vector<std::vector<std::string>> listes = {},
                   Liste autres = {}, std::vector<std::pair<std::size_t, long long>> phrase = {}) {
    Codes_connus c;
    c.alphabets = Decouverte::alphabets_de_base();
    for (std::vector<std::string>& l : listes) c.alphabets.push_back({std::move(l)});
    c.bases = std::move(bases);
    c.autres = std::move(autres);
    c.lettres_de_la_phrase = std::move(phrase);
    return c;
}

// The table's text as a table reads it: no report, and each intended key gives its text and
// nothing else has one.
void expect_relue(std::string const& texte, std::map<std::vector<unsigned char>, std::string> const& entrees) {
    Extracteur::Table_ext table;
    EXPECT_EQ(formater(table.charger(texte)), "");
    for (auto const& [cle, caractere] : entrees) {
        Extracteur::Texte_ext const* lu = table.chercher(cle.data(), cle.size());
        ASSERT_NE(lu, nullptr) << caractere;
        EXPECT_EQ(lu->texte, caractere);
    }
    std::size_t lignes = 0;
    for (char c : table.afficher()) lignes += c == '\n';
    EXPECT_EQ(lignes, entrees.size());
}

TEST(TableDeduite, LaTrouvailleDonneSesCodesEtSaTable) {
    Decouverte::Motif const m = essai_relatif::motif("1 2\n");
    std::vector<unsigned char> const rom = {0x11, 0x00, 0x12, 0xFE};
    Decouverte::Resultat_relatif const r = Decouverte::chercher_relatif(rom, m, {}, 1);
    ASSERT_EQ(r.trouvailles.size(), 1u);
    Codes_connus const c = Decouverte::codes_de(m, r.trouvailles[0]);
    EXPECT_EQ(c.alphabets.size(), 3u);
    EXPECT_EQ(c.bases, (std::vector<std::optional<long long>>{{}, {}, 0x10}));
    EXPECT_EQ(c.autres, (Liste{{" ", 0x00}, {"\n", 0xFE}}));
    EXPECT_EQ(c.lettres_de_la_phrase, (std::vector<std::pair<std::size_t, long long>>{{2, 1}, {2, 2}}));
    Table_deduite const t = Decouverte::deduire_table(c, 1, Ordre_octets::petit_boutiste);
    EXPECT_EQ(t.texte, "00= \n10=0\n11=1\n12=2\n13=3\n14=4\n15=5\n16=6\n17=7\n18=8\n19=9\nFE=\\n\n");
    EXPECT_TRUE(t.hors_limites.empty());
    EXPECT_TRUE(t.doublons.empty());
    EXPECT_TRUE(t.non_inscrits.empty());
}

TEST(TableDeduite, LesClesSuiventLOrdreDesOctetsDeLaRom) {
    struct Cas {
        int largeur;
        Ordre_octets ordre;
        long long base;
        char const* texte;
    };
    Cas const cas[] = {
        {1, Ordre_octets::petit_boutiste, 0x41, "41=x\n42=y\n"},
        {2, Ordre_octets::petit_boutiste, 0x0123, "2301=x\n2401=y\n"},
        {2, Ordre_octets::grand_boutiste, 0x0123, "0123=x\n0124=y\n"},
        {2, Ordre_octets::petit_boutiste, 0x00FF, "FF00=x\n0001=y\n"},
    };
    for (Cas const& c : cas)
        EXPECT_EQ(Decouverte::deduire_table(codes({{}, {}, {}, c.base}, {{"x", "y"}}), c.largeur, c.ordre).texte,
                  c.texte);
}

TEST(TableDeduite, CeQuiNeSEcritPasEstListe) {
    Table_deduite const t = Decouverte::deduire_table(codes({250, {}, -3}, {}, {{"\r", 0x40}, {"\xE9", 0x41}, {std::string(1, '\0'), 0x42}}),
                                                      1, Ordre_octets::petit_boutiste);
    EXPECT_EQ(t.hors_limites, (Liste{{"G", 256}, {"H", 257}, {"I", 258}, {"J", 259}, {"K", 260}, {"L", 261},
                                     {"M", 262}, {"N", 263}, {"O", 264}, {"P", 265}, {"Q", 266}, {"R", 267},
                                     {"S", 268}, {"T", 269}, {"U", 270}, {"V", 271}, {"W", 272}, {"X", 273},
                                     {"Y", 274}, {"Z", 275}, {"0", -3}, {"1", -2}, {"2", -1}}));
    EXPECT_EQ(t.non_inscrits, (Liste{{"\r", 0x40}, {std::string(1, '\0'), 0x42}}));
    EXPECT_EQ(t.texte, "00=3\n01=4\n02=5\n03=6\n04=7\n05=8\n06=9\n41=\xE9\nFA=A\nFB=B\nFC=C\nFD=D\nFE=E\nFF=F\n");

    Table_deduite const mots = Decouverte::deduire_table(codes({{}, 0xFFF0, {}}), 2, Ordre_octets::grand_boutiste);
    ASSERT_EQ(mots.hors_limites.size(), 10u);
    EXPECT_EQ(mots.hors_limites[0], (std::pair<std::string, long long>{"q", 0x10000}));
    EXPECT_EQ(mots.texte.substr(0, 14), "FFF0=a\nFFF1=b\n");
}

// Capitals at 0x20, small letters at 0x10 and the space at 0x12, as a hit of "AB ab" sets them:
// "c" would share the space's code, "q" and "r" those of "A" and "B", and from "s" on the small
// letters meet capitals the phrase lacks too, which come first.
TEST(TableDeduite, LaPhraseGardeSesCodes) {
    Codes_connus const c = codes({0x20, 0x10, {}}, {}, {{" ", 0x12}}, {{0, 0}, {0, 1}, {1, 0}, {1, 1}});
    Table_deduite const t = Decouverte::deduire_table(c, 1, Ordre_octets::petit_boutiste);
    EXPECT_EQ(t.doublons, (Liste{{"c", 0x12}, {"q", 0x20}, {"r", 0x21}, {"s", 0x22}, {"t", 0x23}, {"u", 0x24},
                                 {"v", 0x25}, {"w", 0x26}, {"x", 0x27}, {"y", 0x28}, {"z", 0x29}}));
    std::map<std::vector<unsigned char>, std::string> entrees;
    for (int r = 0; r < 26; ++r) entrees[{static_cast<unsigned char>(0x20 + r)}] = std::string(1, static_cast<char>('A' + r));
    for (int r = 0; r < 16; ++r)
        if (r != 2) entrees[{static_cast<unsigned char>(0x10 + r)}] = std::string(1, static_cast<char>('a' + r));
    entrees[{0x12}] = " ";
    expect_relue(t.texte, entrees);

    // The phrase's "a" is the list's, after its accented letter: the "a" of base, which the
    // small "b" places at the space's code, is not the phrase's.
    Codes_connus const liste = codes({{}, 0x10, {}, 0x40}, {{"\xE9", "a"}}, {{" ", 0x10}}, {{3, 0}, {3, 1}, {1, 1}});
    Table_deduite const l = Decouverte::deduire_table(liste, 1, Ordre_octets::petit_boutiste);
    EXPECT_EQ(l.doublons, (Liste{{"a", 0x10}}));
    EXPECT_EQ(l.texte.substr(0, 10), "10= \n11=b\n");
}

// What the syntax could misread: its marks and its one escape as characters, Latin-1 bytes,
// kana in UTF-8 under 16-bit codes in both orders, one character under two codes.
TEST(TableDeduite, LaTableSeRelitTelleQuelle) {
    Liste const autres = {{"=", 0x00}, {"#", 0x01}, {";", 0x02}, {"/", 0x03}, {"\\", 0x04}, {"\n", 0x05},
                          {"\xE9", 0x06}, {"$", 0x07}, {"*", 0x08}, {" ", 0x09}, {"@", 0x0A}};
    std::map<std::vector<unsigned char>, std::string> entrees;
    for (auto const& [c, code] : autres) entrees[{static_cast<unsigned char>(code)}] = c;
    for (int r = 0; r < 10; ++r) entrees[{static_cast<unsigned char>(0xF0 + r)}] = std::string(1, static_cast<char>('0' + r));
    expect_relue(Decouverte::deduire_table(codes({{}, {}, 0xF0}, {}, autres), 1, Ordre_octets::petit_boutiste).texte,
                 entrees);

    for (Ordre_octets ordre : {Ordre_octets::petit_boutiste, Ordre_octets::grand_boutiste}) {
        Codes_connus const c = codes({{}, {}, {}, 0x01F0, 0x0300}, {essai_relatif::kana(), {"a", "b"}},
                                     {{essai_relatif::utf8(0x3001), 0x0200}}, {{3, 0}});
        std::map<std::vector<unsigned char>, std::string> kana;
        auto cle = [&](unsigned code) {
            unsigned char const fort = static_cast<unsigned char>(code >> 8);
            unsigned char const faible = static_cast<unsigned char>(code);
            return ordre == Ordre_octets::petit_boutiste ? std::vector<unsigned char>{faible, fort}
                                                         : std::vector<unsigned char>{fort, faible};
        };
        for (unsigned r = 0; r < essai_relatif::kana().size(); ++r) kana[cle(0x01F0 + r)] = essai_relatif::kana(r);
        kana[cle(0x0200)] = essai_relatif::utf8(0x3001);  // the phrase's comma wins over the kana of rank 16
        kana[cle(0x0300)] = "a";
        kana[cle(0x0301)] = "b";
        Table_deduite const t = Decouverte::deduire_table(c, 2, ordre);
        ASSERT_EQ(t.doublons.size(), 1u);
        EXPECT_EQ(t.doublons[0], (std::pair<std::string, long long>{essai_relatif::kana(16), 0x0200}));
        expect_relue(t.texte, kana);
    }
}

TEST(TableDeduite, LApercuMontreLesValeursInconnuesEnHexadecimal) {
    Codes_connus const c = codes({{}, {}, 0x10}, {{"x", "y"}}, {{" ", 0x00}, {"\n", 0xFE}});
    std::vector<unsigned char> const rom = {0x11, 0x00, 0x12, 0x5A, 0xFE, 0x13};
    struct Cas {
        long long adresse;
        std::size_t nombre;
        char const* texte;
    };
    Cas const cas[] = {
        {0, 6, "1 2<5A>\n3"},
        {3, 100, "<5A>\n3"},
        {-2, 4, "1 "},
        {6, 1, ""},
        {-100, 0, ""},
    };
    for (Cas const& k : cas)
        EXPECT_EQ(Decouverte::decoder(rom, k.adresse, k.nombre, 1, Ordre_octets::petit_boutiste, c), k.texte)
            << k.adresse;

    Codes_connus const mots = codes({{}, {}, {}, 0x0123}, {{"x", "y"}});
    std::vector<unsigned char> const rom2 = {0x23, 0x01, 0x99, 0x0A, 0x24, 0x01, 0x7F};
    EXPECT_EQ(Decouverte::decoder(rom2, 0, 10, 2, Ordre_octets::petit_boutiste, mots), "x<0A99>y");
    EXPECT_EQ(Decouverte::decoder(rom2, 1, 10, 2, Ordre_octets::grand_boutiste, mots), "<0199><0A24><017F>");
}

}  // namespace
