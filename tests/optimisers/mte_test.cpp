#include "optimisers/mte.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "lib/fichiers.h"
#include "support/scratch.h"

namespace {

using test_support::Scratch;

struct Execution {
    std::string sortie;  // what was printed
    std::string mots;    // the result file
    bool fichier_cree;
};

Execution optimiser(std::string const& script, short nombre, short taille_max, int taille_rom) {
    Scratch dossier;
    dossier.write("script.txt", script);
    testing::internal::CaptureStdout();
    MTE::optimiser(dossier.path("script.txt").c_str(), dossier.path("mte.txt").c_str(), nombre, taille_max, taille_rom);
    std::fflush(stdout);
    Execution e{testing::internal::GetCapturedStdout(), "", dossier.exists("mte.txt")};
    if (e.fichier_cree) e.mots = dossier.read("mte.txt");
    return e;
}

std::string ligne(int taille, int apparitions, int score, std::string const& mot) {
    char texte[128];
    std::snprintf(texte, sizeof texte, "Taille : %8i  Apparitions : %8i  Score : %8i   \"", taille, apparitions, score);
    return texte + mot + "\"\n";
}

struct Cas {
    char const* nom;
    std::string script;
    short nombre;
    short taille_max;
    int taille_rom;
    std::string rapport;  // after "Taille mte : %d\n"
    std::string mots;
};

TEST(OptimiseurMTE, FindsTheWordsThatSaveTheMost) {
    Cas const cas[] = {
        {"a tag splits the text into two lines", "abc<PT0001>\ndef", 2, 3, 2,
         "Taille :        3  Apparitions :        1  Score :        1   \"abc\"\n"
         "Taille :        3  Apparitions :        1  Score :        1   \"def\"\n"
         "Score total : 2\n",
         "abc\ndef\n"},
        {"overlapping occurrences all count", "aaaaa", 1, 3, 2, ligne(3, 3, 3, "aaa") + "Score total : 3\n", "aaa\n"},
        {"an overlap with a better word ends the pass; it is counted again next pass",
         "abcd\nabcd\nabc\nabc\nzbcdz\n", 2, 3, 2,
         ligne(3, 4, 4, "abc") + ligne(3, 1, 1, "bcd") + "Score total : 5\n", "abc\nbcd\n"},
        {"a word inside a better one ends the pass; it is counted again next pass", "then\nthen\nthen\nthe", 2, 4, 2,
         ligne(4, 3, 6, "then") + ligne(3, 1, 1, "the") + "Score total : 7\n", "then\nthe\n"},
        {"equal scores come in ascending byte order", "xyz\nabc\n", 2, 3, 2,
         ligne(3, 1, 1, "abc") + ligne(3, 1, 1, "xyz") + "Score total : 2\n", "abc\nxyz\n"},
        {"the search ends when the text is used up", "then\nthen\nthen", 10, 4, 2,
         ligne(4, 3, 6, "then") + "Score total : 6\n", "then\n"},
        {"one word asked, one word written", "abcdef\nabcdef\nxyzuvw\n", 1, 6, 2,
         ligne(6, 2, 8, "abcdef") + "Score total : 8\n", "abcdef\n"},
        {"one-byte references count two-byte words", "abab ab", 1, 2, 1, ligne(2, 3, 3, "ab") + "Score total : 3\n",
         "ab\n"},
        {"an open tag ends the text", "abcdef<ghijkl", 1, 6, 2, ligne(6, 1, 4, "abcdef") + "Score total : 4\n",
         "abcdef\n"},
        {"CR LF line ends split the lines", "abc\r\nabc\r\n", 1, 12, 2, ligne(3, 2, 2, "abc") + "Score total : 2\n",
         "abc\n"},
        {"a script shorter than three bytes", "ab", 3, 12, 2, "Empty text.\n", ""},
        {"a script of tags, control bytes and short runs", "<PT0001>\nab\tcd<0A>\n", 3, 12, 2, "Empty text.\n", ""},
    };
    for (Cas const& c : cas) {
        Execution e = optimiser(c.script, c.nombre, c.taille_max, c.taille_rom);
        EXPECT_EQ(e.sortie, "Taille mte : " + std::to_string(c.taille_rom) + "\n" + c.rapport) << c.nom;
        EXPECT_EQ(e.mots, c.mots) << c.nom;
    }
}

TEST(OptimiseurMTE, BadArgumentsAreRefusedBeforeAnyFileIsTouched) {
    struct Refus {
        short nombre;
        short taille_max;
        int taille_rom;
        std::string sortie;
    } const cas[] = {
        {0, 12, 2, "Taille mte : 2\nErreur, le nombre de MTE indiqué est incorrect\n"},
        {-4, 12, 2, "Taille mte : 2\nErreur, le nombre de MTE indiqué est incorrect\n"},
        {5, 2, 2, "Taille mte : 2\nErreur, la taille maximale d'une MTE doit être supérieure à 2\n"},
        {5, 1, 1, "Taille mte : 1\nErreur, la taille maximale d'une MTE doit être supérieure à 1\n"},
        {5, 12, 3, "Taille mte : 3\nErreur, la taille de la mte dans la rom doit être 1 ou 2\n"},
        {5, 12, 0, "Taille mte : 0\nErreur, la taille de la mte dans la rom doit être 1 ou 2\n"},
    };
    for (Refus const& c : cas) {
        Execution e = optimiser("abcabc", c.nombre, c.taille_max, c.taille_rom);
        EXPECT_EQ(e.sortie, c.sortie);
        EXPECT_FALSE(e.fichier_cree) << c.sortie;
    }
}

TEST(OptimiseurMTE, MaximumLengthJustAboveTheReferenceSizeGivesThreeByteWords) {
    Execution e = optimiser("abcd\nabcd\n", 5, 3, 2);
    EXPECT_EQ(e.sortie, "Taille mte : 2\n" + ligne(3, 2, 2, "abc") + "Score total : 2\n");
    EXPECT_EQ(e.mots, "abc\n");
}

TEST(OptimiseurMTE, UnreadableScriptCreatesNoResultFile) {
    Scratch dossier;
    std::string const script = dossier.path("absent.txt");
    testing::internal::CaptureStdout();
    MTE::optimiser(script.c_str(), dossier.path("mte.txt").c_str(), 3, 12, 2);
    std::fflush(stdout);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Taille mte : 2\nImpossible d'ouvrir le fichier \"" + script + "\"\n");
    EXPECT_FALSE(dossier.exists("mte.txt"));
}

TEST(OptimiseurMTE, UnwritableResultFileIsReported) {
    Scratch dossier;
    dossier.write("script.txt", "abcabc");
    std::string const resultat = dossier.path("absent/mte.txt");
    testing::internal::CaptureStdout();
    MTE::optimiser(dossier.path("script.txt").c_str(), resultat.c_str(), 3, 12, 2);
    std::fflush(stdout);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Taille mte : 2\nfopen_error : Impossible d'ouvrir le fichier \"" + resultat + "\"\n");
}

TEST(OptimiseurMTEFindMTE, EmptyTextSetsTheCountToZero) {
    Scratch dossier;
    Fichier sortie(dossier.path("mte.txt").c_str(), "w");
    std::string texte;
    short restants = 7;
    testing::internal::CaptureStdout();
    MTE::FindMTE(texte, sortie, restants, 12, 2);
    std::fflush(stdout);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Empty text.\n");
    EXPECT_EQ(restants, 0);
}

TEST(OptimiseurMTEFindMTE, ChosenWordsLeaveTheTextAndTheCountGoesDown) {
    Scratch dossier;
    Fichier sortie(dossier.path("mte.txt").c_str(), "w");
    std::string texte = "then\nthen\nother\n";
    MTE::Clean(texte);
    short restants = 1;
    testing::internal::CaptureStdout();
    MTE::FindMTE(texte, sortie, restants, 4, 2);
    std::fflush(stdout);
    testing::internal::GetCapturedStdout();
    sortie.close();
    EXPECT_EQ(restants, 0);
    EXPECT_EQ(dossier.read("mte.txt"), "then\n");
    EXPECT_EQ(texte, "other\n");
}

}  // namespace
