#include "reformat/verification.h"

#include <gtest/gtest.h>

#include <string>

#include "reformat/mesure.h"

namespace {

// Space 4, line break LF, boxes "<BOX>" LF and "<NEW>", end "<END>" LF; a, b, c are 10, 8 and
// 6 wide, and "<Centrer>" is known to every table.
std::string const table_jeu =
    " =4\n\\n=LINEBREAK\n<BOX>\\n=NEW_DEFAUT\n<NEW>=NEW\n<END>\\n=FIN\na=10\nb=8\nc=6\n";

struct Resultat {
    int problemes;
    std::string messages;
};

Resultat verifier(std::string const& script, int largeur, int lignes) {
    Auto_LB::Table_ALB table;
    EXPECT_TRUE(table.charger(table_jeu).empty());
    Auto_LB::Verification const v = Auto_LB::verifier(table, script, largeur, lignes);
    return {v.problemes, formater(v.rapports)};
}

std::string large(int pointeur, int boite, int ligne, long long largeur, int max, std::string const& debut) {
    return formater(Rapport(Message::ligne_trop_large, {pointeur, boite, ligne, largeur, max, debut}));
}

std::string pleine(int pointeur, int boite, int lignes, int max) {
    return formater(Rapport(Message::boite_trop_pleine, {pointeur, boite, lignes, max}));
}

TEST(VerifierMiseEnForme, ReportsEachWideLineAndEachOverFullBoxWhereItStands) {
    struct Cas {
        char const* nom;
        std::string script;
        int largeur;
        int lignes;
        std::string messages;
        int problemes;
    } const cas[] = {
        {"everything fits", "<PT0001>\naa bb\ncc<BOX>\na<END>\n", 40, 2, "", 0},
        {"a line exactly as wide as the box fits", "<PT0001>\naaaa<END>\n", 40, 1, "", 0},
        {"one unit too wide", "<PT0001>\naaab<END>\n", 37, 1, large(1, 1, 1, 38, 37, "aaab"), 1},
        // a a space a: 10 + 4 + 10 + 4 + 10; the second box's second line.
        {"counted within the block and the box", "<PT0003>\nb<BOX>\nc\na a a<END>\n", 30, 3,
         large(3, 2, 2, 38, 30, "a a a"), 1},
        {"one line too many", "<PT0001>\na\nb\nc<END>\n", 40, 2, pleine(1, 1, 3, 2), 1},
        {"a line break before the keyword makes no line", "<PT0001>\na\nb\n<BOX>\nc\n<END>\n", 40, 2, "", 0},
        {"an empty line inside a box counts", "<PT0001>\na\n\nb<END>\n", 40, 2, pleine(1, 1, 3, 2), 1},
        {"both in one box, the line first", "<PT0002>\naaaa\nb\nc<NEW>a<END>\n", 30, 2,
         large(2, 1, 1, 40, 30, "aaaa") + pleine(2, 1, 3, 2), 2},
        {"tags that share a text: the first names the block", "<PT0005>\n<PT0006>\naaaa<END>\n", 30, 2,
         large(5, 1, 1, 40, 30, "aaaa"), 1},
        {"every block is checked", "<PT0001>\naaaa<END>\n<PT0002>\na<END>\n<PT0003>\nbbbbb<END>\n", 35, 2,
         large(1, 1, 1, 40, 35, "aaaa") + large(3, 1, 1, 40, 35, "bbbbb"), 2},
        {"text before the first tag belongs to no block", "aaaaaa\n<PT0001>\na<END>\n", 20, 1, "", 0},
        {"the start of a long line, 20 characters", "<PT0001>\na b c a b c a b c a b c<END>\n", 40, 1,
         large(1, 1, 1, 140, 40, "a b c a b c a b c a "), 1},
        {"a centring mark has no width", "<PT0001>\n<Centrer>aaa<END>\n", 30, 1, "", 0},
        {"a block without its end is measured, and said to be",
         "<PT0001>\naaaa", 30, 1,
         large(1, 1, 1, 40, 30, "aaaa") + "Attention, le bloc du pointeur 1 n'a pas de balise de fin.\n", 1},
    };
    for (auto const& c : cas) {
        Resultat const r = verifier(c.script, c.largeur, c.lignes);
        EXPECT_EQ(r.messages, c.messages) << c.nom;
        EXPECT_EQ(r.problemes, c.problemes) << c.nom;
    }
}

TEST(VerifierMiseEnForme, UnknownCharactersAreReportedAndWeighNothing) {
    Resultat const r = verifier("<PT0001>\naza<END>\n", 20, 1);
    EXPECT_EQ(r.messages, "Le caractère 'z' est inconnu (\"za<END>\\n\")\n");
    EXPECT_EQ(r.problemes, 0);
}

// The measure cuts the script where it breaks itself, and keeps each line's tokens.
TEST(Mesurer, BlocksBoxesAndLinesAsWritten) {
    Auto_LB::Table_ALB table;
    ASSERT_TRUE(table.charger(table_jeu).empty());
    Auto_LB::Mesure const m = Auto_LB::mesurer(table, "<PT0001>\n<PT0002>\nab c\nb<BOX>\nca<END>\n<PT0003>\nb");
    ASSERT_EQ(m.blocs.size(), 2u);
    EXPECT_EQ(m.blocs[0].pointeurs, (std::vector<int>{1, 2}));
    EXPECT_TRUE(m.blocs[0].termine);
    ASSERT_EQ(m.blocs[0].boites.size(), 2u);
    ASSERT_EQ(m.blocs[0].boites[0].lignes.size(), 2u);
    EXPECT_EQ(m.texte(m.blocs[0].boites[0].lignes[0]), "ab c");
    EXPECT_EQ(m.blocs[0].boites[0].lignes[0].largeur, 10 + 8 + 4 + 6);
    EXPECT_EQ(m.texte(m.blocs[0].boites[0].lignes[1]), "b");
    EXPECT_EQ(m.texte(m.blocs[0].boites[1].lignes[0]), "ca");
    EXPECT_EQ(m.blocs[1].pointeurs, (std::vector<int>{3}));
    EXPECT_FALSE(m.blocs[1].termine);
    EXPECT_EQ(m.blocs[1].boites[0].lignes[0].largeur, 8);
}

}  // namespace
