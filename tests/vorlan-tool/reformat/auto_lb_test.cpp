#include "reformat/auto_lb.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Space 4, line break LF, boxes "<BOX>" LF, end "<END>" LF; a, b, c are 10, 8 and 6 wide.
std::string const table_jeu =
    " =4\n\\n=LINEBREAK\n<BOX>\\n=NEW_DEFAUT\n<NEW>=NEW\n<END>\\n=FIN\na=10\nb=8\nc=6\n";

struct Resultat {
    bool utilisable = false;
    std::string messages;  // the table's reports, then the reformatting's, as the command prints them
    std::string script;
};

Resultat reformater(std::string const& table_texte, std::string const& script, int largeur, int lignes) {
    Auto_LB::Table_ALB table;
    Resultat r;
    r.messages = formater(table.charger(table_texte));
    r.utilisable = table.utilisable();
    if (!r.utilisable) return r;
    Auto_LB::Mise_en_forme const m = Auto_LB::remettre_en_forme(table, script, largeur, lignes);
    r.messages += formater(m.rapports);
    r.script = m.texte;
    return r;
}

struct Cas {
    char const* nom;
    std::string script;
    int largeur;
    int lignes;
    std::string attendu;
};

// Scripts that the game table reformats without a message.
TEST(RemettreEnForme, BreaksLinesAndBoxes) {
    Cas const cas[] = {
        {"90 + 4 + 8 > 100 breaks", "<PT0001>\naaaaaaaaa b<END>\n", 100, 3, "<PT0001>\naaaaaaaaa\nb<END>\n"},
        {"90 + 4 + 6 = 100 fits", "<PT0001>\naaaaaaaaa c<END>\n", 100, 3, "<PT0001>\naaaaaaaaa c<END>\n"},
        {"third break opens a box", "<PT0001>\na a a a a a a<END>\n", 10, 3,
         "<PT0001>\na\na\na<BOX>\na\na\na<BOX>\na<END>\n"},
        {"one line a box", "<PT0001>\na a a<END>\n", 10, 1, "<PT0001>\na<BOX>\na<BOX>\na<END>\n"},
        {"wide word stands alone", "<PT0001>\na aaaaaaaaaaaa a<END>\n", 100, 3,
         "<PT0001>\na\naaaaaaaaaaaa\na<END>\n"},
        {"first word of a block is written", "<PT0001>\naaaaaaaaaaaa<END>\n", 50, 3,
         "<PT0001>\naaaaaaaaaaaa<END>\n"},
        {"script line breaks count", "<PT0001>\na\na\na<END>\n", 100, 2, "<PT0001>\na\na<BOX>\na<END>\n"},
        {"NEW restarts the box", "<PT0001>\na a<NEW>a a a<END>\n", 10, 2, "<PT0001>\na\na<NEW>a\na<BOX>\na<END>\n"},
        {"NEW_DEFAUT restarts the box", "<PT0001>\na a<BOX>\na a a<END>\n", 10, 2,
         "<PT0001>\na\na<BOX>\na\na<BOX>\na<END>\n"},
        {"line width restarts after a forced break", "<PT0001>\naaaaaaaaa\naaaaa c<END>\n", 100, 3,
         "<PT0001>\naaaaaaaaa\naaaaa c<END>\n"},
        {"state restarts in every block", "<PT0001>\na a<END>\n<PT0002>\na a<END>\n", 10, 2,
         "<PT0001>\na\na<END>\n<PT0002>\na\na<END>\n"},
        {"no pointer tag, nothing written", "aaa bbb<END>\n", 100, 3, ""},
        {"text outside the blocks is dropped", "aa\n<PT0001>\na<END>\nbb c\n<PT0002>\nb<END>\ncc",
         100, 3, "<PT0001>\na<END>\n<PT0002>\nb<END>\n"},
        {"empty script", "", 100, 3, ""},
    };
    for (Cas const& c : cas) {
        Resultat const r = reformater(table_jeu, c.script, c.largeur, c.lignes);
        EXPECT_TRUE(r.utilisable) << c.nom;
        EXPECT_EQ(r.script, c.attendu) << c.nom;
        EXPECT_EQ(r.messages, "") << c.nom;
    }
}

std::string blancs(std::size_t n) { return std::string(n, ' '); }

