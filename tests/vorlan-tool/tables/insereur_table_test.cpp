#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "lib/rapport.h"
#include "tables/insereur-table.h"

namespace {

using Insereur::Table_ins;

std::vector<unsigned char> code_de(Table_ins const& table, char const* texte) {
    Nb_ext_ins const* code = table.chercher(texte);
    if (code == nullptr) return {};
    return std::vector<unsigned char>(code->octets(), code->octets() + code->taille());
}

// Loads the table file's content into the table and returns the load's reports as printed.
std::string charger(Table_ins& table, std::string const& contenu) { return formater(table.charger(contenu)); }

TEST(TableIns, HoldsTheRawByteTextsFromTheStart) {
    Table_ins const table;
    EXPECT_EQ(table.taille_max(), 4);
    for (int b = 0; b < 256; ++b) {
        char texte[5];
        std::snprintf(texte, sizeof texte, "<%02X>", b);
        EXPECT_EQ(code_de(table, texte), std::vector<unsigned char>{static_cast<unsigned char>(b)}) << texte;
    }
    EXPECT_EQ(table.chercher("<ff>"), nullptr);
    EXPECT_EQ(table.chercher("<0a>"), nullptr);
    EXPECT_EQ(table.chercher("<FF"), nullptr);
    EXPECT_EQ(table.chercher("A"), nullptr);
}

TEST(TableIns, MapsConvertedTextsToTheirBytes) {
    Table_ins table;
    EXPECT_EQ(charger(table, "41=A\n0A1B=the\n01=\\n\n7E=t\n3D==\n"), "");
    EXPECT_EQ(code_de(table, "A"), (std::vector<unsigned char>{0x41}));
    EXPECT_EQ(code_de(table, "the"), (std::vector<unsigned char>{0x0A, 0x1B}));
    EXPECT_EQ(code_de(table, "\n"), (std::vector<unsigned char>{0x01}));
    EXPECT_EQ(code_de(table, "="), (std::vector<unsigned char>{0x3D}));
    EXPECT_EQ(code_de(table, "th"), std::vector<unsigned char>{});
    EXPECT_EQ(table.taille_max(), 4);  // "the" is shorter than the built-in floor
}

TEST(TableIns, LongestTextRaisesTheMaximum) {
    Table_ins table;
    charger(table, "41=abcdef\n42=xy\n");
    EXPECT_EQ(table.taille_max(), 6);
    charger(table, "43=abcdefg\\n\n");
    EXPECT_EQ(table.taille_max(), 8);  // counted after the escape is converted
}

TEST(TableIns, KeepsTheFirstCodeOfAText) {
    Table_ins table;
    std::string const messages = charger(table, "41=A\n61=A\n40=<41>\n02=\\n\n03=\\n\n");
    EXPECT_EQ(messages,
              "Attention, il existe déjà une entrée : \"41=A\"\n"
              "L'entrée \"61=A\" sera ignorée\n"
              "Attention, il existe déjà une entrée : \"41=<41>\"\n"
              "L'entrée \"40=<41>\" sera ignorée\n"
              "Attention, il existe déjà une entrée : \"02=\n\"\n"
              "L'entrée \"03=\\n\" sera ignorée\n");
    EXPECT_EQ(code_de(table, "A"), (std::vector<unsigned char>{0x41}));
    EXPECT_EQ(code_de(table, "<41>"), (std::vector<unsigned char>{0x41}));
    EXPECT_EQ(code_de(table, "\n"), (std::vector<unsigned char>{0x02}));
}

TEST(TableIns, ReportsEmptySidesAndSkipsThem) {
    Table_ins table;
    EXPECT_EQ(charger(table, "41=\n=A\n42=B"),
              "Une entrée vide a été detectée (\"41=\")\n"
              "Une entrée vide a été detectée (\"=A\")\n");
    EXPECT_EQ(code_de(table, "B"), (std::vector<unsigned char>{0x42}));
    EXPECT_EQ(table.chercher("A"), nullptr);
}

// The reports follow the lines that cause them, whichever kind comes first, rather than
// coming grouped by kind. Here a duplicate is a text met twice.
TEST(TableIns, ReportsComeInLineOrder) {
    struct Cas {
        char const* contenu;
        char const* messages;
    };
    Cas const cas[] = {
        {"41=a\n42=a\n43=\n=B\n",
         "Attention, il existe déjà une entrée : \"41=a\"\n"
         "L'entrée \"42=a\" sera ignorée\n"
         "Une entrée vide a été detectée (\"43=\")\n"
         "Une entrée vide a été detectée (\"=B\")\n"},
        {"43=\n41=a\n42=a\n=B\n",
         "Une entrée vide a été detectée (\"43=\")\n"
         "Attention, il existe déjà une entrée : \"41=a\"\n"
         "L'entrée \"42=a\" sera ignorée\n"
         "Une entrée vide a été detectée (\"=B\")\n"},
    };
    for (Cas const& c : cas) {
        Table_ins table;
        EXPECT_EQ(charger(table, c.contenu), c.messages) << c.contenu;
        EXPECT_EQ(code_de(table, "a"), (std::vector<unsigned char>{0x41}));
        EXPECT_EQ(table.chercher("B"), nullptr);
    }
}

TEST(TableIns, LooksUpCandidatesWithoutTerminator) {
    Table_ins table;
    charger(table, "01=t\n0203=the\n04=<PT\n");
    char const fenetre[] = "there<41>";
    EXPECT_EQ(table.chercher(std::string_view(fenetre, 3)), table.chercher("the"));
    EXPECT_EQ(table.chercher(std::string_view(fenetre, 1)), table.chercher("t"));
    EXPECT_EQ(table.chercher(std::string_view(fenetre, 2)), nullptr);
    EXPECT_EQ(table.chercher(std::string_view(fenetre, 0)), nullptr);
    EXPECT_EQ(table.chercher(std::string_view(fenetre + 5, 4)), table.chercher("<41>"));

    std::size_t longueur = 0;
    EXPECT_EQ(table.plus_long(fenetre, 9, longueur), table.chercher("the"));
    EXPECT_EQ(longueur, 3u);
    EXPECT_EQ(table.plus_long(fenetre, 2, longueur), table.chercher("t"));
    EXPECT_EQ(longueur, 1u);
    EXPECT_EQ(table.plus_long(fenetre + 5, 3, longueur), nullptr);  // "<41" is no text
    EXPECT_EQ(longueur, 0u);
    EXPECT_EQ(table.plus_long("<PT0001>\n", 9, longueur), table.chercher("<PT"));
    EXPECT_EQ(longueur, 3u);
}

TEST(TableIns, ShowsTheMaximumThenEveryEntryInTextOrder) {
    Table_ins table;
    charger(table, "01=\\n\n41=A\n4243=BCDEF\n");
    std::string attendu = "Taille max : 5\n01\t\"\\n\"\n";
    for (int b = 0; b < 256; ++b) {
        char ligne[16];
        std::snprintf(ligne, sizeof ligne, "%02X\t\"<%02X>\"\n", b, b);
        attendu += ligne;
    }
    attendu += "41\t\"A\"\n4243\t\"BCDEF\"\n";
    EXPECT_EQ(table.afficher(), attendu);
}

}  // namespace
