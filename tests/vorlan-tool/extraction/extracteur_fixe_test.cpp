#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "essai_extraction.h"
#include "extraction/extracteur-fixe.h"
#include "lib/rapport.h"

namespace {

char const* const lettres = "41=A\n42=B\n43=C\n44=D\n45=E\n46=F\n";

TEST(ExtFixe, WritesOneLinePerWord) {
    struct Cas {
        char const* nom;
        std::string rom;
        std::string table;
        int adresse, nombre, taille;
        std::string script;
    };
    Cas const cas[] = {
        {"one-byte units", "ABCDEF", lettres, 0, 3, 2, "AB\nCD\nEF\n"},
        {"from an offset", "ABCDEF", lettres, 2, 2, 1, "C\nD\n"},
        {"length 0", "ABCDEF", lettres, 0, 3, 0, "\n\n\n"},
        {"count 0", "ABCDEF", lettres, 0, 0, 2, ""},
        {"unknown byte is one unit", "A\xFF" "BC", lettres, 0, 2, 2, "A<FF>\nBC\n"},
        {"empty table", "AB", "", 0, 1, 2, "<41><42>\n"},
        // A two-byte entry is one unit: the word takes three bytes, and the next starts later.
        {"multi-byte unit", "ABCD", "41=A\n42=B\n43=C\n4243=<BC>\n", 0, 2, 2, "A<BC>\n<44>\n"},
        // The look-ahead runs to the end of the block, across the end of a word.
        {"across words", "ABCD", "41=A\n43=C\n4142=<AB>\n", 0, 3, 1, "<AB>\nC\n\n"},
        // It stops at the end of the block, though the ROM goes on.
        {"block end", "ABCD", "41=A\n4142=<AB>\n", 0, 1, 1, "A\n"},
        {"offset at the end of the ROM", "AB", lettres, 2, 0, 5, ""},
    };
    for (Cas const& c : cas) {
        essai::Resultat const r = essai::ext_fixe(c.rom, c.table, c.adresse, c.nombre, c.taille);
        EXPECT_EQ(r.script, c.script) << c.nom;
        EXPECT_EQ(r.messages, "") << c.nom;
        EXPECT_TRUE(r.accepte) << c.nom;
    }
}

// The command layer creates the script only once these checks pass: a refused extraction
// leaves an earlier script alone.
TEST(ExtFixe, RefusesBadArgumentsWithTheFirstFailedCheck) {
    char const* const hors_rom = "Erreur, l'emplacement du texte est situé hors de la rom\n";
    char const* const nombre = "Erreur, le nombre de mots est négatif\n";
    char const* const taille = "Erreur, la taille des mots est négative\n";
    struct Cas {
        int adresse, nombre, taille;
        char const* message;
    };
    Cas const cas[] = {
        {7, 1, 1, hors_rom}, {-1, 1, 1, hors_rom}, {7, -1, -1, hors_rom},
        {0, -1, 1, nombre},  {0, -1, -1, nombre},  {6, 1, -1, taille},
    };
    for (Cas const& c : cas) {
        // The ROM of six bytes "ABCDEF".
        std::optional<Rapport> const refus = Extracteur::verifier_fixe(6, c.adresse, c.nombre, c.taille);
        ASSERT_TRUE(refus.has_value()) << c.adresse << " " << c.nombre << " " << c.taille;
        EXPECT_EQ(formater(*refus), c.message) << c.adresse << " " << c.nombre << " " << c.taille;
    }
}

// Only the bytes that the ROM holds are decoded; the units left without bytes write nothing,
// and words that start past the end of the ROM get no line.
TEST(ExtFixe, BlockPastTheEndOfTheRomDecodesOnlyWhatWasRead) {
    struct Cas {
        int adresse, nombre, taille;
        std::string script, messages;
    };
    std::string const depasse = "Attention, les mots dépassent la fin de la rom : seuls les ";
    Cas const cas[] = {
        {1, 2, 2, "BC\n", depasse + "2 octets qui s'y trouvent seront lus\n"
                          "Attention, le mot 2 est situé hors de la rom, il ne sera pas extrait\n"},
        {0, 2, 4, "ABC\n", depasse + "3 octets qui s'y trouvent seront lus\n"
                           "Attention, le mot 2 est situé hors de la rom, il ne sera pas extrait\n"},
        {3, 2, 1, "", depasse + "0 octets qui s'y trouvent seront lus\n"
                     "Attention, les mots 1 à 2 sont situés hors de la rom, ils ne seront pas extraits\n"},
        {0, 3, 0x40000000, "ABC\n", depasse + "3 octets qui s'y trouvent seront lus\n"
                                    "Attention, les mots 2 à 3 sont situés hors de la rom, ils ne seront pas extraits\n"},
        {2, 0x7FFFFFFF, 1, "C\n", depasse + "1 octets qui s'y trouvent seront lus\n"
                                  "Attention, les mots 2 à 2147483647 sont situés hors de la rom, ils ne seront pas "
                                  "extraits\n"},
    };
    for (Cas const& c : cas) {
        essai::Resultat const r = essai::ext_fixe("ABC", lettres, c.adresse, c.nombre, c.taille);
        EXPECT_EQ(r.script, c.script) << c.adresse << " " << c.nombre << " " << c.taille;
        EXPECT_EQ(r.messages, c.messages);
        EXPECT_TRUE(r.accepte);
    }
}

TEST(ExtFixe, WordsThatUseUpTheBlockLeaveTheirLastUnitsEmpty) {
    essai::Resultat const r = essai::ext_fixe("ABABAB", "4142=<AB>\n", 0, 3, 1);  // block of 3 bytes: 41 42 41
    EXPECT_EQ(r.script, "<AB>\n<41>\n\n");
    EXPECT_EQ(r.messages, "");
}

}  // namespace
