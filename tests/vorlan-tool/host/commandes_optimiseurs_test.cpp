#include <gtest/gtest.h>

#include <string>

#include "support/scratch.h"
#include "support/vorlan.h"

namespace {

using test_support::run_script;
using test_support::Scratch;

// Each refused call prints its first failed check, calls nothing and lets the script go on.
TEST(CommandesOptimiseurs, ArgumentChecksPrintTheFirstFailure) {
    struct Cas {
        char const* appel;
        char const* message;
    };
    Cas const cas[] = {
        {"optimiser_dte('s.txt', 'r.txt')", "La fonction \"optimiser_dte\" a un nom d'argument incorrect\n"},
        {"optimiser_dte('s.txt', 'r.txt', 1, 2)", "La fonction \"optimiser_dte\" a un nom d'argument incorrect\n"},
        {"optimiser_dte(nil, {}, 'x')", "Erreur, l'argument 1 doit être une chaine\n"},
        {"optimiser_dte('s.txt', true, 'x')", "Erreur, l'argument 2 doit être une chaine\n"},
        {"optimiser_dte('s.txt', 'r.txt', 'x')", "Erreur, l'argument 3 doit être un nombre\n"},
        {"optimiser_mte('s.txt', 'r.txt', 5)", "La fonction \"optimiser_mte\" a un nom d'argument incorrect\n"},
        {"optimiser_mte('s.txt', 'r.txt', 5, 12, 2, 0)", "La fonction \"optimiser_mte\" a un nom d'argument incorrect\n"},
        {"optimiser_mte({}, 'r.txt', 5, 12)", "Erreur, l'argument 1 doit être une chaine\n"},
        {"optimiser_mte('s.txt', nil, 5, 12)", "Erreur, l'argument 2 doit être une chaine\n"},
        {"optimiser_mte('s.txt', 'r.txt', 'cinq', 12)", "Erreur, l'argument 3 doit être un nombre\n"},
        {"optimiser_mte('s.txt', 'r.txt', 5, {})", "Erreur, l'argument 4 doit être un nombre\n"},
        {"optimiser_mte('s.txt', 'r.txt', 5, 12, 'deux')", "Erreur, l'argument 5 doit être un nombre\n"},
        {"optimiser_mte('s.txt', 'r.txt', 5, 12, 3)", "Erreur, la taille de la mte dans la rom doit être 1 ou 2\n"},
        {"optimiser_mte('s.txt', 'r.txt', 5, 12, 0)", "Erreur, la taille de la mte dans la rom doit être 1 ou 2\n"},
    };
    for (Cas const& c : cas) {
        Scratch dossier;
        dossier.write("s.txt", "abcabc");
        auto r = run_script(dossier, std::string(c.appel) + "\nprint('suite')\n");
        EXPECT_EQ(r.out, std::string(c.message) + "suite\n") << c.appel;
        EXPECT_FALSE(dossier.exists("r.txt")) << c.appel;
    }
}

TEST(CommandesOptimiseurs, DteWritesThePairsBetweenItsFramingMessages) {
    Scratch dossier;
    dossier.write("script.txt", "abab\n<PT0001>\ncd");
    auto r = run_script(dossier, "print(optimiser_dte('script.txt', 'dte.txt', '2'))\n");
    EXPECT_EQ(r.out,
              "Optimisation DTE du fichier 'script.txt'\n"
              "DTE\tApparitions\n"
              "\"ab\"\t2\n"
              "\"cd\"\t1\n"
              "Score : 3\n"
              "Optimisation DTE terminée !\n\n"
              "\n");
    EXPECT_EQ(dossier.read("dte.txt"), "ab\ncd\n");
}

TEST(CommandesOptimiseurs, DteFailuresArePrintedInsideTheFraming) {
    Scratch dossier;
    auto r = run_script(dossier, "optimiser_dte('absent.txt', 'dte.txt', 4)\n");
    EXPECT_EQ(r.out,
              "Optimisation DTE du fichier 'absent.txt'\n"
              "Impossible d'ouvir le fichier \"absent.txt\"\n"
              "Optimisation DTE terminée !\n\n");
    EXPECT_FALSE(dossier.exists("dte.txt"));
}

TEST(CommandesOptimiseurs, MteUsesTwoByteReferencesUnlessTold) {
    struct Cas {
        char const* appel;
        char const* rapport;
        char const* mots;
    };
    Cas const cas[] = {
        {"optimiser_mte('script.txt', 'mte.txt', 1, 3)",
         "Taille mte : 2\n"
         "Taille :        3  Apparitions :        2  Score :        2   \"abc\"\n"
         "Score total : 2\n",
         "abc\n"},
        {"optimiser_mte('script.txt', 'mte.txt', 1, 3, 1)",
         "Taille mte : 1\n"
         "Taille :        3  Apparitions :        2  Score :        4   \"abc\"\n"
         "Score total : 4\n",
         "abc\n"},
    };
    for (Cas const& c : cas) {
        Scratch dossier;
        dossier.write("script.txt", "<PT0001>\nabcd\n<PT0002>\nabc");
        auto r = run_script(dossier, std::string(c.appel) + "\n");
        EXPECT_EQ(r.out, std::string("Optimisation DTE du fichier 'script.txt'\n") + c.rapport +
                             "Optimisation DTE terminée !\n\n")
            << c.appel;
        EXPECT_EQ(dossier.read("mte.txt"), c.mots) << c.appel;
    }
}

// The count and the maximum length reach the operation as their low 16 bits, read as signed.
TEST(CommandesOptimiseurs, MteCountAndLengthAreNarrowedTo16Bits) {
    struct Cas {
        char const* appel;
        char const* rapport;
        char const* mots;
    };
    Cas const cas[] = {
        {"optimiser_mte('script.txt', 'mte.txt', 70000, 3)",  // 4464 words asked: all there are
         "Taille mte : 2\n"
         "Taille :        3  Apparitions :        1  Score :        1   \"abc\"\n"
         "Taille :        3  Apparitions :        1  Score :        1   \"xyz\"\n"
         "Score total : 2\n",
         "abc\nxyz\n"},
        {"optimiser_mte('script.txt', 'mte.txt', 65537, 3)",  // 1 word
         "Taille mte : 2\n"
         "Taille :        3  Apparitions :        1  Score :        1   \"abc\"\n"
         "Score total : 1\n",
         "abc\n"},
        {"optimiser_mte('script.txt', 'mte.txt', 4294967297, 3)",  // 2^32 + 1 wraps to 1 word
         "Taille mte : 2\n"
         "Taille :        3  Apparitions :        1  Score :        1   \"abc\"\n"
         "Score total : 1\n",
         "abc\n"},
        {"optimiser_mte('script.txt', 'mte.txt', 65536, 3)", "Taille mte : 2\nErreur, le nombre de MTE indiqué est incorrect\n",
         nullptr},
        {"optimiser_mte('script.txt', 'mte.txt', 98304, 3)",  // -32768
         "Taille mte : 2\nErreur, le nombre de MTE indiqué est incorrect\n", nullptr},
        {"optimiser_mte('script.txt', 'mte.txt', 1, 65538)",  // 2, not above the reference size
         "Taille mte : 2\nErreur, la taille maximale d'une MTE doit être supérieure à 2\n", nullptr},
        {"optimiser_mte('script.txt', 'mte.txt', 1, 65539)",  // 3
         "Taille mte : 2\n"
         "Taille :        3  Apparitions :        1  Score :        1   \"abc\"\n"
         "Score total : 1\n",
         "abc\n"},
    };
    for (Cas const& c : cas) {
        Scratch dossier;
        dossier.write("script.txt", "abc\nxyz\n");
        auto r = run_script(dossier, std::string(c.appel) + "\n");
        EXPECT_EQ(r.out, std::string("Optimisation DTE du fichier 'script.txt'\n") + c.rapport +
                             "Optimisation DTE terminée !\n\n")
            << c.appel;
        if (c.mots == nullptr)
            EXPECT_FALSE(dossier.exists("mte.txt")) << c.appel;
        else
            EXPECT_EQ(dossier.read("mte.txt"), c.mots) << c.appel;
    }
}

TEST(CommandesOptimiseurs, MteFailuresArePrintedInsideTheFraming) {
    Scratch dossier;
    dossier.write("script.txt", "abcabc");
    auto r = run_script(dossier, "optimiser_mte('absent.txt', 'mte.txt', 4, 8)\noptimiser_mte('script.txt', 'x/mte.txt', 4, 8)\n");
    EXPECT_EQ(r.out,
              "Optimisation DTE du fichier 'absent.txt'\n"
              "Taille mte : 2\n"
              "Impossible d'ouvrir le fichier \"absent.txt\"\n"
              "Optimisation DTE terminée !\n\n"
              "Optimisation DTE du fichier 'script.txt'\n"
              "Taille mte : 2\n"
              "fopen_error : Impossible d'ouvrir le fichier \"x/mte.txt\"\n"
              "Optimisation DTE terminée !\n\n");
    EXPECT_FALSE(dossier.exists("mte.txt"));
}

}  // namespace
