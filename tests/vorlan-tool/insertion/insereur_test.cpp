#include "insertion/insereur.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "lib/rapport.h"
#include "support/octets.h"

namespace {

using test_support::octets;

std::string const table_abc = "41=A\n42=B\n43=C\n";

struct Parametres {
    int debut;
    int fin;
    int adresse = 0;
    int nombre = 0;
    int taille = 2;
    char const* formule = "X";
    bool ordre = true;  // little-endian, as the script interface gives it
};

Table_pointeurs pointeurs(Parametres const& p) {
    return {p.adresse, p.nombre, p.taille, ordre_octets(p.ordre)};
}

struct Insertion {
    std::string sortie;                // what the command prints: the table's reports, then the insertion's
    std::optional<std::string> arret;  // the formula's message, when it stopped the insertion
    int fin_ecrite = -1;
    std::string rom;                   // the ROM after the command: the image, unless the formula stopped it
};

// Runs an insertion on a range that verifier accepts, as the command does after its checks.
Insertion inserer(std::string const& rom, std::string const& table, std::string const& script, Parametres p) {
    Insertion r;
    Insereur::Table_ins tbl;
    r.sortie = formater(tbl.charger(table));
    Calcul::Formule const formule(p.formule);
    if (auto refus = Insereur::verifier(static_cast<int>(rom.size()), p.debut, p.fin, pointeurs(p), formule)) {
        ADD_FAILURE() << "refused: " << formater(*refus);
        return r;
    }
    Insereur::Image_rom image(std::vector<unsigned char>(rom.begin(), rom.end()));
    Insereur::Insertion const insertion = Insereur::inserer(tbl, script, image, p.debut, p.fin, pointeurs(p), formule);
    r.sortie += formater(insertion.rapports);
    r.fin_ecrite = insertion.fin_ecrite;
    if (insertion.arret) {
        r.arret = formater(*insertion.arret);
        r.rom = rom;  // the command writes nothing then
    } else {
        r.rom.assign(image.octets().begin(), image.octets().end());
    }
    return r;
}

// The refusal of verifier for these parameters, as printed; empty when it accepts them.
std::string refus(std::string const& rom, Parametres p) {
    Calcul::Formule const formule(p.formule);
    auto r = Insereur::verifier(static_cast<int>(rom.size()), p.debut, p.fin, pointeurs(p), formule);
    return r ? formater(*r) : std::string();
}

std::string const rom_ee(12, '\xEE');

// rom_ee with `bytes` at `offset`.
std::string avec(std::string rom, int offset, std::string const& bytes) {
    rom.replace(static_cast<std::size_t>(offset), bytes.size(), bytes);
    return rom;
}

TEST(Inserer, TextThatExactlyFillsTheRangeLeavesNoRoomAndWritesNoZero) {
    Insertion r = inserer(rom_ee, table_abc, "ABC", {2, 4});
    EXPECT_EQ(r.sortie, "0 octets restants\n");
    EXPECT_EQ(r.rom, avec(rom_ee, 2, "ABC"));
    EXPECT_EQ(r.fin_ecrite, 5);
}

TEST(Inserer, TheRestOfTheRangeIsFilledWithZerosAndTheEndPositionReturned) {
    Insertion r = inserer(rom_ee, table_abc, "AB", {2, 6});
    EXPECT_EQ(r.sortie, "3 octets restants\n");
    EXPECT_EQ(r.rom, avec(rom_ee, 2, octets({0x41, 0x42, 0, 0, 0})));
    EXPECT_EQ(r.fin_ecrite, 4);
}

TEST(Inserer, OverflowCountsTheShortfallAndLaterPointersDesignateWhereWritingStopped) {
    // "EF" is one two-byte entry: after A at 2 it would end at 4, one past the end 3.
    std::string const table = table_abc + "4546=EF\n";
    Insertion r = inserer(rom_ee, table, "AEF<PT0001>\nAB", {2, 3, 8, 2, 2, "X", true});
    EXPECT_EQ(r.sortie, "Espace insuffisant, il manque 3 octets...\n");
    std::string attendu = avec(rom_ee, 2, octets({0x41, 0}));
    attendu = avec(attendu, 8, octets({0x03, 0x00}));  // pointer 1 designates offset 3
    EXPECT_EQ(r.rom, attendu);
    EXPECT_EQ(r.fin_ecrite, 3);

    Insertion un = inserer(rom_ee, table, "AEF", {2, 3});
    EXPECT_EQ(un.sortie, "Espace insuffisant, il manque 1 octets...\n");
}

TEST(Inserer, APointerTagRewritesItsSlotWithTheStartOfTheTextThatFollows) {
    Insertion r = inserer(rom_ee, table_abc, "<PT0002>\nAB", {8, 11, 0, 3, 2, "X+$8000", true});
    EXPECT_EQ(r.sortie, "2 octets restants\n");
    std::string attendu = avec(rom_ee, 2, octets({0x08, 0x80}));
    EXPECT_EQ(r.rom, avec(attendu, 8, octets({0x41, 0x42, 0, 0})));
}

TEST(Inserer, RepeatedAndConsecutiveTags) {
    // Pointer 1 twice: the later tag decides. Pointers 2 and 3 share one text.
    Insertion r = inserer(rom_ee, table_abc, "<PT0001>\nA<PT1>\nB<PT0002>\n<PT0003>\nC", {8, 11, 0, 3, 2, "X", false});
    std::string attendu = avec(rom_ee, 0, octets({0x00, 0x09, 0x00, 0x0A, 0x00, 0x0A}));
    EXPECT_EQ(r.rom, avec(attendu, 8, octets({0x41, 0x42, 0x43, 0})));
    EXPECT_EQ(r.sortie, "1 octets restants\n");
}

TEST(Inserer, ATagAboveTheSlotCountIsReportedAndTheTextStillWritten) {
    Insertion r = inserer(rom_ee, table_abc, "<PT0003>\nAB", {8, 9, 0, 2, 2, "X", true});
    EXPECT_EQ(r.sortie,
              "Erreur : le pointeur numéro 3 ne sera pas inseré : son numéro est supérieur au nombre de pointeurs\n"
              "0 octets restants\n");
    EXPECT_EQ(r.rom, avec(rom_ee, 8, "AB"));
}

TEST(Inserer, TagsThatAreNotWholeLinesAreText) {
    // No line feed after the tag at the end of the script: each character is unknown.
    Insertion r = inserer(rom_ee, table_abc + "50=P\n", "A<PT2>", {8, 11, 0, 3, 2});
    EXPECT_EQ(r.sortie,
              "Le caractère \"<\" est inconnu (\"<PT2>\")...\n"
              "Le caractère \"T\" est inconnu (\"T2>\")...\n"
              "Le caractère \"2\" est inconnu (\"2>\")...\n"
              "Le caractère \">\" est inconnu (\">\")...\n"
              "2 octets restants\n");
    EXPECT_EQ(r.rom, avec(rom_ee, 8, octets({0x41, 0x50, 0, 0})));
}

// Mended: a tag longer than the window of 10 characters (six digits and more, which extraction
// writes past pointer 99,999) was read as text, and its pointer kept its old value.
TEST(Inserer, ATagIsReadWholeWhateverTheWindow) {
    for (std::string const& table : {table_abc + "3C5054=<PT\n", table_abc + "58=onze signes\n"}) {
        for (char const* script : {"<PT000001>\nA", "<PT0000000000000000000001>\nA"}) {
            Insertion const r = inserer(rom_ee, table, script, {8, 11, 0, 1, 2});
            EXPECT_EQ(r.sortie, "3 octets restants\n") << script;
            EXPECT_EQ(r.rom, avec(avec(rom_ee, 0, octets({0x08, 0x00})), 8, octets({0x41, 0, 0, 0}))) << script;
        }
    }
}

TEST(Inserer, RawBytesAreUpperCaseOnly) {
    std::string const table = "30=0\n61=a\n3E=>\n";
    Insertion r = inserer(rom_ee, table, "<0A><0a>", {2, 6});
    EXPECT_EQ(r.sortie, "Le caractère \"<\" est inconnu (\"<0a>\")...\n1 octets restants\n");
    EXPECT_EQ(r.rom, avec(rom_ee, 2, octets({0x0A, 0x30, 0x61, 0x3E, 0})));
}

TEST(Inserer, LongestMatchWins) {
    std::string const table = "74=t\n68=h\n65=e\nF0=the\n";
    Insertion r = inserer(rom_ee, table, "theth", {0, 3});
    EXPECT_EQ(r.rom, avec(rom_ee, 0, octets({0xF0, 0x74, 0x68, 0})));
}

TEST(Inserer, LineEndsOfTheScriptAreNormalisedAndUnknownLineFeedsShownEscaped) {
    Insertion connu = inserer(rom_ee, table_abc + "0A=\\n\n", "A\r\nB", {0, 3});
    EXPECT_EQ(connu.rom, avec(rom_ee, 0, octets({0x41, 0x0A, 0x42, 0})));
    Insertion inconnu = inserer(rom_ee, table_abc, "A\nB", {0, 3});
    EXPECT_EQ(inconnu.sortie, "Le caractère \"\\n\" est inconnu (\"\\nB\")...\n2 octets restants\n");
}

TEST(Inserer, TheEndByteMustLieInsideTheRom) {
    Insertion dernier = inserer(rom_ee, table_abc, "AB", {10, 11});
    EXPECT_EQ(dernier.sortie, "0 octets restants\n");
    EXPECT_EQ(dernier.rom, avec(rom_ee, 10, "AB"));
    EXPECT_EQ(refus(rom_ee, {10, 12}), "Erreur, l'emplacement du texte est situé hors de la rom\n");
}

TEST(Inserer, ChecksRunInOrderBeforeAnythingIsWritten) {
    struct Cas {
        Parametres p;
        char const* message;  // empty when the parameters are accepted
    };
    Cas const cas[] = {
        {{5, 4, -1, -1, 1}, "Erreur, le début du texte se situe après la fin du texte\n"},
        {{-1, 4, -1, -1, 1}, "Erreur, l'emplacement du texte est situé hors de la rom\n"},
        {{13, 14, -1, -1, 1}, "Erreur, l'emplacement du texte est situé hors de la rom\n"},
        {{2, 4, 13, -1, 1}, "Erreur, l'adresse du début des pointeurs se situe en dehors de la rom\n"},
        {{2, 4, -1, -1, 1}, "Erreur, l'adresse du début des pointeurs se situe en dehors de la rom\n"},
        {{2, 4, 12, -1, 1}, "Erreur, le nombre de pointeurs est négatif\n"},
        {{2, 4, 0, 0, 1}, "Erreur, la taille des pointeurs est incorrecte\n"},
        {{2, 4, 0, 0, 5}, "Erreur, la taille des pointeurs est incorrecte\n"},
        // Unbalanced parentheses would set every rewritten pointer to 0: refused only when
        // there are pointers, and after the size.
        {{2, 4, 0, 1, 2, "(X+1"}, "Erreur, il y a une erreur dans les paranthèses\n"},
        {{2, 4, 0, 1, 5, "(X+1"}, "Erreur, la taille des pointeurs est incorrecte\n"},
        {{2, 4, 0, 0, 2, "(X+1"}, ""},
        {{2, 4, 12, 0, 4}, ""},
    };
    for (Cas const& c : cas)
        EXPECT_EQ(refus(rom_ee, c.p), c.message)
            << c.p.debut << ".." << c.p.fin << " table " << c.p.adresse << " " << c.p.nombre << "x" << c.p.taille;
}

TEST(Inserer, AFormulaErrorStopsTheInsertionAfterWhatWasReportedBeforeIt) {
    // The text before the failing tag is encoded and its report kept; the command then throws
    // the formula's message and never writes the image.
    Insertion r = inserer(rom_ee, table_abc, "AZB<PT0001>\nC", {4, 9, 0, 2, 2, "X-$100", true});
    ASSERT_TRUE(r.arret.has_value());
    EXPECT_EQ(*r.arret, "math_error : Le résultat va être négatif, calcul arrêté.\n");
    EXPECT_EQ(r.sortie, "Le caractère \"Z\" est inconnu (\"ZB<PT0001>\")...\n");
}

TEST(Inserer, SlotsOutsideTheRomAreRefusedAndTheRomNeverGrows) {
    // Two-byte slots from offset 9: slot 1 is 9..10, slot 2 would be 11..12, past the end.
    Insertion r = inserer(rom_ee, table_abc, "<PT0000>\nA<PT0002>\nB<PT0001>\nC", {0, 3, 9, 2, 2, "X", true});
    EXPECT_EQ(r.sortie,
              "Erreur : le pointeur numéro 0 ne sera pas inseré : son numéro est inférieur à 1\n"
              "Erreur : le pointeur numéro 2 ne sera pas inseré : son emplacement est situé hors de la rom\n"
              "1 octets restants\n");
    std::string attendu = avec(rom_ee, 0, octets({0x41, 0x42, 0x43, 0}));
    EXPECT_EQ(r.rom, avec(attendu, 9, octets({0x02, 0x00})));
}

TEST(Inserer, SlotsInsideTheRangeEndAsIfWrittenInScriptOrder) {
    // Pointer 1 lies in the range: once written before the text that covers it, once in the
    // part that the zero filling covers at the end.
    Insertion texte = inserer(rom_ee, table_abc, "AB<PT0001>\nC", {0, 5, 0, 1, 2, "X+$1234", true});
    EXPECT_EQ(texte.rom, avec(rom_ee, 0, octets({0x36, 0x12, 0x43, 0, 0, 0})));
    Insertion zeros = inserer(rom_ee, table_abc, "<PT0001>\nAB", {0, 5, 4, 1, 2, "X+$1234", true});
    EXPECT_EQ(zeros.rom, avec(rom_ee, 0, octets({0x41, 0x42, 0, 0, 0, 0})));
}

}  // namespace
