#include "reformat/auto_lb-table.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Auto_LB::Infos_entree;
using Auto_LB::Table_ALB;

// The three entries every usable table needs.
std::string const indispensables = " =4\n\\n=LINEBREAK\n<N>=NEW_DEFAUT\n";

struct Chargement {
    bool utilisable;
    std::string rapport;
};

Chargement charger(Table_ALB& table, std::string const& contenu) {
    Rapports const rapports = table.charger(contenu);
    return {table.utilisable(), formater(rapports)};
}

TEST(TableALB, MinimalTableLoadsWithItsThreeStructuralEntries) {
    Table_ALB table;
    EXPECT_FALSE(table.utilisable());
    Chargement const r = charger(table, indispensables);
    EXPECT_TRUE(r.utilisable);
    EXPECT_EQ(r.rapport, "");
    EXPECT_EQ(table.lire_taille_espace(), 4);
    EXPECT_EQ(table.lire_linebreak(), "\n");
    EXPECT_EQ(table.lire_def_new(), "<N>");
    // "<Centrer>" (9 bytes) is predefined and does not count.
    EXPECT_EQ(table.lire_taille_max(), 3);

    Infos_entree const* espace = table.chercher(" ");
    ASSERT_NE(espace, nullptr);
    EXPECT_EQ(espace->type, Auto_LB::ESPACE);
    EXPECT_EQ(espace->valeur, 4);
    Infos_entree const* centrer = table.chercher("<Centrer>");
    ASSERT_NE(centrer, nullptr);
    EXPECT_EQ(centrer->type, Auto_LB::CENTRER);
    // Characters missing from the table are the reformatter's business, not the loader's.
    EXPECT_EQ(table.chercher("a"), nullptr);
}

// Mended: a blank line became part of the next key, and a byte-order mark part of the first.
TEST(TableALB, ByteOrderMarkAndBlankLinesAreSkipped) {
    Table_ALB avec;
    Chargement const r = charger(avec, "\xEF\xBB\xBF" + indispensables + "\n  \t\na=8\n\n");
    EXPECT_TRUE(r.utilisable);
    EXPECT_EQ(r.rapport, "");
    Table_ALB sans;
    charger(sans, indispensables + "a=8\n");
    EXPECT_EQ(avec.afficher(), sans.afficher());
}

TEST(TableALB, ValuesAreWidthsOrExactKeywords) {
    Table_ALB table;
    struct Cas {
        char const* valeur;
        int type;
        int valeur_attendue;
    } const cas[] = {
        {"12", Auto_LB::CARACTERE, 12}, {"$1F", Auto_LB::CARACTERE, 31}, {"0", Auto_LB::CARACTERE, 0},
        {"LINEBREAK", Auto_LB::LINEBREAK, 0}, {"NEW", Auto_LB::NEW, 0}, {"FIN", Auto_LB::FIN, 0},
        {"NEW_DEFAUT", Auto_LB::NEW_DEFAUT, 0}, {"linebreak", Auto_LB::ERREUR, 0}, {"-5", Auto_LB::ERREUR, 0},
        {"12 ", Auto_LB::ERREUR, 0},
    };
    for (Cas const& c : cas) {
        Infos_entree const infos = table.analyser_entree(c.valeur);
        EXPECT_EQ(infos.type, c.type) << c.valeur;
        EXPECT_EQ(infos.valeur, c.valeur_attendue) << c.valeur;
    }
}

TEST(TableALB, BadLinesAreReportedAndSkipped) {
    struct Cas {
        char const* lignes;
        char const* messages;
    } const cas[] = {
        {"b=linebreak\n", "Une entrée érronée a été detectée (\"b=linebreak\")\n"},
        {"=5\n", "Une entrée vide a été detectée (\"=5\")\n"},
        {"a=\n", "Une entrée vide a été detectée (\"a=\")\n"},
        {"<Centrer>=5\n",
         "Attention, il existe déjà une entrée : \"<Centrer>\"=\"CENTRER\"\nL'entrée \"<Centrer>=5\" sera ignorée\n"},
        {"a=12\na=7\n", "Attention, il existe déjà une entrée : \"a\"=\"12\"\nL'entrée \"a=7\" sera ignorée\n"},
        {"x=NEW\nx=FIN\n", "Attention, il existe déjà une entrée : \"x\"=\"NEW\"\nL'entrée \"x=FIN\" sera ignorée\n"},
        // The second LINEBREAK is named after conversion, then as written.
        {"x\\n=LINEBREAK\n",
         "Un LINEBREAK a déjà été défini. L'entrée \"x\n\"=\"x\\n\" ne sera pas prise en compte\n"},
        {"<B>=NEW_DEFAUT\n",
         "Une valeur par défaut a déjà été définie. L'entrée \"<B>=NEW_DEFAUT\" ne sera pas considérée "
         "comme par défaut\n"},
    };
    for (Cas const& c : cas) {
        Table_ALB table;
        Chargement const r = charger(table, indispensables + c.lignes);
        EXPECT_TRUE(r.utilisable) << c.lignes;
        EXPECT_EQ(r.rapport, c.messages) << c.lignes;
    }
}

// An empty entry is reported where its line stands, among the other lines' reports, and a
// missing structural entry after all of them.
TEST(TableALB, ReportsFollowTheLinesThatCauseThem) {
    Table_ALB table;
    Chargement const r = charger(table, "b=linebreak\n=5\na=12\na=7\nc=\n<N>=NEW_DEFAUT\n");
    EXPECT_FALSE(r.utilisable);
    EXPECT_EQ(r.rapport,
              "Une entrée érronée a été detectée (\"b=linebreak\")\n"
              "Une entrée vide a été detectée (\"=5\")\n"
              "Attention, il existe déjà une entrée : \"a\"=\"12\"\n"
              "L'entrée \"a=7\" sera ignorée\n"
              "Une entrée vide a été detectée (\"c=\")\n"
              "L'espace n'a pas été défini... Arrêt du programme...\n");
}

