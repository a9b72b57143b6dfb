#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

#include <string>
#include <vector>

#include "dossier_extraction.h"
#include "extraction/extracteur.h"
#include "support/capture.h"

namespace {

char const* const table_standard = "41=A\n42=B\n43=C\n4142=<AB>\n0A01=\\n\n25=%d\n";

// A pointer table of 2-byte big-endian entries.
std::string table_pointeurs(std::vector<int> const& valeurs) {
    std::string t;
    for (int v : valeurs) {
        t += static_cast<char>(v >> 8 & 0xFF);
        t += static_cast<char>(v & 0xFF);
    }
    return t;
}

TEST(Extraire, RefusesBadArgumentsWithTheFirstFailedCheck) {
    char const* const debut_apres_fin = "Erreur, le début du texte se situe après la fin du texte\n";
    char const* const hors_rom = "Erreur, l'emplacement du texte est situé hors de la rom\n";
    char const* const adresse = "Erreur, l'adresse du début des pointeurs se situe en dehors de la rom\n";
    char const* const negatif = "Erreur, le nombre de pointeurs est négatif\n";
    char const* const taille = "Erreur, la taille des pointeurs est incorrecte\n";
    struct Cas {
        int debut, fin, adresse, nombre, taille;
        char const* message;
    };
    Cas const cas[] = {
        {5, 4, 0, 0, 2, debut_apres_fin}, {5, 4, 99, -1, 1, debut_apres_fin},
        {17, 20, 0, 0, 2, hors_rom},      {0, 16, 0, 0, 2, hors_rom},  // the end byte must be in the ROM
        {15, 16, 0, 0, 2, hors_rom},      {-1, 3, 0, 0, 2, hors_rom},
        {0, 17, 99, -1, 1, hors_rom},     {0, 15, 17, 0, 2, adresse},
        {0, 15, -1, 0, 2, adresse},       {0, 15, 17, -1, 1, adresse},
        {0, 15, 0, -1, 2, negatif},       {0, 15, 0, -1, 5, negatif},
        {0, 15, 0, 0, 1, taille},         {0, 15, 0, 0, 5, taille},
    };
    for (Cas const& c : cas) {
        Dossier_extraction const dossier(std::string(16, 'C'), table_standard);
        auto const r = dossier.extraire(c.debut, c.fin, c.adresse, c.nombre, c.taille, "X", false);
        EXPECT_EQ(r.messages, c.message) << c.debut << " " << c.fin << " " << c.adresse;
        EXPECT_EQ(r.retour, 0);
        EXPECT_EQ(r.script, "(absent)");  // checked before the script is created
    }
}

TEST(Extraire, AcceptsEveryRangeInsideTheRom) {
    struct Cas {
        int debut, fin, adresse, nombre, taille;
        std::string script;
    };
    Cas const cas[] = {
        {0, 15, 16, 0, 2, std::string(16, 'C')},
        {3, 3, 0, 0, 2, "C"},
        {15, 15, 0, 0, 3, "C"},
        {0, 1, 16, 0, 4, "CC"},
    };
    for (Cas const& c : cas) {
        Dossier_extraction const dossier(std::string(16, 'C'), table_standard);
        auto const r = dossier.extraire(c.debut, c.fin, c.adresse, c.nombre, c.taille, "X", true);
        EXPECT_EQ(r.messages, "");
        EXPECT_EQ(r.retour, 1);
        EXPECT_EQ(r.script, c.script);
    }
}

TEST(Extraire, ReportsFilesThatCannotBeOpened) {
    Dossier_extraction const dossier("CC", table_standard);
    std::string const absent = dossier.path("absent");
    std::string const script_impossible = dossier.path("absent/script.txt");
    struct Cas {
        std::string rom, table, script, message;
    };
    Cas const cas[] = {
        {dossier.chemin_rom, absent, dossier.chemin_script, "Impossible d'ouvrir le fichier \"" + absent + "\"\n\n"},
        {absent, dossier.chemin_table, dossier.chemin_script, "fopen_error : Impossible d'ouvrir le fichier \"" + absent + "\"\n\n"},
        {dossier.chemin_rom, dossier.chemin_table, script_impossible,
         "fopen_error : Impossible d'ouvrir le fichier \"" + script_impossible + "\"\n\n"},
    };
    for (Cas const& c : cas) {
        int retour = -1;
        std::string const messages = test_support::capture_stdout([&] {
            retour = Extracteur::extraire(c.rom.c_str(), c.table.c_str(), c.script.c_str(), 0, 1, 0, 0, 2, "X", false);
        });
        EXPECT_EQ(messages, c.message);
        EXPECT_EQ(retour, 0);
        EXPECT_FALSE(dossier.exists("script.txt"));
    }
}

TEST(Extraire, DecodesByLongestMatchWithinTheRange) {
    struct Cas {
        std::string rom;
        int debut, fin;
        std::string script;
    };
    Cas const cas[] = {
        {"AB", 0, 1, "<AB>"},
        {"AB", 0, 0, "A"},  // the look-ahead stops at the end of the range
        {"ABA", 0, 2, "<AB>A"},
        {"CAB", 1, 2, "<AB>"},
        {"\xFF\x0A", 0, 1, "<FF><0A>"},
        {"\x0A\x01\x25\x0A", 0, 3, "\n%d<0A>"},
        {"\xC0\x80", 0, 1, "<C0><80>"},
    };
    for (Cas const& c : cas) {
        Dossier_extraction const dossier(c.rom, table_standard);
        auto const r = dossier.extraire(c.debut, c.fin, 0, 0, 2, "X", false);
        EXPECT_EQ(r.script, c.script);
        EXPECT_EQ(r.messages, "");
        EXPECT_EQ(r.retour, 1);
    }
}

TEST(Extraire, WithoutAnyTableEntryEveryByteIsUnknown) {
    Dossier_extraction const dossier("AB\x01", "");
    EXPECT_EQ(dossier.extraire(0, 2, 0, 0, 2, "X", false).script, "<41><42><01>");
}

TEST(Extraire, TagsThePositionsThatPointersDesignate) {
    struct Cas {
        char const* nom;
        std::string texte;
        int debut, fin;
        std::vector<int> pointeurs;
        std::string script;
    };
    Cas const cas[] = {
        {"equal values", "CCC", 0, 2, {1, 1}, "C<PT0002>\n<PT0001>\nCC"},
        {"heap order", "CCC", 0, 2, {2, 1, 2, 1}, "C<PT0004>\n<PT0002>\nC<PT0003>\n<PT0001>\nC"},
        {"inside an entry", "CABC", 0, 3, {2, 3, 1}, "C<PT0003>\n<AB><PT0002>\nC"},
        {"outside the range", "CCCC", 1, 2, {0, 1, 3, 2}, "<PT0002>\nC<PT0004>\nC"},
        {"last entry", "CAB", 0, 2, {2}, "C<AB>"},
        {"start", "CC", 0, 1, {0, 0}, "<PT0002>\n<PT0001>\nCC"},
    };
    for (Cas const& c : cas) {
        int const adresse = static_cast<int>(c.texte.size());
        Dossier_extraction const dossier(c.texte + table_pointeurs(c.pointeurs), table_standard);
        auto const r = dossier.extraire(c.debut, c.fin, adresse, static_cast<int>(c.pointeurs.size()), 2, "X", false);
        EXPECT_EQ(r.script, c.script) << c.nom;
        EXPECT_EQ(r.messages, "") << c.nom;
        EXPECT_EQ(r.retour, 1);
    }
}

TEST(Extraire, ReadsPointersWithTheirSizeOrderAndFormula) {
    struct Cas {
        std::string table;
        int taille;
        bool ordre;
        char const* formule;
    };
    Cas const cas[] = {
        {"\x80\x01", 2, false, "X-$8000"},
        {"\x01\x80", 2, true, "X-$8000"},
        {std::string("\xC0\x00\x01", 3), 3, false, "X-$C00000"},
        {std::string("\x01\x00\xC0", 3), 3, true, "X-$C00000"},
        {std::string("\x01\x00\x00\x00", 4), 4, true, "X"},
        {std::string("\x00\x00\x00\x01", 4), 4, false, "X"},
    };
    for (Cas const& c : cas) {
        Dossier_extraction const dossier("CC" + c.table, table_standard);
        auto const r = dossier.extraire(0, 1, 2, 1, c.taille, c.formule, c.ordre);
        EXPECT_EQ(r.script, "C<PT0001>\nC") << c.formule << " " << c.taille << " " << c.ordre;
    }
}

TEST(Extraire, PadsTagNumbersToFourDigits) {
    // 12345 pointers past the range, but for number 7 (to offset 0) and 12345 (to offset 1).
    std::vector<int> valeurs(12345, 5);
    valeurs[6] = 0;
    valeurs[12344] = 1;
    Dossier_extraction const dossier("CA" + table_pointeurs(valeurs), table_standard);
    auto const r = dossier.extraire(0, 1, 2, 12345, 2, "X", false);
    EXPECT_EQ(r.script, "<PT0007>\nC<PT12345>\nA");
}

TEST(Extraire, ComparesOnlyThePointerSizesLowBits) {
    std::string rom(0x18124, 'C');
    rom[0x18123] = 'A';
    rom.replace(0, 5, std::string("\x23\x81\x23\x81\x00", 5));
    Dossier_extraction const dossier(rom, table_standard);
    // 2 bytes: 0x8123 and offset 0x18123 both truncate to 0x8123.
    EXPECT_EQ(dossier.extraire(0x18123, 0x18123, 0, 1, 2, "X", true).script, "<PT0001>\nA");
    // 3 bytes: 0x8123 lies before the range.
    EXPECT_EQ(dossier.extraire(0x18123, 0x18123, 2, 1, 3, "X", true).script, "A");
}

TEST(Extraire, FormulaErrorPointsAtTheStartOfTheRom) {
    Dossier_extraction const dossier(std::string("CA\x00\x05\x00\x01", 6), table_standard);
    auto const r = dossier.extraire(0, 1, 2, 2, 2, "X-$10", false);
    EXPECT_EQ(r.messages, "math_error : Le résultat va être négatif, calcul arrêté.\n"
                          "math_error : Le résultat va être négatif, calcul arrêté.\n");
    EXPECT_EQ(r.script, "<PT0002>\n<PT0001>\nCA");
    EXPECT_EQ(r.retour, 1);
    EXPECT_EQ(dossier.extraire(1, 1, 2, 2, 2, "X-$10", false).script, "A");
}

// A pointer entry that runs past the end of the ROM is not read: it gets no tag, and a
// warning says so. Read as if the missing byte were 0xFF, it would designate offset 0xFF.
TEST(Extraire, PointerEntriesPastTheEndOfTheRomGetNoTag) {
    std::string rom(256, 'C');
    rom += '\0';
    Dossier_extraction const dossier(rom, table_standard);
    auto const r = dossier.extraire(0, 255, 256, 1, 2, "X", false);
    EXPECT_EQ(r.messages, "Attention, le pointeur numéro 1 est situé hors de la rom, il ne sera pas repéré\n");
    EXPECT_EQ(r.script, std::string(256, 'C'));
    EXPECT_EQ(r.retour, 1);

    Dossier_extraction const partiel("CA" + table_pointeurs({1, 0}) + '\x00', table_standard);
    auto const r2 = partiel.extraire(0, 1, 2, 4, 2, "X", false);
    EXPECT_EQ(r2.messages,
              "Attention, les pointeurs numéros 3 à 4 sont situés hors de la rom, ils ne seront pas repérés\n");
    EXPECT_EQ(r2.script, "<PT0002>\nC<PT0001>\nA");
}

// The file size limit stands for a full disk: the script file takes only part of the text.
TEST(Extraire, ReportsAScriptThatCannotBeWritten) {
    Dossier_extraction const dossier(std::string(100000, 'C'), table_standard);
    rlimit ancienne{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &ancienne), 0);
    auto const ancien_signal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limite = ancienne;
    limite.rlim_cur = 50000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limite), 0);
    int retour = -1;
    std::string const messages = test_support::capture_stdout([&] {
        retour = Extracteur::extraire(dossier.chemin_rom.c_str(), dossier.chemin_table.c_str(), dossier.chemin_script.c_str(), 0,
                                      99999, 0, 0, 2, "X", false);
    });
    setrlimit(RLIMIT_FSIZE, &ancienne);
    std::signal(SIGXFSZ, ancien_signal);
    EXPECT_EQ(messages, "Erreur, impossible d'écrire dans le fichier \"" + dossier.chemin_script + "\"\n");
    EXPECT_EQ(retour, 0);
}

}  // namespace
