#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "essai_extraction.h"
#include "extraction/extracteur.h"
#include "lib/rapport.h"

namespace {

using essai::pointeurs;

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

// An extraction of the ROM's bytes debut..fin through the standard table, with 2-byte
// big-endian pointers and the formula "X" unless told otherwise.
essai::Resultat extraire(std::string const& rom, int debut, int fin, int adresse = 0, int nombre = 0, int taille = 2,
                         char const* formule = "X", bool petit_boutiste = false) {
    return essai::extraire(rom, table_standard, debut, fin, pointeurs(adresse, nombre, taille, petit_boutiste), formule);
}

// The command layer creates the script only once these checks pass: a refused extraction
// leaves an earlier script alone.
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
        std::optional<Rapport> const refus =
            Extracteur::verifier(16, c.debut, c.fin, pointeurs(c.adresse, c.nombre, c.taille, false));
        ASSERT_TRUE(refus.has_value()) << c.debut << " " << c.fin << " " << c.adresse;
        EXPECT_EQ(formater(*refus), c.message) << c.debut << " " << c.fin << " " << c.adresse;
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
        std::optional<Rapport> const refus =
            Extracteur::verifier(16, c.debut, c.fin, pointeurs(c.adresse, c.nombre, c.taille, true));
        EXPECT_FALSE(refus.has_value()) << formater(*refus);
        essai::Resultat const r = extraire(std::string(16, 'C'), c.debut, c.fin, c.adresse, c.nombre, c.taille, "X", true);
        EXPECT_EQ(r.messages, "");
        EXPECT_TRUE(r.accepte);
        EXPECT_EQ(r.script, c.script);
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
        essai::Resultat const r = extraire(c.rom, c.debut, c.fin);
        EXPECT_EQ(r.script, c.script);
        EXPECT_EQ(r.messages, "");
        EXPECT_TRUE(r.accepte);
    }
}

TEST(Extraire, WithoutAnyTableEntryEveryByteIsUnknown) {
    essai::Resultat const r = essai::extraire("AB\x01", "", 0, 2, pointeurs(0, 0, 2, false), "X");
    EXPECT_EQ(r.script, "<41><42><01>");
    EXPECT_EQ(r.messages, "");
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
        essai::Resultat const r = extraire(c.texte + table_pointeurs(c.pointeurs), c.debut, c.fin, adresse,
                                           static_cast<int>(c.pointeurs.size()));
        EXPECT_EQ(r.script, c.script) << c.nom;
        EXPECT_EQ(r.messages, "") << c.nom;
        EXPECT_TRUE(r.accepte) << c.nom;
    }
}

TEST(Extraire, ReadsPointersWithTheirSizeOrderAndFormula) {
    struct Cas {
        std::string table;
        int taille;
        bool petit_boutiste;
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
        essai::Resultat const r = extraire("CC" + c.table, 0, 1, 2, 1, c.taille, c.formule, c.petit_boutiste);
        EXPECT_EQ(r.script, "C<PT0001>\nC") << c.formule << " " << c.taille << " " << c.petit_boutiste;
    }
}

TEST(Extraire, PadsTagNumbersToFourDigits) {
    // 12345 pointers past the range, but for number 7 (to offset 0) and 12345 (to offset 1).
    std::vector<int> valeurs(12345, 5);
    valeurs[6] = 0;
    valeurs[12344] = 1;
    essai::Resultat const r = extraire("CA" + table_pointeurs(valeurs), 0, 1, 2, 12345);
    EXPECT_EQ(r.script, "<PT0007>\nC<PT12345>\nA");
}

TEST(Extraire, ComparesOnlyThePointerSizesLowBits) {
    std::string rom(0x18124, 'C');
    rom[0x18123] = 'A';
    rom.replace(0, 5, std::string("\x23\x81\x23\x81\x00", 5));
    // 2 bytes: 0x8123 and offset 0x18123 both truncate to 0x8123.
    EXPECT_EQ(extraire(rom, 0x18123, 0x18123, 0, 1, 2, "X", true).script, "<PT0001>\nA");
    // 3 bytes: 0x8123 lies before the range.
    EXPECT_EQ(extraire(rom, 0x18123, 0x18123, 2, 1, 3, "X", true).script, "A");
}

TEST(Extraire, FormulaErrorPointsAtTheStartOfTheRom) {
    std::string const rom("CA\x00\x05\x00\x01", 6);
    essai::Resultat const r = extraire(rom, 0, 1, 2, 2, 2, "X-$10");
    EXPECT_EQ(r.messages, "math_error : Le résultat va être négatif, calcul arrêté.\n"
                          "math_error : Le résultat va être négatif, calcul arrêté.\n");
    EXPECT_EQ(r.script, "<PT0002>\n<PT0001>\nCA");
    EXPECT_TRUE(r.accepte);
    EXPECT_EQ(extraire(rom, 1, 1, 2, 2, 2, "X-$10").script, "A");
}

// A pointer entry that runs past the end of the ROM is not read: it gets no tag, and a
// warning says so. Read as if the missing byte were 0xFF, it would designate offset 0xFF.
TEST(Extraire, PointerEntriesPastTheEndOfTheRomGetNoTag) {
    std::string rom(256, 'C');
    rom += '\0';
    essai::Resultat const r = extraire(rom, 0, 255, 256, 1);
    EXPECT_EQ(r.messages, "Attention, le pointeur numéro 1 est situé hors de la rom, il ne sera pas repéré\n");
    EXPECT_EQ(r.script, std::string(256, 'C'));
    EXPECT_TRUE(r.accepte);

    essai::Resultat const r2 = extraire("CA" + table_pointeurs({1, 0}) + '\x00', 0, 1, 2, 4);
    EXPECT_EQ(r2.messages,
              "Attention, les pointeurs numéros 3 à 4 sont situés hors de la rom, ils ne seront pas repérés\n");
    EXPECT_EQ(r2.script, "<PT0002>\nC<PT0001>\nA");
}

}  // namespace
