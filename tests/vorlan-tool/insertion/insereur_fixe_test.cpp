#include "insertion/insereur-fixe.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lib/rapport.h"

namespace {

std::string const table_lettres = "41=A\n42=B\n43=C\n44=D\n45=E\n5F=_\n";

struct Insertion {
    std::string sortie;  // what the command prints: the table's reports, then the insertion's
    std::string rom;     // the image after the insertion
};

// Runs a fixed-length insertion at an offset that verifier_fixe accepts, as the command does
// after its check.
Insertion inserer(std::string const& rom, std::string const& table, std::string const& script, int adresse,
                  int nombre, int taille) {
    Insertion r;
    Insereur::Table_ins tbl;
    r.sortie = formater(tbl.charger(table));
    if (auto refus = Insereur::verifier_fixe(static_cast<int>(rom.size()), adresse)) {
        ADD_FAILURE() << "refused: " << formater(*refus);
        return r;
    }
    Insereur::Image_rom image(std::vector<unsigned char>(rom.begin(), rom.end()));
    r.sortie += formater(Insereur::ins_fixe(tbl, script, image, adresse, nombre, taille));
    r.rom.assign(image.octets().begin(), image.octets().end());
    return r;
}

std::string const rom_points(24, '.');

std::string avec(std::string rom, int offset, std::string const& bytes) {
    rom.replace(static_cast<std::size_t>(offset), bytes.size(), bytes);
    return rom;
}

TEST(InsFixe, ShortLinesArePaddedAndLongOnesCut) {
    Insertion r = inserer(rom_points, table_lettres, "AB\nABC\nABCD\nABCDE\n", 2, 4, 4);
    EXPECT_EQ(r.sortie, "Le mot 1 est trop court\nLe mot 2 est trop court\nLe mot 4 est trop long\n");
    EXPECT_EQ(r.rom, avec(rom_points, 2, "AB__ABC_ABCDABCD"));
}

TEST(InsFixe, WithoutAnUnderscoreEntryEachPaddingUnitIsAZeroByte) {
    Insertion r = inserer(rom_points, "41=A\n", "A\n\n", 0, 2, 3);
    EXPECT_EQ(r.sortie,
              "Le mot 1 est trop court\n"
              "Le caractère '_' n'est pas défini dans la table...\n"
              "Le caractère '_' n'est pas défini dans la table...\n"
              "Le mot 2 est trop court\n"
              "Le caractère '_' n'est pas défini dans la table...\n"
              "Le caractère '_' n'est pas défini dans la table...\n"
              "Le caractère '_' n'est pas défini dans la table...\n");
    EXPECT_EQ(r.rom, avec(rom_points, 0, std::string("A\0\0\0\0\0", 6)));
}

TEST(InsFixe, UnitsAreTableEntriesRawBytesOrUnknownCharacters) {
    // "<41>" is one unit; "CD" a two-byte entry counted as one; Z unknown: a unit writing nothing.
    std::string const table = table_lettres + "4344=CD\n";
    Insertion r = inserer(rom_points, table, "<42>CDA\nZAB\n", 0, 2, 3);
    EXPECT_EQ(r.sortie, "Le caractère \"Z\" est inconnu (\"ZAB\\n\")...\n");
    EXPECT_EQ(r.rom, avec(rom_points, 0, "BCDAAB"));
}

TEST(InsFixe, WordLengthZeroReportsEveryNonEmptyLineAsLong) {
    Insertion r = inserer(rom_points, table_lettres, "AB\n\nC\n", 0, 3, 0);
    EXPECT_EQ(r.sortie, "Le mot 1 est trop long\nLe mot 3 est trop long\n");
    EXPECT_EQ(r.rom, rom_points);
}

TEST(InsFixe, NegativeCountsWriteNothing) {
    EXPECT_EQ(inserer(rom_points, table_lettres, "AB\nCD\n", 0, -1, 2).rom, rom_points);
    Insertion r = inserer(rom_points, table_lettres, "AB\nCD\n", 0, 2, -1);
    EXPECT_EQ(r.rom, rom_points);
    EXPECT_EQ(r.sortie, "");
}

TEST(InsFixe, TheWordCountAndTheScriptsEndBoundWhatIsWritten) {
    // Extra lines are ignored; a last line cut short is neither padded nor reported.
    EXPECT_EQ(inserer(rom_points, table_lettres, "AB\nCD\nEE\n", 1, 2, 2).rom, avec(rom_points, 1, "ABCD"));
    Insertion fin = inserer(rom_points, table_lettres, "AB\nC", 1, 3, 2);
    EXPECT_EQ(fin.sortie, "");
    EXPECT_EQ(fin.rom, avec(rom_points, 1, "ABC"));
}

TEST(InsFixe, TheFirstWordsOffsetMustLieInTheRom) {
    struct Cas {
        int adresse;
        char const* message;  // empty when accepted
    };
    Cas const cas[] = {
        {25, "Erreur, l'emplacement du texte est situé hors de la rom\n"},
        {-1, "Erreur, l'emplacement du texte est situé hors de la rom\n"},
        {24, ""},
    };
    for (Cas const& c : cas) {
        auto const refus = Insereur::verifier_fixe(static_cast<int>(rom_points.size()), c.adresse);
        EXPECT_EQ(refus ? formater(*refus) : std::string(), c.message) << c.adresse;
    }
    // Just past the last byte is accepted, but no word fits there.
    Insertion fin = inserer(rom_points, table_lettres, "AB\n", 24, 1, 2);
    EXPECT_EQ(fin.sortie, "Erreur : le mot 1 ne sera pas inseré : il dépasse la fin de la rom\n");
    EXPECT_EQ(fin.rom, rom_points);
}

TEST(InsFixe, WordsThatWouldRunPastTheEndOfTheRomAreNotWritten) {
    // Words of 4 bytes from offset 18 of 24: word 1 ends at 22, word 2 would end at 26.
    Insertion r = inserer(rom_points, table_lettres, "ABCD\nEEEE\nAAAA\n", 18, 3, 4);
    EXPECT_EQ(r.sortie, "Erreur : le mot 2 ne sera pas inseré : il dépasse la fin de la rom\n");
    EXPECT_EQ(r.rom, avec(rom_points, 18, "ABCD"));
    // Exactly up to the last byte is fine.
    EXPECT_EQ(inserer(rom_points, table_lettres, "ABC\nEEE\n", 18, 2, 3).rom, avec(rom_points, 18, "ABCEEE"));
}

}  // namespace
