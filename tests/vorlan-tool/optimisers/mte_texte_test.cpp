#include <gtest/gtest.h>

#include <string>

#include "optimisers/mte.h"

namespace {

struct Nettoyage {
    char const* nom;
    std::string texte;
    std::string propre;
};

TEST(OptimiseurMTEClean, KeepsRunsOfThreeTextBytesEachOnALine) {
    Nettoyage const cas[] = {
        {"a tag between two runs", "abc\n<PT0001>\ndef", "abc\ndef\n"},
        {"a tag right after a run", "abc<PT0001>def", "abc\ndef\n"},
        {"short runs vanish", "ab\ncd<0A>ef\tgh", ""},
        {"control bytes end a run", "abcd\x01xyz\twxyz", "abcd\nxyz\nwxyz\n"},
        {"the space and '>' are text", "a b>c d", "a b>c d\n"},
        {"bytes above 0x7F are text", "\xe9t\xe9", "\xe9t\xe9\n"},
        {"a run at the very end gains its line end", "abc", "abc\n"},
        {"an open tag runs to the end of the text", "abcdef<ghijkl", "abcdef\n"},
        {"fewer than three bytes", "ab", ""},
        {"nothing", "", ""},
        {"a NUL byte is a control byte", std::string("abc\0def", 7), "abc\ndef\n"},
    };
    for (Nettoyage const& c : cas) {
        std::string texte = c.texte;
        MTE::Clean(texte);
        EXPECT_EQ(texte, c.propre) << c.nom;
    }
}

struct Retrait {
    char const* nom;
    std::string texte;
    std::string mot;
    std::string reste;
};

TEST(OptimiseurMTECleanWord, RemovesEveryOccurrenceLeftToRightThenCleans) {
    Retrait const cas[] = {
        {"pieces become lines, short ones vanish", "the cat then\nother\n", "the", " cat \n"},
        {"occurrences never overlap", "aaaaaaa\n", "aa", ""},
        {"the rest after non-overlapping matches stays", "aaaaabcd\n", "aa", "abcd\n"},
        {"a word absent leaves the text as it was", "abcd\n", "xyz", "abcd\n"},
        {"an empty word only cleans", "ab\nabcd", "", "abcd\n"},
    };
    for (Retrait const& c : cas) {
        std::string texte = c.texte;
        MTE::CleanWord(texte, c.mot);
        EXPECT_EQ(texte, c.reste) << c.nom;
    }
}

struct Conflit {
    char const* a;
    char const* b;
    bool conflit;
};

TEST(OptimiseurMTEIsConflict, WordsConflictWhenTheyCanOverlap) {
    Conflit const cas[] = {
        {"abc", "bcd", true},   // the end of one starts the other
        {"bcd", "abc", true},   // either way round
        {"the", "then", true},  // one starts the other
        {"hen", "then", true},  // one ends the other
        {"the", "other", true}, // one inside the other
        {"abc", "cab", true},   // one byte of overlap
        {"bca", "abc", true},
        {"abcd", "xbcx", false},  // a shared middle is no overlap
        {"abc", "xyz", false},
        {"ab", "ba", true},
    };
    for (Conflit const& c : cas) {
        EXPECT_EQ(MTE::IsConflict(c.a, c.b), c.conflit) << c.a << " / " << c.b;
        EXPECT_EQ(MTE::IsConflict(c.b, c.a), c.conflit) << c.b << " / " << c.a;
    }
}

TEST(OptimiseurMTEWord, SortingPutsTheHighestScoreFirst) {
    MTE::word_t faible{"abc", 1, 1}, fort{"xyz", 2, 5};
    EXPECT_TRUE(fort < faible);
    EXPECT_FALSE(faible < fort);
    EXPECT_FALSE(faible < faible);
}

}  // namespace
