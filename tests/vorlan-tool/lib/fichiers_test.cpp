#include "lib/fichiers.h"

#include <gtest/gtest.h>

#include <string>

#include "lib/erreur.h"
#include "support/capture.h"
#include "support/scratch.h"

namespace {

using test_support::Scratch;

std::string message_position(std::string const& nom)
{
    return "fseek_error : Impossible d'atteindre la position demandée dans le fichier \"" + nom + "\"\n";
}

TEST(Fichier, OpenFailureThrowsAndStaysClosed)
{
    Scratch dossier;
    std::string const nom = dossier.path("absent 100%s.smc");
    Fichier f;
    try {
        f.open(nom.c_str(), "rb");
        FAIL() << "no error";
    } catch (fopen_error e) {
        EXPECT_EQ(std::string(e.read_error()), "fopen_error : Impossible d'ouvrir le fichier \"" + nom + "\"\n");
    }
    EXPECT_FALSE(f.is_open());
    EXPECT_THROW(Fichier(nom.c_str(), "rb"), fopen_error);
}

TEST(Fichier, FailedReopenLeavesTheObjectClosed)
{
    Scratch dossier;
    dossier.write("a.bin", "abc");
    Fichier f(dossier.path("a.bin").c_str(), "rb");
    ASSERT_TRUE(f.is_open());
    EXPECT_THROW(f.open(dossier.path("absent").c_str(), "rb"), fopen_error);
    EXPECT_FALSE(f.is_open());
    EXPECT_EQ(f.get(), EOF);

    // Failing to reopen through its own name: the message still names the file, whose name
    // the attempt released.
    f.open(dossier.path("a.bin").c_str(), "rb");
    std::remove(dossier.path("a.bin").c_str());
    try {
        f.open(f.name(), "rb");
        FAIL() << "no error";
    } catch (fopen_error e) {
        EXPECT_EQ(std::string(e.read_error()),
                  "fopen_error : Impossible d'ouvrir le fichier \"" + dossier.path("a.bin") + "\"\n");
    }
    EXPECT_FALSE(f.is_open());
}

TEST(Fichier, AFolderIsNoFile)
{
    Scratch dossier;
    Fichier f;
    EXPECT_THROW(f.open(dossier.dir().c_str(), "rb"), fopen_error);
    EXPECT_FALSE(f.is_open());
}

TEST(Fichier, OpenMeasuresSizeAndStartsAtZero)
{
    Scratch dossier;
    dossier.write("b.bin", "0123456789");
    Fichier f(dossier.path("b.bin").c_str(), "rb");
    EXPECT_EQ(f.size(), 10);
    EXPECT_EQ(f.tell(), 0);
    EXPECT_STREQ(f.name(), dossier.path("b.bin").c_str());
    EXPECT_EQ(f.get(), '0');

    // Reopening another file replaces everything.
    dossier.write("c.bin", "xy");
    f.open(dossier.path("c.bin").c_str(), "rb");
    EXPECT_EQ(f.size(), 2);
    EXPECT_EQ(f.get(), 'x');
    // Reopening through the object's own name, in another mode.
    f.open(f.name(), "rb+");
    EXPECT_STREQ(f.name(), dossier.path("c.bin").c_str());
    EXPECT_EQ(f.size(), 2);
    f.close();
    EXPECT_FALSE(f.is_open());
    EXPECT_TRUE(f.eof());
    EXPECT_EQ(f.get(), EOF);
    f.close();
}

TEST(Fichier, SeekChecksTheTargetAgainstTheStoredSize)
{
    Scratch dossier;
    dossier.write("rom.bin", "0123456789");
    std::string const nom = dossier.path("rom.bin");
    Fichier f(nom.c_str(), "rb");

    struct Cas {
        int depart;
        int offset;
        int origine;
        long attendu;  // -1: the position message
    };
    Cas const cas[] = {
        {0, 10, 0, 10}, {0, 0, 0, 0},   {0, 11, 0, -1}, {0, -1, 0, -1}, {0, -4, 2, 6},
        {0, 0, 2, 10},  {0, 1, 2, -1},  {0, -11, 2, -1}, {4, 3, 1, 7},  {4, -4, 1, 0},
        {4, -5, 1, -1}, {4, 7, 1, -1},
    };
    for (Cas const& c : cas) {
        SCOPED_TRACE(std::to_string(c.offset) + " from origin " + std::to_string(c.origine));
        f.seek(c.depart, 0);
        if (c.attendu >= 0) {
            EXPECT_EQ(f.seek(c.offset, c.origine), 0);
            EXPECT_EQ(f.tell(), c.attendu);
        } else {
            try {
                f.seek(c.offset, c.origine);
                ADD_FAILURE() << "no error";
            } catch (fseek_error e) {
                EXPECT_EQ(std::string(e.read_error()), message_position(nom));
            }
            EXPECT_EQ(f.tell(), c.depart);
        }
    }
}

TEST(Fichier, SeekRejectsAnUnknownOrigin)
{
    Scratch dossier;
    dossier.write("rom.bin", "0123456789");
    std::string const nom = dossier.path("rom.bin");
    Fichier f(nom.c_str(), "rb");
    f.seek(3, 0);
    try {
        f.seek(0, 5);
        FAIL() << "no error";
    } catch (fseek_error e) {
        EXPECT_STREQ(e.read_error(), "fseek_error : La position d'origine est incorrecte\n");
    }
    EXPECT_EQ(f.tell(), 3);
    // The range is checked first, from the current position.
    try {
        f.seek(8, 7);
        FAIL() << "no error";
    } catch (fseek_error e) {
        EXPECT_EQ(std::string(e.read_error()), message_position(nom));
    }
}

TEST(Fichier, EofUsesTheSizeMeasuredAtOpen)
{
    Scratch dossier;
    dossier.write("rom.bin", "0123");
    Fichier f(dossier.path("rom.bin").c_str(), "rb+");
    EXPECT_FALSE(f.eof());
    f.seek(4, 0);
    EXPECT_TRUE(f.eof());
    EXPECT_EQ(f.write("ABCD", 1, 4), 4);
    EXPECT_EQ(f.size(), 4);
    EXPECT_TRUE(f.eof());
    f.seek(2, 0);
    EXPECT_FALSE(f.eof());
    EXPECT_THROW(f.seek(5, 0), fseek_error);
    f.close();
    EXPECT_EQ(dossier.read("rom.bin"), "0123ABCD");
}

TEST(Fichier, ReadsAndWritesBytes)
{
    Scratch dossier;
    {
        Fichier f(dossier.path("sortie.txt").c_str(), "w");
        f << 'a' << "b%sc\xE9";
        EXPECT_EQ(f.put('\n'), '\n');
        EXPECT_GT(f.print("<PT%04d>\n", 12), 0);
        unsigned char octets[] = {0x00, 0xFF};
        EXPECT_EQ(f.write(octets, 1, 2), 2);
    }
    EXPECT_EQ(dossier.read("sortie.txt"), std::string("ab%sc\xE9\n<PT0012>\n\x00\xFF", 18));

    Fichier f(dossier.path("sortie.txt").c_str(), "rb");
    char c;
    f >> c;
    EXPECT_EQ(c, 'a');
    char tampon[4];
    EXPECT_EQ(f.read(tampon, 2, 2), 2);
    EXPECT_EQ(std::string(tampon, 4), "b%sc");
    f.seek(-1, 2);
    EXPECT_EQ(f.get(), 0xFF);
    EXPECT_EQ(f.get(), EOF);
    f >> c;
    EXPECT_EQ(static_cast<unsigned char>(c), 0xFF);
    EXPECT_EQ(f.read(tampon, 1, 4), 0);
}

struct CasCharger {
    char const* nom;
    std::string octets;
    int format;
    std::string texte;
};

TEST(Fichiers, ChargerNormalisesLineEndsByConvention)
{
    CasCharger const cas[] = {
        {"vide", "", Fichiers::SANS_FIN_DE_LIGNE, ""},
        {"sans fin de ligne", "abc", Fichiers::SANS_FIN_DE_LIGNE, "abc"},
        {"CR LF", "a\r\nb\r\n", Fichiers::CR_LF, "a\nb\n"},
        {"CR seul", "a\rb\r", Fichiers::CR, "a\nb\n"},
        {"LF garde ses CR", "a\nb\r\n", Fichiers::LF, "a\nb\r\n"},
        {"CR final seul", "ab\r", Fichiers::LF, "ab\r"},
        {"CR CR LF", "a\r\nb\r\r\nc", Fichiers::CR_LF, "a\nb\r\nc"},
        {"CR puis CR", "a\r\r\nb", Fichiers::CR, "a\n\n\nb"},
        {"CR suivi d'un octet", "a\r\nb\rc", Fichiers::CR_LF, "a\nbc"},
        {"CR final d'un fichier CR LF", "a\r\nb\r", Fichiers::CR_LF, "a\nb"},
        {"octets nuls", std::string("a\0b\r\n\xFF", 6), Fichiers::CR_LF, std::string("a\0b\n\xFF", 5)},
    };
    Scratch dossier;
    for (CasCharger const& c : cas) {
        SCOPED_TRACE(c.nom);
        dossier.write("texte.txt", c.octets);
        Fichier f(dossier.path("texte.txt").c_str(), "rb");
        EXPECT_EQ(Fichiers::analyser_format(f), c.format);
        std::string const texte = Fichiers::charger(f);
        EXPECT_EQ(texte, c.texte);
        EXPECT_EQ(texte.c_str()[texte.size()], '\0');
    }
}

TEST(Fichiers, AnalyserFormatAndChargerStartFromTheBeginning)
{
    Scratch dossier;
    dossier.write("texte.txt", "ab\r\ncd");
    Fichier f(dossier.path("texte.txt").c_str(), "rb");
    f.seek(5, 0);
    EXPECT_EQ(Fichiers::analyser_format(f), Fichiers::CR_LF);
    EXPECT_EQ(f.tell(), 5);
    EXPECT_EQ(Fichiers::charger(f), "ab\ncd");
}

TEST(Fichiers, ChargerByNameReadsTheWholeTextOrSaysNothing)
{
    Scratch s;
    s.write("texte.txt", "a\r\nb\r\n");
    std::string texte = "avant";
    EXPECT_TRUE(Fichiers::charger(s.path("texte.txt").c_str(), texte));
    EXPECT_EQ(texte, "a\nb\n");
    texte = "avant";
    std::string const sortie = test_support::capture_stdout([&] {
        EXPECT_FALSE(Fichiers::charger(s.path("absent.txt").c_str(), texte));
        EXPECT_FALSE(Fichiers::charger(s.dir().c_str(), texte));
    });
    EXPECT_EQ(sortie, "");
    EXPECT_EQ(texte, "avant");
}

TEST(Fichier, EssayerOuvrirRefusesWhatOpenRefusesWithoutThrowing)
{
    Scratch s;
    s.write("texte.txt", "abc");
    Fichier f;
    EXPECT_FALSE(f.essayer_ouvrir(s.dir().c_str(), "w"));
    EXPECT_FALSE(f.is_open());
    EXPECT_FALSE(f.essayer_ouvrir(s.path("absent.txt").c_str(), "rb"));
    EXPECT_FALSE(f.essayer_ouvrir(nullptr, "rb"));
    EXPECT_TRUE(f.essayer_ouvrir(s.path("texte.txt").c_str(), "rb"));
    EXPECT_EQ(f.size(), 3);
    // Reopening through its own name is safe, and a failed attempt leaves it closed.
    EXPECT_TRUE(f.essayer_ouvrir(f.name(), "rb"));
    EXPECT_EQ(f.size(), 3);
    EXPECT_FALSE(f.essayer_ouvrir(s.dir().c_str(), "rb"));
    EXPECT_FALSE(f.is_open());
    EXPECT_TRUE(f.essayer_ouvrir(s.path("nouveau.txt").c_str(), "w"));
    EXPECT_TRUE(f.is_open());
}

TEST(Fichiers, NombreLignesCountsLineFeedsAndKeepsThePosition)
{
    struct Cas {
        std::string octets;
        int lignes;
    };
    Cas const cas[] = {{"", 1}, {"ab", 1}, {"a\nb\n", 3}, {"a\r\nb", 2}, {"a\rb\r", 1}};
    Scratch dossier;
    for (Cas const& c : cas) {
        dossier.write("texte.txt", c.octets);
        Fichier f(dossier.path("texte.txt").c_str(), "rb");
        if (f.size() > 0)
            f.seek(1, 0);
        EXPECT_EQ(Fichiers::nombre_lignes(f), c.lignes) << c.octets;
        EXPECT_EQ(f.tell(), f.size() > 0 ? 1 : 0);
    }
}

TEST(Fichiers, NombreLignesStopsAtTheStoredSize)
{
    Scratch dossier;
    dossier.write("texte.txt", "a\n");
    Fichier f(dossier.path("texte.txt").c_str(), "rb+");
    f.seek(0, 2);
    f << "b\nc\n";
    EXPECT_EQ(Fichiers::nombre_lignes(f), 2);
}

TEST(Fichiers, PrendreJusquAReadsOneField)
{
    Scratch dossier;
    dossier.write("champs.txt", "41=A\n\xE9=\n");
    Fichier f(dossier.path("champs.txt").c_str(), "rb");
    EXPECT_EQ(Fichiers::prendre_jusqu_a(f, '='), "41");
    EXPECT_EQ(f.tell(), 3);
    EXPECT_EQ(Fichiers::prendre_jusqu_a(f, '\n'), "A");
    EXPECT_EQ(Fichiers::prendre_jusqu_a(f, '='), "\xE9");
    EXPECT_EQ(Fichiers::prendre_jusqu_a(f, '='), "\n");
    EXPECT_TRUE(f.eof());
    EXPECT_EQ(Fichiers::prendre_jusqu_a(f, '='), "");

    dossier.write("long.txt", std::string(300, 'z'));
    Fichier g(dossier.path("long.txt").c_str(), "rb");
    EXPECT_EQ(Fichiers::prendre_jusqu_a(g, '='), std::string(256, 'z'));
    EXPECT_EQ(g.tell(), 256);
    EXPECT_EQ(Fichiers::prendre_jusqu_a(g, '='), std::string(44, 'z'));
}

TEST(Tableaux, InitialiserSetsTheFirstBytesToTheLowByte)
{
    char tableau[6] = {1, 2, 3, 4, 5, 6};
    Tableaux::initialiser(tableau, 0, 9);
    Tableaux::initialiser(tableau, -3, 9);
    EXPECT_EQ(std::string(tableau, 6), std::string("\1\2\3\4\5\6", 6));
    Tableaux::initialiser(tableau, 4, 0x1FF);
    EXPECT_EQ(std::string(tableau, 6), std::string("\xFF\xFF\xFF\xFF\5\6", 6));
}

}  // namespace
