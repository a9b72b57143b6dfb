#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "lib/rapport.h"
#include "tables/extracteur-table.h"

namespace {

using Extracteur::Table_ext;

Nb_ext_ins cle(std::vector<unsigned char> const& octets) {
    return Nb_ext_ins(octets.data(), static_cast<int>(octets.size()));
}

std::string texte_de(Table_ext const& table, std::vector<unsigned char> const& octets) {
    Extracteur::Texte_ext const* texte = table.chercher(cle(octets));
    return texte == nullptr ? "(absent)" : texte->texte;
}

// Loads the table file's content into the table and returns the load's reports as printed.
std::string charger(Table_ext& table, std::string const& contenu) { return formater(table.charger(contenu)); }

TEST(TableExt, ReadsEntriesOfTheLineSyntax) {
    Table_ext table;
    std::string const messages = charger(table,
                                         "41=A\n"
                                         "3D==\n"
                                         "01=\\n\n"
                                         "0A1B=the end\n"
                                         "42=%s %d\n"
                                         "43=x\\y\n"
                                         "44= B \n"
                                         "FFFFFF=<fin>");
    EXPECT_EQ(messages, "");
    EXPECT_EQ(texte_de(table, {0x41}), "A");
    EXPECT_EQ(texte_de(table, {0x3D}), "=");
    EXPECT_EQ(texte_de(table, {0x01}), "\n");
    EXPECT_EQ(texte_de(table, {0x0A, 0x1B}), "the end");
    EXPECT_EQ(texte_de(table, {0x42}), "%s %d");
    EXPECT_EQ(texte_de(table, {0x43}), "x\\y");
    EXPECT_EQ(texte_de(table, {0x44}), " B ");
    EXPECT_EQ(texte_de(table, {0xFF, 0xFF, 0xFF}), "<fin>");  // last line without line feed
    EXPECT_EQ(table.taille_max(), 3u);
}

// Mended: a key with a space was read as other bytes (04 00), in silence, and a blank line
// became part of the next key (00 43), adding a byte to every text inserted with it.
TEST(TableExt, AKeyWithASpaceIsRefusedAndBlankLinesAreSkipped) {
    Table_ext table;
    std::string const messages = charger(table, "41 = A\n42=B\n\n43=C\n \t\n");
    EXPECT_EQ(texte_de(table, {0x04, 0x00}), "(absent)");
    EXPECT_EQ(texte_de(table, {0x41}), "(absent)");
    EXPECT_EQ(texte_de(table, {0x42}), "B");
    EXPECT_EQ(texte_de(table, {0x43}), "C");
    EXPECT_EQ(texte_de(table, {0x00, 0x43}), "(absent)");
    EXPECT_EQ(messages,
              "Attention, la ligne 1 de la table a une clé qui n'est pas hexadécimale (\"41 = A\") : elle est "
              "ignorée\n");
}

TEST(TableExt, ReportsEmptySidesAndSkipsThem) {
    Table_ext table;
    std::string const messages = charger(table, "41=\n=A\n42=B\n");
    EXPECT_EQ(messages,
              "Une entrée vide a été detectée (\"41=\")\n"
              "Une entrée vide a été detectée (\"=A\")\n");
    EXPECT_EQ(texte_de(table, {0x41}), "(absent)");
    EXPECT_EQ(texte_de(table, {0x42}), "B");
    EXPECT_EQ(table.taille_max(), 1u);
}

TEST(TableExt, KeepsTheFirstDefinitionOfAKey) {
    Table_ext table;
    std::string const messages = charger(table, "8F=a\n8f=b\nA=\\n\n0A=x\\ny\n");
    EXPECT_EQ(messages,
              "Attention, il existe déjà une entrée : \"8F=a\"\n"
              "L'entrée \"8f=b\" sera ignorée\n"
              "Attention, il existe déjà une entrée : \"0A=\n\"\n"
              "L'entrée \"0A=x\\ny\" sera ignorée\n");
    EXPECT_EQ(texte_de(table, {0x8F}), "a");
    EXPECT_EQ(texte_de(table, {0x0A}), "\n");
}

// The reports follow the lines that cause them, whichever kind comes first, rather than
// coming grouped by kind.
TEST(TableExt, ReportsComeInLineOrder) {
    struct Cas {
        char const* contenu;
        char const* messages;
    };
    Cas const cas[] = {
        {"8F=a\n8f=b\n41=\n=A\n",
         "Attention, il existe déjà une entrée : \"8F=a\"\n"
         "L'entrée \"8f=b\" sera ignorée\n"
         "Une entrée vide a été detectée (\"41=\")\n"
         "Une entrée vide a été detectée (\"=A\")\n"},
        {"41=\n8F=a\n8f=b\n=A\n",
         "Une entrée vide a été detectée (\"41=\")\n"
         "Attention, il existe déjà une entrée : \"8F=a\"\n"
         "L'entrée \"8f=b\" sera ignorée\n"
         "Une entrée vide a été detectée (\"=A\")\n"},
    };
    for (Cas const& c : cas) {
        Table_ext table;
        EXPECT_EQ(charger(table, c.contenu), c.messages) << c.contenu;
        EXPECT_EQ(texte_de(table, {0x8F}), "a");
        EXPECT_EQ(texte_de(table, {0x41}), "(absent)");
    }
}

TEST(TableExt, LoadingTwiceReportsEveryEntryAgain) {
    std::string const contenu = "41=A\n4243=BC\n";
    Table_ext table;
    std::string messages = charger(table, contenu);
    messages += charger(table, contenu);
    EXPECT_EQ(messages,
              "Attention, il existe déjà une entrée : \"41=A\"\n"
              "L'entrée \"41=A\" sera ignorée\n"
              "Attention, il existe déjà une entrée : \"4243=BC\"\n"
              "L'entrée \"4243=BC\" sera ignorée\n");
    EXPECT_EQ(texte_de(table, {0x42, 0x43}), "BC");
}

TEST(TableExt, ListsKeysByLengthThenBytes) {
    Table_ext table;
    charger(table, "FF01=d\n80=b\n000000=e\n7F=a\n0001=c\n");
    EXPECT_EQ(table.taille_max(), 3u);
    EXPECT_EQ(table.afficher(), "7F\t\"a\"\n80\t\"b\"\n0001\t\"c\"\nFF01\t\"d\"\n000000\t\"e\"\n");
    // Line feeds of the texts are shown as backslash and "n".
    Table_ext echappee;
    charger(echappee, "41=A\n4243=BC\n01=\\n\n");
    EXPECT_EQ(echappee.afficher(), "01\t\"\\n\"\n41\t\"A\"\n4243\t\"BC\"\n");
    EXPECT_EQ(Table_ext().afficher(), "");
}

TEST(TableExt, LooksUpWholeKeysOnly) {
    Table_ext table;
    charger(table, "4142=AB\n");
    EXPECT_EQ(texte_de(table, {0x41}), "(absent)");  // a prefix of a key is not a key
    EXPECT_EQ(texte_de(table, {0x41, 0x42, 0x43}), "(absent)");
    EXPECT_EQ(texte_de(table, {0x41, 0x42}), "AB");
    Table_ext vide;
    EXPECT_EQ(vide.taille_max(), 0u);
    EXPECT_EQ(texte_de(vide, {0x41}), "(absent)");
}

// The longest match in one walk must agree with trying every length from the longest down.
TEST(TableExt, LongestMatchAgreesWithLookupsOfDecreasingLength) {
    Table_ext table;
    charger(table, "01=a\n0102=b\n010203=c\n02=d\n0203=e\n030303=f\n03=g\n");
    unsigned char const valeurs[] = {0x00, 0x01, 0x02, 0x03};
    for (int code = 0; code < 4 * 4 * 4 * 4; ++code) {
        unsigned char const octets[4] = {valeurs[code % 4], valeurs[code / 4 % 4], valeurs[code / 16 % 4],
                                         valeurs[code / 64]};
        for (std::size_t disponible = 0; disponible <= 4; ++disponible) {
            std::size_t const borne = std::min<std::size_t>(disponible, table.taille_max());
            Extracteur::Texte_ext const* attendu = nullptr;
            std::size_t longueur_attendue = 0;
            for (std::size_t n = borne; n >= 1 && attendu == nullptr; --n) {
                attendu = table.chercher(cle(std::vector<unsigned char>(octets, octets + n)));
                if (attendu != nullptr) longueur_attendue = n;
            }
            std::size_t longueur = 99;
            EXPECT_EQ(table.plus_long(octets, borne, longueur), attendu) << code << " " << disponible;
            EXPECT_EQ(longueur, longueur_attendue) << code << " " << disponible;
            EXPECT_EQ(table.chercher(octets, borne),
                      borne == 0 ? nullptr : table.chercher(cle(std::vector<unsigned char>(octets, octets + borne))));
        }
    }
}

}  // namespace