TEST(RemettreEnForme, CentresLines) {
    Cas const cas[] = {
        // (100 - 40) / (2 * 4) = 7 blanks
        {"one line", "<PT0001>\n<Centrer>aaaa<END>\n", 100, 3, "<PT0001>\n" + blancs(7) + "aaaa<END>\n"},
        // spaces count: 10 + 4 + 10 = 24, (100 - 24) / 8 = 9
        {"spaces included", "<PT0001>\n<Centrer>a a<END>\n", 100, 3, "<PT0001>\n" + blancs(9) + "a a<END>\n"},
        {"wider than the line: no blank", "<PT0001>\n<Centrer>aaaaaaaaaaaa<END>\n", 100, 3,
         "<PT0001>\naaaaaaaaaaaa<END>\n"},
        {"each broken line is centred", "<PT0001>\n<Centrer>aaaaa aaaaa aaaaa<END>\n", 100, 3,
         "<PT0001>\n" + blancs(6) + "aaaaa\n" + blancs(6) + "aaaaa\n" + blancs(6) + "aaaaa<END>\n"},
        {"a script line break ends centring", "<PT0001>\n<Centrer>aaaa\nbb<END>\n", 100, 3,
         "<PT0001>\n" + blancs(7) + "aaaa\nbb<END>\n"},
        {"a new box ends centring", "<PT0001>\n<Centrer>aaaa<NEW>bb<END>\n", 100, 3,
         "<PT0001>\n" + blancs(7) + "aaaa<NEW>bb<END>\n"},
        // The space right after the tag breaks: its centred line holds no token, 100 / 8 blanks.
        {"centring right before a break", "<PT0001>\naaaaaaaaaa<Centrer> aaaa<END>\n", 100, 3,
         "<PT0001>\naaaaaaaaaa" + blancs(12) + "\n" + blancs(7) + "aaaa<END>\n"},
    };
    for (Cas const& c : cas) {
        Resultat const r = reformater(table_jeu, c.script, c.largeur, c.lignes);
        EXPECT_TRUE(r.utilisable) << c.nom;
        EXPECT_EQ(r.script, c.attendu) << c.nom;
        EXPECT_EQ(r.messages, "") << c.nom;
    }
}

TEST(RemettreEnForme, PendingCentredTokensAreNeverLost) {
    Resultat const fin_absente = reformater(table_jeu, "<PT0001>\n<Centrer>aaaa", 100, 3);
    EXPECT_EQ(fin_absente.script, "<PT0001>\n" + blancs(7) + "aaaa");
    EXPECT_EQ(fin_absente.messages, "Attention, le bloc du pointeur 1 n'a pas de balise de fin.");

    // The pending "aaaa" is written centred before the second centring starts: 80 / 8 = 10.
    Resultat const deux_fois = reformater(table_jeu, "<PT0001>\n<Centrer>aaaa<Centrer>aa<END>\n", 100, 3);
    EXPECT_EQ(deux_fois.script, "<PT0001>\n" + blancs(7) + "aaaa" + blancs(10) + "aa<END>\n");
}

TEST(RemettreEnForme, SpaceOfWidthZeroCentresWithoutBlanks) {
    std::string const table = " =0\n\\n=LINEBREAK\n<BOX>\\n=NEW_DEFAUT\n<END>\\n=FIN\na=10\n";
    Resultat const r = reformater(table, "<PT0001>\n<Centrer>a a<END>\n", 100, 3);
    EXPECT_TRUE(r.utilisable);
    EXPECT_EQ(r.script, "<PT0001>\na a<END>\n");
}

TEST(RemettreEnForme, FinalSpaceIsFollowedByAWidthOfZero) {
    // 90 + 4 + 0 fits 94 exactly, so the last space stays a space.
    Resultat const r = reformater(table_jeu, "<PT0001>\naaaaaaaaa ", 94, 3);
    EXPECT_EQ(r.script, "<PT0001>\naaaaaaaaa ");
    Resultat const trop_etroit = reformater(table_jeu, "<PT0001>\naaaaaaaaa ", 93, 3);
    EXPECT_EQ(trop_etroit.script, "<PT0001>\naaaaaaaaa\n");
}

TEST(RemettreEnForme, MissingEndAbsorbsLaterBlocks) {
    Resultat const r = reformater(table_jeu, "<PT0001>\na b\n<PT0002>\nc<END>\n<PT0003>\nb", 100, 3);
    EXPECT_TRUE(r.utilisable);
    EXPECT_EQ(r.script, "<PT0001>\na b\n<PT0002>\nc<END>\n<PT0003>\nb");
    EXPECT_EQ(r.messages,
              "Attention, le pointeur numéro 2 a été détecté dans le bloc du pointeur 1...\n"
              "Attention, le bloc du pointeur 3 n'a pas de balise de fin.");
}

TEST(RemettreEnForme, UnknownBytesAreReportedAndCopied) {
    Resultat const r = reformater(table_jeu, "<PT0001>\na~a<END>\n", 100, 3);
    EXPECT_EQ(r.script, "<PT0001>\na~a<END>\n");
    EXPECT_EQ(r.messages, "Le caractère '~' est inconnu (\"~a<END>\\n\")\n");
}

TEST(RemettreEnForme, PointerTagAfterUnknownBytesStillOpensItsBlock) {
    Resultat const r = reformater(table_jeu, "<PT0001>\na<END>\n~<PT0002>\nb<END>\n", 100, 3);
    EXPECT_EQ(r.script, "<PT0001>\na<END>\n<PT0002>\nb<END>\n");
    EXPECT_EQ(r.messages, "Le caractère '~' est inconnu (\"~<PT0002>\")\n");
}

