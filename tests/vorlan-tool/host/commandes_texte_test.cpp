#include <string>

#include <gtest/gtest.h>

#include "support/vorlan.h"

namespace {

using test_support::run_script;
using test_support::Scratch;

std::string const SCRIPT = "<PT0001>\nle lettre aaaaaaaaa b<END>\n";
std::string const MOTS = "le\n";
// Space 4, a 10 and b 8 wide; line break LF, boxes "<BOX>" LF, end "<END>" LF.
std::string const TABLE = " =4\n\\n=LINEBREAK\n<BOX>\\n=NEW_DEFAUT\n<END>\\n=FIN\na=10\nb=8\ne=5\nl=3\nr=5\nt=4\n";

void preparer(Scratch const& s) {
    s.write("script.txt", SCRIPT);
    s.write("mots.txt", MOTS);
    s.write("table.tbl", TABLE);
}

std::string const CADRE_SUPPRESSION = "Suppression des mots de la liste 'mots.txt' dans le fichier 'script.txt'...\n";
std::string const FIN_SUPPRESSION = "Suppression terminée !\n\n";
std::string const CADRE_MISE_EN_FORME = "Mise en forme du fichier 'script.txt'...\n";
std::string const FIN_MISE_EN_FORME = "Mise en forme terminée !\n\n";

TEST(CommandeSupprimerMots, MarksTheWordsBetweenItsFramingMessages) {
    Scratch s;
    preparer(s);
    auto r = run_script(s, "supprimer_mots('script.txt', 'sortie.txt', 'mots.txt') print('suite')");
    EXPECT_EQ(r.out, CADRE_SUPPRESSION + "Mot :         le   Taille :  2   Apparitions : 2\n" + FIN_SUPPRESSION +
                         "suite\n");
    EXPECT_EQ(s.read("sortie.txt"), "<PT0001>\n<le> <le>ttre aaaaaaaaa b<END>\n");
}

TEST(CommandeSupprimerMots, ArgumentChecks) {
    struct Cas {
        char const* appel;
        std::string attendu;
        char const* fichier_ecrit;  // null when nothing may be written
    } const cas[] = {
        {"supprimer_mots()", "Erreur, l'argument 1 doit être une chaine\n", nullptr},
        {"supprimer_mots('script.txt', 'sortie.txt')", "Erreur, l'argument 3 doit être une chaine\n", nullptr},
        {"supprimer_mots({}, 'sortie.txt', 'mots.txt')", "Erreur, l'argument 1 doit être une chaine\n", nullptr},
        {"supprimer_mots('script.txt', nil, 'mots.txt')", "Erreur, l'argument 2 doit être une chaine\n", nullptr},
        {"supprimer_mots('script.txt', 'sortie.txt', true)", "Erreur, l'argument 3 doit être une chaine\n", nullptr},
        {"supprimer_mots('script.txt', 'sortie.txt', 'mots.txt', 'de trop')",
         CADRE_SUPPRESSION + "Mot :         le   Taille :  2   Apparitions : 2\n" + FIN_SUPPRESSION, "sortie.txt"},
        // A number passes the string test: it names the file "12".
        {"supprimer_mots('script.txt', 12, 'mots.txt')",
         CADRE_SUPPRESSION + "Mot :         le   Taille :  2   Apparitions : 2\n" + FIN_SUPPRESSION, "12"},
    };
    for (auto const& c : cas) {
        Scratch s;
        preparer(s);
        auto r = run_script(s, std::string(c.appel) + " print('suite')");
        EXPECT_EQ(r.out, c.attendu + "suite\n") << c.appel;
        EXPECT_EQ(s.exists("sortie.txt"), c.fichier_ecrit != nullptr && std::string(c.fichier_ecrit) == "sortie.txt")
            << c.appel;
        if (c.fichier_ecrit != nullptr) {
            EXPECT_EQ(s.read(c.fichier_ecrit), "<PT0001>\n<le> <le>ttre aaaaaaaaa b<END>\n") << c.appel;
        }
    }
}

TEST(CommandeSupprimerMots, FailureOfTheOperationStillGetsTheClosingMessage) {
    Scratch s;
    preparer(s);
    auto r = run_script(s,
                        "supprimer_mots('script.txt', 'sortie.txt', 'absente.txt')\n"
                        "supprimer_mots('absent.txt', 'sortie.txt', 'mots.txt')\n");
    EXPECT_EQ(r.out, "Suppression des mots de la liste 'absente.txt' dans le fichier 'script.txt'...\n"
                     "fopen_error : Impossible d'ouvrir le fichier \"absente.txt\"\n" +
                         FIN_SUPPRESSION +
                         "Suppression des mots de la liste 'mots.txt' dans le fichier 'absent.txt'...\n"
                         "Impossible d'ouvrir le fichier \"absent.txt\"\n" +
                         FIN_SUPPRESSION);
    EXPECT_FALSE(s.exists("sortie.txt"));
}

TEST(CommandeMettreEnForme, ReformatsBetweenItsFramingMessages) {
    Scratch s;
    preparer(s);
    auto r = run_script(s, "mettre_en_forme('script.txt', 'sortie.txt', 'table.tbl', 100, 3) print('suite')");
    EXPECT_EQ(r.out, CADRE_MISE_EN_FORME + FIN_MISE_EN_FORME + "suite\n");
    // "le lettre" is 8 + 4 + 26 = 38 wide; 38 + 4 + 90 > 100, and 90 + 4 + 8 > 100.
    EXPECT_EQ(s.read("sortie.txt"), "<PT0001>\nle lettre\naaaaaaaaa\nb<END>\n");
}

TEST(CommandeMettreEnForme, ArgumentChecks) {
    struct Cas {
        char const* appel;
        std::string attendu;
        bool ecrit;
    } const cas[] = {
        {"mettre_en_forme()", "Erreur, l'argument 1 doit être une chaine\n", false},
        {"mettre_en_forme('script.txt', {}, 'table.tbl', 'x', 3)", "Erreur, l'argument 2 doit être une chaine\n",
         false},
        {"mettre_en_forme('script.txt', 'sortie.txt', nil, 100, 3)", "Erreur, l'argument 3 doit être une chaine\n",
         false},
        {"mettre_en_forme('script.txt', 'sortie.txt', 'table.tbl', 'x', 3)",
         "Erreur, l'argument 4 doit être un nombre\n", false},
        {"mettre_en_forme('script.txt', 'sortie.txt', 'table.tbl', 100)", "Erreur, l'argument 5 doit être un nombre\n",
         false},
        {"mettre_en_forme('script.txt', 'sortie.txt', 'table.tbl', 100, '3 lignes')",
         "Erreur, l'argument 5 doit être un nombre\n", false},
        // A numeric string passes the number test; arguments after the fifth are ignored.
        {"mettre_en_forme('script.txt', 'sortie.txt', 'table.tbl', '100', 3, 'de trop')",
         CADRE_MISE_EN_FORME + FIN_MISE_EN_FORME, true},
    };
    for (auto const& c : cas) {
        Scratch s;
        preparer(s);
        auto r = run_script(s, std::string(c.appel) + " print('suite')");
        EXPECT_EQ(r.out, c.attendu + "suite\n") << c.appel;
        EXPECT_EQ(s.exists("sortie.txt"), c.ecrit) << c.appel;
    }
}

TEST(CommandeMettreEnForme, WidthIsTruncatedTowardZero) {
    struct Cas {
        char const* largeur;
        char const* attendu;
    } const cas[] = {
        // 90 + 4 + 6 for "aaaaaaaaa ll"
        {"100.9", "<PT0001>\naaaaaaaaa ll<END>\n"},
        {"99.9", "<PT0001>\naaaaaaaaa\nll<END>\n"},
    };
    for (auto const& c : cas) {
        Scratch s;
        preparer(s);
        s.write("script.txt", "<PT0001>\naaaaaaaaa ll<END>\n");
        run_script(s, std::string("mettre_en_forme('script.txt', 'sortie.txt', 'table.tbl', ") + c.largeur + ", 3)");
        EXPECT_EQ(s.read("sortie.txt"), c.attendu) << c.largeur;
    }
}

TEST(CommandeMettreEnForme, FailureOfTheOperationStillGetsTheClosingMessage) {
    Scratch s;
    preparer(s);
    auto r = run_script(s, "mettre_en_forme('script.txt', 'sortie.txt', 'absente.tbl', 100, 3) print('suite')");
    EXPECT_EQ(r.out,
              CADRE_MISE_EN_FORME + "Impossible d'ouvrir le fichier \"absente.tbl\"\n" + FIN_MISE_EN_FORME + "suite\n");
    EXPECT_FALSE(s.exists("sortie.txt"));
}

}  // namespace
