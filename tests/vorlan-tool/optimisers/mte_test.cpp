#include "optimisers/mte.h"
#include "optimisers/mte-compteur.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {

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
    std::string rapport;
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
        {"maximum length just above the reference size gives three-byte words", "abcd\nabcd\n", 5, 3, 2,
         ligne(3, 2, 2, "abc") + "Score total : 2\n", "abc\n"},
    };
    for (Cas const& c : cas) {
        // The host runs a search only on parameters the check lets through.
        EXPECT_FALSE(MTE::verifier(c.nombre, c.taille_max, c.taille_rom).has_value()) << c.nom;
        MTE::Recherche const r = MTE::optimiser(c.script, c.nombre, c.taille_max, c.taille_rom);
        EXPECT_EQ(formater(r.rapports), c.rapport) << c.nom;
        EXPECT_EQ(r.resultat, c.mots) << c.nom;
    }
}

TEST(OptimiseurMTE, BadParametersAreRefusedWithTheFirstFailedCheck) {
    struct Refus {
        short nombre;
        short taille_max;
        int taille_rom;
        std::string message;
    } const cas[] = {
        {0, 12, 2, "Erreur, le nombre de MTE indiqué est incorrect\n"},
        {-4, 12, 2, "Erreur, le nombre de MTE indiqué est incorrect\n"},
        {5, 2, 2, "Erreur, la taille maximale d'une MTE doit être supérieure à 2\n"},
        {5, 1, 1, "Erreur, la taille maximale d'une MTE doit être supérieure à 1\n"},
        {5, 12, 3, "Erreur, la taille de la mte dans la rom doit être 1 ou 2\n"},
        {5, 12, 0, "Erreur, la taille de la mte dans la rom doit être 1 ou 2\n"},
        // Several faults at once: the reference size is checked first, then the count.
        {0, 1, 3, "Erreur, la taille de la mte dans la rom doit être 1 ou 2\n"},
        {0, 2, 2, "Erreur, le nombre de MTE indiqué est incorrect\n"},
    };
    for (Refus const& c : cas) {
        std::optional<Rapport> const refus = MTE::verifier(c.nombre, c.taille_max, c.taille_rom);
        ASSERT_TRUE(refus.has_value()) << c.message;
        EXPECT_EQ(formater(*refus), c.message);
    }
}

TEST(OptimiseurMTEFindMTE, EmptyTextSetsTheCountToZero) {
    MTE::Recherche recherche;
    std::string texte;
    short restants = 7;
    MTE::FindMTE(texte, recherche, restants, 12, 2);
    EXPECT_EQ(formater(recherche.rapports), "Empty text.\n");
    EXPECT_EQ(recherche.resultat, "");
    EXPECT_EQ(restants, 0);
}

TEST(OptimiseurMTEFindMTE, ChosenWordsLeaveTheTextAndTheCountGoesDown) {
    MTE::Recherche recherche;
    std::string texte = "then\nthen\nother\n";
    MTE::Clean(texte);
    short restants = 1;
    MTE::FindMTE(texte, recherche, restants, 4, 2);
    EXPECT_EQ(restants, 0);
    EXPECT_EQ(recherche.resultat, "then\n");
    EXPECT_EQ(formater(recherche.rapports), ligne(4, 2, 4, "then") + "Score total : 4\n");
    EXPECT_EQ(texte, "other\n");
}

}  // namespace

// The counter holds only the candidates above a threshold; with room for a handful, it walks
// the text again whenever the best held falls below it, in the middle of a pass too. The words,
// counts and scores must be those of a counter that holds them all, on texts where both take
// many passes, and the text left must be the same.
TEST(OptimiseurMTE, ACounterHoldingFewCandidatesFindsWhatOneHoldingAllFinds) {
    auto chercher = [](std::string texte, std::size_t part, int taille_max, int taille_rom) {
        MTE::Clean(texte);
        MTE::Compteur compteur(texte, taille_max, taille_rom, part);
        std::string trace;
        for (int passe = 0; passe < 40; ++passe) {
            compteur.nouvelle_passe();
            std::vector<std::string> choisis;
            MTE::word_t mot;
            while (choisis.size() < 3 && compteur.meilleur(mot)) {
                bool conflit = false;
                for (std::string const& pris : choisis) conflit = conflit || MTE::IsConflict(mot.texte, pris);
                if (conflit) {
                    compteur.remettre();
                    break;
                }
                choisis.push_back(mot.texte);
                trace += mot.texte + "/" + std::to_string(mot.apparitions) + "/" + std::to_string(mot.score) + " ";
            }
            if (choisis.empty()) break;
            for (std::string const& pris : choisis) compteur.retirer(pris);
            trace += "| ";
        }
        return trace + compteur.texte_restant();
    };
    char const* const syllabes[] = {"ab", "ra", "ca", "da", "bra", " ", "a", "\n", "<0C>", "cad"};
    std::uint32_t alea = 12345;
    for (int cas = 0; cas < 40; ++cas) {
        std::string texte;
        for (int k = 0; k < 400; ++k) {
            alea = alea * 1103515245u + 12345u;
            texte += syllabes[(alea >> 16) % 10];
        }
        int const taille_rom = 1 + cas % 2;
        int const taille_max = taille_rom + 2 + cas % 6;
        std::string const tous = chercher(texte, std::size_t{1} << 30, taille_max, taille_rom);
        for (std::size_t part : {1u, 7u, 60u})
            EXPECT_EQ(chercher(texte, part, taille_max, taille_rom), tous) << "case " << cas << ", room for " << part;
    }
}
