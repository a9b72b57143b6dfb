#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "essai_extraction.h"
#include "extraction/extracteur-pointeurs.h"
#include "lib/calcul.h"
#include "lib/rapport.h"

namespace {

using Extracteur::Pt_ext;

struct Chargement {
    std::vector<std::pair<unsigned int, int>> pointeurs;  // value, number, in sorted order
    std::string messages;
};

Chargement charger(std::string const& rom, int adresse, int nombre, char const* formule, int taille,
                   bool petit_boutiste) {
    std::vector<unsigned char> const octets(rom.begin(), rom.end());
    Table_pointeurs const table = essai::pointeurs(adresse, nombre, taille, petit_boutiste);
    Rapports rapports;
    Chargement c;
    for (Pt_ext const& p : Extracteur::charger_pointeurs(octets, table, Calcul::Formule(formule), rapports))
        c.pointeurs.emplace_back(p.lire_valeur(), p.lire_numero());
    c.messages = formater(rapports);
    return c;
}

using Liste = std::vector<std::pair<unsigned int, int>>;

TEST(ChargerPointeurs, AssemblesEachSizeInBothByteOrders) {
    struct Cas {
        std::string rom;
        int taille;
        bool ordre;
        char const* formule;
        unsigned int valeur;
    };
    Cas const cas[] = {
        {"\x34\x12", 2, true, "X", 0x1234},
        {"\x34\x12", 2, false, "X", 0x3412},
        {"\xC1\x23\x45", 3, false, "X", 0xC12345},
        {"\xC1\x23\x45", 3, false, "X-$C00000", 0x12345},
        {"\x45\x23\xC1", 3, true, "X-$C00000", 0x12345},
        {"\x78\x56\x34\x12", 4, true, "X", 0x12345678},
        {"\x12\x34\x56\x78", 4, false, "X", 0x12345678},
        {"\x45\xA3\x02", 3, true, "((X/$8000)*$10000)+(X%$8000)+$8000", 0x2A345 / 0x8000 * 0x10000 + 0x2345 + 0x8000},
    };
    for (Cas const& c : cas) {
        Chargement const r = charger(c.rom, 0, 1, c.formule, c.taille, c.ordre);
        EXPECT_EQ(r.pointeurs, (Liste{{c.valeur, 1}})) << c.formule << " " << c.taille;
        EXPECT_EQ(r.messages, "");
    }
}

TEST(ChargerPointeurs, NumbersByTableRankAndSortsByValue) {
    // Big-endian 2-byte entries from offset 2: 0x0030, 0x0010, 0x0030, 0x0020.
    std::string const rom("..\x00\x30\x00\x10\x00\x30\x00\x20", 10);
    Chargement const r = charger(rom, 2, 4, "X", 2, false);
    EXPECT_EQ(r.pointeurs, (Liste{{0x10, 2}, {0x20, 4}, {0x30, 3}, {0x30, 1}}));
    EXPECT_EQ(charger(rom, 2, 0, "X", 2, false).pointeurs, Liste{});
}

TEST(ChargerPointeurs, FormulaErrorGivesZeroAndLoadingGoesOn) {
    std::string const rom("\x05\x00\x20\x00\x00\x00", 6);
    Chargement const r = charger(rom, 0, 3, "X-$10", 2, true);
    EXPECT_EQ(r.messages,
              "math_error : Le résultat va être négatif, calcul arrêté.\n"
              "math_error : Le résultat va être négatif, calcul arrêté.\n");
    EXPECT_EQ(r.pointeurs, (Liste{{0, 1}, {0, 3}, {0x10, 2}}));
    EXPECT_EQ(charger(rom, 0, 1, "X/0", 2, true).messages,
              "math_error : Tentative de division par zéro, calcul arrêté.\n");
}

// Entries that do not lie wholly inside the ROM are never read, and leave the list.
TEST(ChargerPointeurs, LeavesOutEntriesPastTheEndOfTheRom) {
    struct Cas {
        std::string rom;
        int adresse, nombre;
        Liste pointeurs;
        char const* messages;
    };
    std::string const six("\x00\x01\x00\x02\x00\x03", 6);
    Cas const cas[] = {
        {six, 2, 3, {{2, 1}, {3, 2}},
         "Attention, le pointeur numéro 3 est situé hors de la rom, il ne sera pas repéré\n"},
        {six + '\x07', 2, 3, {{2, 1}, {3, 2}},
         "Attention, le pointeur numéro 3 est situé hors de la rom, il ne sera pas repéré\n"},
        {six, 3, 3, {{0x200, 1}},
         "Attention, les pointeurs numéros 2 à 3 sont situés hors de la rom, ils ne seront pas repérés\n"},
        {six, 6, 2, {},
         "Attention, les pointeurs numéros 1 à 2 sont situés hors de la rom, ils ne seront pas repérés\n"},
        {six, 6, 0, {}, ""},
        {six, 0, 3, {{1, 1}, {2, 2}, {3, 3}}, ""},
        {six, 4, 0x40000000, {{3, 1}},
         "Attention, les pointeurs numéros 2 à 1073741824 sont situés hors de la rom, ils ne seront pas repérés\n"},
    };
    for (Cas const& c : cas) {
        Chargement const r = charger(c.rom, c.adresse, c.nombre, "X", 2, false);
        EXPECT_EQ(r.pointeurs, c.pointeurs) << c.adresse << " " << c.nombre;
        EXPECT_EQ(r.messages, c.messages);
    }
}

}  // namespace
