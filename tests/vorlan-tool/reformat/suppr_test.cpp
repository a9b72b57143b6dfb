#include "reformat/suppr.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Resultat {
    std::string rapport;
    std::string script;
};

Resultat supprimer(std::string const& script, std::string const& liste) {
    Suppr_mots::Suppression const s = Suppr_mots::supprimer(script, Suppr_mots::lire_liste(liste));
    return {formater(s.rapports), s.texte};
}

std::string ligne(char const* mot_aligne, int taille, int apparitions) {
    return "Mot : " + std::string(mot_aligne) + "   Taille : " + (taille < 10 ? " " : "") + std::to_string(taille) +
           "   Apparitions : " + std::to_string(apparitions) + "\n";
}

TEST(SupprimerMots, MarksEveryOccurrenceOutsideTags) {
    struct Cas {
        char const* nom;
        std::string script;
        std::string liste;
        std::string rapport;
        std::string attendu;
    } const cas[] = {
        {"inside longer words too", "<PT0001>\nle lettre\n", "le\n", ligne("        le", 2, 2),
         "<PT0001>\n<le> <le>ttre\n"},
        {"never inside a tag", "<PT0001>\nabc\n", "PT\nT\n", ligne("        PT", 2, 0) + ligne("         T", 1, 0),
         "<PT0001>\nabc\n"},
        {"never inside an earlier mark", "abc b", "abc\nb", ligne("       abc", 3, 1) + ligne("         b", 1, 1),
         "<abc> <b>"},
        {"no overlap", "aaaa", "aa\n", ligne("        aa", 2, 2), "<aa><aa>"},
        {"no overlap, odd length", "aaa", "aa\n", ligne("        aa", 2, 1), "<aa>a"},
        {"earlier word of the list wins", "abc", "ab\nbc\n", ligne("        ab", 2, 1) + ligne("        bc", 2, 0),
         "<ab>c"},
        {"never across a tag", "a<0A>b", "ab\n", ligne("        ab", 2, 0), "a<0A>b"},
        {"a word with < never matches", "x<le>", "<le\n", ligne("       <le", 3, 0), "x<le>"},
        {"unclosed tag masks to the end", "le<le", "le\n", ligne("        le", 2, 1), "<le><le"},
        {"case and spaces count", "Le le a b", "le\na b\n", ligne("        le", 2, 1) + ligne("       a b", 3, 1),
         "Le <le> <a b>"},
        {"twelve bytes printed in full", "motdedouzeok!", "motdedouzeok\n",
         ligne("motdedouzeok", 12, 1), "<motdedouzeok>!"},
        {"latin-1 bytes", "été", "té\n", ligne("        té", 2, 1), "é<té>"},
    };
    for (Cas const& c : cas) {
        Resultat const r = supprimer(c.script, c.liste);
        EXPECT_EQ(r.rapport, c.rapport) << c.nom;
        EXPECT_EQ(r.script, c.attendu) << c.nom;
    }
}

TEST(SupprimerMots, ReadsTheListOneWordPerLine) {
    struct Cas {
        char const* nom;
        std::string liste;
        std::string rapport;
    } const cas[] = {
        {"empty list", "", ""},
        {"last line without line end", "le\nb", ligne("        le", 2, 1) + ligne("         b", 1, 1)},
        {"final line end adds no word", "le\nb\n", ligne("        le", 2, 1) + ligne("         b", 1, 1)},
        {"CR before the line feed is part of the line end", "le\r\nb\r\n",
         ligne("        le", 2, 1) + ligne("         b", 1, 1)},
        {"empty word: reported, never searched", "le\n\nb\n",
         ligne("        le", 2, 1) + ligne("          ", 0, 0) + ligne("         b", 1, 1)},
        {"empty CR LF line", "\r\n", ligne("          ", 0, 0)},
        {"CR elsewhere belongs to the word", "l\re\n", ligne("       l\re", 3, 0)},
    };
    for (Cas const& c : cas) {
        Resultat const r = supprimer("<PT0001>\nle b\n", c.liste);
        EXPECT_EQ(r.rapport, c.rapport) << c.nom;
    }
    EXPECT_EQ(supprimer("<PT0001>\nle b\n", "le\r\nb\r\n").script, "<PT0001>\n<le> <b>\n");
}

TEST(SupprimerMots, LongLinesAreCutIntoWordsOf256Bytes) {
    std::string const x256(256, 'x');
    Resultat const exacte = supprimer(x256, x256 + "\r\n");
    EXPECT_EQ(exacte.rapport, "Mot : " + x256 + "   Taille : 256   Apparitions : 1\n");
    EXPECT_EQ(exacte.script, "<" + x256 + ">");

    Resultat const longue = supprimer("y" + std::string(300, 'x'), "y" + std::string(299, 'x') + "\n");
    EXPECT_EQ(longue.rapport, "Mot : y" + std::string(255, 'x') + "   Taille : 256   Apparitions : 1\n" +
                                  "Mot : " + std::string(44, 'x') + "   Taille : 44   Apparitions : 1\n");
    EXPECT_EQ(longue.script, "<y" + std::string(255, 'x') + "><" + std::string(44, 'x') + ">x");
}

TEST(SupprimerBalises, MasksEveryTagWithLineFeeds) {
    struct Cas {
        std::string texte;
        int longueur;
        std::string attendu;
    } const cas[] = {
        {"a<PT1>\nb", 8, "a\n\n\n\n\n\nb"},
        {"x<ab>y<z", 8, "x\n\n\n\ny\n\n"},
        {"a>b<", 4, "a>b\n"},
        // Only the given length is touched.
        {"ab<cd>", 4, "ab\n\nd>"},
        {"<", 0, "<"},
    };
    for (Cas const& c : cas) {
        std::string texte = c.texte;
        Suppr_mots::supprimer_balises(texte.data(), c.longueur);
        EXPECT_EQ(texte, c.attendu) << c.texte;
    }
}

TEST(Copier, CopiesTheGivenLength) {
    EXPECT_EQ(Suppr_mots::copier("abc", 2), "ab");
    EXPECT_EQ(Suppr_mots::copier("a\0b", 3), std::string("a\0b", 3));
    EXPECT_EQ(Suppr_mots::copier("abc", 0), "");
}

}  // namespace