TEST(RemettreEnForme, SpaceAfterUnknownBytesCanStillBreak) {
    // "~" is a token of width 0 and the space after it a space: 94 + 4 + 8 > 100.
    Resultat const r = reformater(table_jeu, "<PT0001>\naaaaaaaaa ~ b<END>\n", 100, 3);
    EXPECT_EQ(r.script, "<PT0001>\naaaaaaaaa ~\nb<END>\n");
}

TEST(RemettreEnForme, TagRightAfterTheBlockTagIsReportedAndKept) {
    Resultat const r = reformater(table_jeu, "<PT0001>\n<PT0002>\na<END>\n", 100, 3);
    EXPECT_EQ(r.script, "<PT0001>\n<PT0002>\na<END>\n");
    EXPECT_EQ(r.messages, "Attention, le pointeur numéro 2 a été détecté dans le bloc du pointeur 1...\n");
}

// Mended: a tag longer than the window (five digits and more with the narrowest one) was cut
// into unknown characters, and its block was lost.
TEST(RemettreEnForme, TagsOfAnyLengthAreReadWhole) {
    for (std::string const& table : {table_jeu, table_jeu + "abcdefghij=1\n"}) {
        std::vector<std::string> const balises = {"<PT12345>\n", "<PT1000000>\n", "<PT" + std::string(60, '7') + ">\n"};
        for (std::string const& balise : balises) {
            Resultat const r = reformater(table, balise + "ab<END>\n" + balise + "ab<END>\n", 100, 3);
            EXPECT_TRUE(r.utilisable);
            EXPECT_EQ(r.script, balise + "ab<END>\n" + balise + "ab<END>\n") << balise;
            EXPECT_EQ(r.messages, "") << balise;
        }
        // In the middle of a word the tag still stands on its own.
        Resultat const r = reformater(table, "<PT1>\nab<PT1000000>\nab<END>\n", 100, 3);
        EXPECT_EQ(r.messages, "Attention, le pointeur numéro 1000000 a été détecté dans le bloc du pointeur 1...\n");
    }
}

TEST(RemettreEnForme, FinWithoutLineEndDropsTheLineEndAfterIt) {
    std::string const table = " =4\n\\n=LINEBREAK\n<BOX>\\n=NEW_DEFAUT\n<END>=FIN\na=10\nb=8\n";
    Resultat const r = reformater(table, "<PT0001>\na<END>\n<PT0002>\nb<END>\n", 100, 3);
    EXPECT_EQ(r.script, "<PT0001>\na<END><PT0002>\nb<END>");
}

TEST(ChargerTexte, CutsTheScriptIntoTokens) {
    Auto_LB::Table_ALB table;
    ASSERT_TRUE(table.charger(table_jeu + "ab=3\n").empty());

    std::string const texte = "<PT0012>\naab ca<Centrer>\n<END>\n";
    Rapports rapports;
    std::vector<Auto_LB::Mot> const mots = Auto_LB::charger_texte(
        reinterpret_cast<unsigned char const*>(texte.data()), static_cast<int>(texte.size()), table, rapports);
    EXPECT_EQ(formater(rapports), "");
    struct Attendu {
        char const* texte;
        std::int64_t largeur;
        int type;
        int valeur;
    } const attendus[] = {
        {"<PT0012>\n", 0, Auto_LB::POINTEUR, 12}, {"aab", 13, Auto_LB::CARACTERE, 0},
        {" ", 4, Auto_LB::ESPACE, 0},             {"ca", 16, Auto_LB::CARACTERE, 0},
        {"<Centrer>", 0, Auto_LB::CENTRER, 0},    {"\n", 0, Auto_LB::LINEBREAK, 0},
        {"<END>\n", 0, Auto_LB::FIN, 0},
    };
    ASSERT_EQ(mots.size(), std::size(attendus));
    for (std::size_t k = 0; k < mots.size(); ++k) {
        EXPECT_EQ(mots[k].texte, attendus[k].texte) << k;
        EXPECT_EQ(mots[k].largeur, attendus[k].largeur) << k;
        EXPECT_EQ(mots[k].infos.type, attendus[k].type) << k;
        EXPECT_EQ(mots[k].infos.valeur, attendus[k].valeur) << k;
    }
}

TEST(EcrireEspacesMots, WritesBlanksThenTheTokensOfTheRange) {
    std::vector<Auto_LB::Mot> const mots = {
        {"ab", 2, {Auto_LB::CARACTERE, 0}}, {" ", 4, {Auto_LB::ESPACE, 0}}, {"cd", 2, {Auto_LB::CARACTERE, 0}}};
    std::string sortie = "x";
    Auto_LB::ecrire_espaces_mots(sortie, mots, 3, 0, 2);
    Auto_LB::ecrire_espaces_mots(sortie, mots, 0, 2, 1);
    Auto_LB::ecrire_espaces_mots(sortie, mots, 1, 1, 5);
    EXPECT_EQ(sortie, "x   ab cd  cd");
}

}  // namespace
