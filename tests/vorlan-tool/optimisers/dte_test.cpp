#include "optimisers/dte.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

using namespace std::string_literals;

struct Cas {
    char const* nom;
    std::string script;
    int nombre;
    std::string rapport;
    std::string resultat;
};

TEST(OptimiseurDTE, ChoosesTheMostFrequentPairsAndReportsThem) {
    Cas const cas[] = {
        {"pairs overlap when counted", "abab", 1, "DTE\tApparitions\n\"ab\"\t2\nScore : 2\n", "ab\n"},
        {"removal takes occurrences without overlap", "aaaa", 2,
         "DTE\tApparitions\n\"aa\"\t3\n\"\0\0\"\t0\nScore : 3\n"s, "aa\n\0\0\n"s},
        {"a tag line cuts the text", "ab\n<PT0001>\ncd", 2, "DTE\tApparitions\n\"ab\"\t1\n\"cd\"\t1\nScore : 2\n",
         "ab\ncd\n"},
        {"a tie goes to the smaller first byte", "ba\nab", 1, "DTE\tApparitions\n\"ab\"\t1\nScore : 1\n", "ab\n"},
        {"then to the smaller second byte", "ac\nab", 1, "DTE\tApparitions\n\"ab\"\t1\nScore : 1\n", "ab\n"},
        {"raw bytes and codes in brackets cut the text", "ab<0A>ba<FIN>ab", 1,
         "DTE\tApparitions\n\"ab\"\t2\nScore : 2\n", "ab\n"},
        {"an open tag blanks the rest of the text", "ab<cdcdcd", 2,
         "DTE\tApparitions\n\"ab\"\t1\n\"\0\0\"\t0\nScore : 1\n"s, "ab\n\0\0\n"s},
        {"zero pairs", "abab", 0, "DTE\tApparitions\nScore : 0\n", ""},
        {"bytes above 0x7F are characters", "\xe9t\xe9\xe9t\xe9", 1,
         "DTE\tApparitions\n\"t\xe9\"\t2\nScore : 2\n", "t\xe9\n"},
        {"the next pair is counted on what is left", "aab\naab\nbb", 2,
         "DTE\tApparitions\n\"aa\"\t2\n\"bb\"\t1\nScore : 3\n", "aa\nbb\n"},
    };
    for (Cas const& c : cas) {
        DTE::Optimisation const o = DTE::optimiser(c.script, c.nombre);
        EXPECT_EQ(formater(o.rapports), c.rapport) << c.nom;
        EXPECT_EQ(o.resultat, c.resultat) << c.nom;
    }
}

TEST(OptimiseurDTE, PairEndingInAZeroByteNeverWins) {
    DTE::Infos_DTE paires;
    paires.ajouter('a', 0);
    paires.ajouter('a', 0);
    paires.ajouter('b', 'c');
    EXPECT_EQ(paires.max(), 'b' * 256 + 'c');
    paires.initialiser();
    EXPECT_EQ(paires.max(), 0);
    EXPECT_EQ(paires.lire('b', 'c'), 0u);
}

TEST(OptimiseurDTE, TagBlankingTurnsEveryTagIntoLineEnds) {
    std::string texte = "a<PT0001>\nb<0A>c<d";
    DTE::supprimer_balises(texte);
    EXPECT_EQ(texte, "a" + std::string(9, '\n') + "b" + std::string(4, '\n') + "c" + std::string(2, '\n'));
}

// Removing a pair keeps the counters equal to those of a fresh count of the text.
TEST(OptimiseurDTE, CountersFollowTheTextAsPairsAreRemoved) {
    std::mt19937 alea(5);
    std::uniform_int_distribution<int> octet(0, 4);
    char const alphabet[] = {'a', 'b', 'c', '\n', '\xe9'};
    for (int essai = 0; essai < 100; ++essai) {
        std::string texte;
        for (int i = alea() % 60; i > 0; --i) texte += alphabet[octet(alea)];
        DTE::Infos_DTE paires;
        DTE::compter(texte, paires);
        for (int k = 0; k < 4; ++k) {
            int choix = paires.max();
            DTE::supprimer(texte, choix / 256, choix % 256, paires);
            DTE::Infos_DTE recompte;
            DTE::compter(texte, recompte);
            for (int premier : alphabet)
                for (int second : alphabet)
                    ASSERT_EQ(paires.lire(premier, second), recompte.lire(premier, second)) << texte;
        }
    }
}

}  // namespace