TEST(TableALB, FirstDefinitionWins) {
    Table_ALB table;
    charger(table, indispensables + "a=12\na=7\n<Centrer>=5\nx\\n=LINEBREAK\n");
    ASSERT_NE(table.chercher("a"), nullptr);
    EXPECT_EQ(table.chercher("a")->valeur, 12);
    EXPECT_EQ(table.chercher("<Centrer>")->type, Auto_LB::CENTRER);
    EXPECT_EQ(table.chercher("x\n"), nullptr);
    EXPECT_EQ(table.lire_linebreak(), "\n");
}

TEST(TableALB, SecondDefaultBoxIsKeptAsAnOrdinaryNewBox) {
    Table_ALB table;
    charger(table, indispensables + "<B>=NEW_DEFAUT\n");
    EXPECT_EQ(table.lire_def_new(), "<N>");
    ASSERT_NE(table.chercher("<B>"), nullptr);
    EXPECT_EQ(table.chercher("<B>")->type, Auto_LB::NEW);
}

TEST(TableALB, EscapedLineEndInAKeyIsOneByte) {
    Table_ALB table;
    charger(table, indispensables + "ab\\n=3\n");
    ASSERT_NE(table.chercher("ab\n"), nullptr);
    EXPECT_EQ(table.chercher("ab\n")->valeur, 3);
    EXPECT_EQ(table.lire_taille_max(), 3);
    Table_ALB longue;
    charger(longue, indispensables + "abcd\\n=3\n");
    EXPECT_EQ(longue.lire_taille_max(), 5);
}

TEST(TableALB, MissingStructuralEntryMakesTheTableUnusable) {
    struct Cas {
        char const* contenu;
        char const* message;
    } const cas[] = {
        {"\\n=LINEBREAK\n<N>=NEW_DEFAUT\n", "L'espace n'a pas été défini... Arrêt du programme...\n"},
        {"", "L'espace n'a pas été défini... Arrêt du programme...\n"},
        {" =4\n\\n=LINEBREAK\n", "Aucune balise NEW_DEFAUT n'a été trouvée... Arrêt du programme...\n"},
        {" =4\n<N>=NEW_DEFAUT\n", "Aucune balise LINEBREAK n'a été trouvée... Arrêt du programme...\n"},
        {" =4\n", "Aucune balise NEW_DEFAUT n'a été trouvée... Arrêt du programme...\n"},
    };
    for (Cas const& c : cas) {
        Table_ALB table;
        Chargement const r = charger(table, c.contenu);
        EXPECT_FALSE(r.utilisable) << c.contenu;
        EXPECT_EQ(r.rapport, c.message) << c.contenu;
    }
}

TEST(TableALB, PointerTagLinesAreRecognisedOnLookup) {
    Table_ALB table;
    charger(table, indispensables);
    Infos_entree const* tag = table.chercher("<PT0012>\n");
    ASSERT_NE(tag, nullptr);
    EXPECT_EQ(tag->type, Auto_LB::POINTEUR);
    EXPECT_EQ(tag->valeur, 12);
    ASSERT_NE(table.chercher("<PT12345>\n"), nullptr);
    EXPECT_EQ(table.chercher("<PT12345>\n")->valeur, 12345);
    std::string const pas_des_balises[] = {"<PT0012>", "<PT0012>\r\n", "<PT>\n", "<PT 1>\n", "x<PT1>\n",
                                           std::string("<PT1>\n\0<PT2>\n", 13)};
    for (std::string const& pas_une_balise : pas_des_balises)
        EXPECT_EQ(table.chercher(pas_une_balise), nullptr) << pas_une_balise;
}

TEST(TableALB, KindNames) {
    struct Cas {
        Infos_entree infos;
        char const* nom;
    } const cas[] = {
        {{0, 0}, "ERREUR"}, {{1, 0}, "CENTRER"}, {{2, 12}, "12"}, {{2, -3}, "-3"},
        {{3, 4}, "ESPACE"}, {{4, 7}, "POINTEUR"}, {{5, 0}, "LINEBREAK"}, {{6, 0}, "NEW"},
        {{7, 0}, "FIN"}, {{8, 0}, "NEW_DEFAUT"}, {{9, 0}, "ERREUR"}, {{-1, 0}, "ERREUR"},
    };
    for (Cas const& c : cas) EXPECT_EQ(Auto_LB::info_to_char(c.infos), c.nom);
}

TEST(TableALB, DisplayListsSettingsThenEntriesInByteOrder) {
    Table_ALB table;
    charger(table, indispensables + "é=8\na=6\n<F>\\n=FIN\n");
    EXPECT_EQ(table.afficher(),
              "Max : 4\n"
              "Taille espace : 4\n"
              "Linebreak : \\n\n"
              "Defaut NEW : <N>\n"
              "\"\\n\"\t\"LINEBREAK\"\n"
              "\" \"\t\"ESPACE\"\n"
              "\"<Centrer>\"\t\"CENTRER\"\n"
              "\"<F>\\n\"\t\"FIN\"\n"
              "\"<N>\"\t\"NEW_DEFAUT\"\n"
              "\"a\"\t\"6\"\n"
              "\"é\"\t\"8\"\n");
}

}  // namespace
