#include "extraction/pile-tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "extraction/extracteur-fixe.h"
#include "extraction/extracteur.h"
#include "lib/calcul.h"
#include "lib/entiers.h"
#include "lib/table_pointeurs.h"
#include "support/octets.h"

namespace {

using Extracteur::Pile_tables;
using Extracteur::Tables_ext;
using test_support::octets;

// A kana start table, a kanji table reached for one match (F0) or two (F1), a names table
// reached as long as it matches (F2), not at all (F3) or up to FF (F4); F5 in kanji switches
// again, F6 runs two switches in order. Only the start table and the names have string ends.
std::string const jeu_de_tables =
    "01=a\n02=i\n10=x\n/FF=<FIN>\n"
    "!F0=,<@kanji>:1\n!F1=,<@kanji>:2\n!F2=<N>,<@noms>:0\n!F3=<X>,<@noms>:-1\n!F4=<N>,<@noms>:$FF\n"
    "!F6=<M>,<@kanji>:1,<@noms>:1\n"
    "@kanji\n01=\xE6\x97\xA5\n02=\xE6\x9C\xAC\n$E0=<C>,1\n!F5=,<@noms>:1\n"
    "@noms\n10=Ar\n11=lo\n/FE=<FN>\n";

std::string const hi = "\xE6\x97\xA5";   // the kanji of 01
std::string const hon = "\xE6\x9C\xAC";  // the kanji of 02

void charger(Tables_ext& tables, std::string const& contenu) {
    auto const c = tables.charger({{"t.tbl", contenu}});
    ASSERT_TRUE(c.accepte) << formater(c.rapports);
}

// Every unit of the bytes decoded in turn, as an extraction without pointers decodes them.
std::string decoder(Tables_ext const& tables, std::string const& octets, std::size_t* profondeur = nullptr) {
    std::string script;
    Extracteur::Ecriture_script ecriture(script);
    Pile_tables pile(tables);
    auto const* donnees = reinterpret_cast<unsigned char const*>(octets.data());
    for (std::size_t p = 0; p < octets.size();) {
        p += pile.decoder(ecriture, donnees + p, octets.size() - p, true);
        if (profondeur != nullptr) *profondeur = std::max(*profondeur, pile.niveaux().size());
    }
    return script;
}

TEST(PileTables, EachStayOfTheSwitchedTable) {
    Tables_ext tables;
    charger(tables, jeu_de_tables);
    struct Cas {
        char const* nom;
        std::string octets;
        std::string script;
    } const cas[] = {
        {"N = 1: one match, then the kana again", octets({0x01, 0xF0, 0x01, 0x02}), "a" + hi + "i"},
        {"N = 2", octets({0xF1, 0x01, 0x02, 0x01}), hi + hon + "a"},
        {"N = 0: as long as the names match", octets({0xF2, 0x10, 0x11, 0x10, 0x01}), "<N>ArloAra"},
        {"N = -1: only a label", octets({0xF3, 0x10}), "<X>x"},
        {"$FF: up to the code, consumed unwritten", octets({0xF4, 0x10, 0x11, 0xFF, 0x10}), "<N>Arlox"},
        {"$FF: a value the names lack falls back before the code", octets({0xF4, 0x10, 0x01, 0xFF}),
         "<N>Ara<FIN>\n"},
        {"N = 2 cut short by a value kanji lacks: the kana decode it", octets({0xF1, 0x01, 0x10, 0x01}),
         hi + "xa"},
        {"a value no table of the stack knows", octets({0xF1, 0x01, 0x77, 0x01}), hi + "<77>a"},
        {"a control code and its parameter are one match", octets({0xF0, 0xE0, 0x01, 0x01}), "<C><01>a"},
        {"kanji has no end: the kana end the string", octets({0xF1, 0xFF, 0x10}), "<FIN>\nx"},
        {"an end of the names ends the string: the next one starts in the kana",
         octets({0xF2, 0x10, 0xFE, 0x10}), "<N>Ar<FN>\nx"},
        {"a switch inside a switch", octets({0xF0, 0xF5, 0x10, 0x10, 0x01}), "Arxa"},
        {"two switches in one entry, in their order", octets({0xF6, 0x01, 0x10, 0x10}), "<M>" + hi + "Arx"},
        {"a switch at the end of the bytes", octets({0x01, 0xF0}), "a"},
    };
    for (Cas const& c : cas) EXPECT_EQ(decoder(tables, c.octets), c.script) << c.nom;
}

TEST(PileTables, TheStackHoldsTheTablesWithWhatIsLeft) {
    Tables_ext tables;
    charger(tables, jeu_de_tables);
    std::string script;
    Extracteur::Ecriture_script ecriture(script);
    Pile_tables pile(tables);
    std::string const octets_ = octets({0xF1, 0xF5, 0x10});
    auto const* o = reinterpret_cast<unsigned char const*>(octets_.data());
    EXPECT_EQ(pile.decoder(ecriture, o, 3, true), 1u);
    ASSERT_EQ(pile.niveaux().size(), 2u);
    EXPECT_EQ(pile.niveaux()[1].table, 1u);
    EXPECT_EQ(pile.niveaux()[1].restant, 2);
    // The switch in kanji is one of its two matches.
    EXPECT_EQ(pile.decoder(ecriture, o + 1, 2, true), 1u);
    ASSERT_EQ(pile.niveaux().size(), 3u);
    EXPECT_EQ(pile.niveaux()[1].restant, 1);
    EXPECT_EQ(pile.niveaux()[2].table, 2u);
    EXPECT_EQ(pile.decoder(ecriture, o + 2, 1, true), 1u);
    EXPECT_EQ(pile.niveaux()[2].restant, 0);
    EXPECT_EQ(script, "Ar");
    pile.recommencer();
    EXPECT_EQ(pile.niveaux().size(), 1u);
}

// A table that switches to itself as long as it matches: every F0 would stack one more.
TEST(PileTables, TheStackStopsGrowingAtItsLimit) {
    Tables_ext tables;
    charger(tables, "@a\n!F0=[,<@a>:0\n!F1=(,<@a>:1,<@a>:1\n01=x\n");
    std::size_t profondeur = 0;
    EXPECT_EQ(decoder(tables, std::string(40, '\xF0') + "\x01", &profondeur), std::string(40, '[') + "x");
    EXPECT_EQ(profondeur, Extracteur::profondeur_max);
    // Two switches that would go past it are both left: the entry is its label.
    profondeur = 0;
    std::string const octets_ = std::string(Extracteur::profondeur_max - 2, '\xF0') + "\xF1\x01";
    EXPECT_EQ(decoder(tables, octets_, &profondeur), std::string(Extracteur::profondeur_max - 2, '[') + "(x");
    EXPECT_EQ(profondeur, Extracteur::profondeur_max - 1);
}

// Through the extractions: a pointer's tag and a fixed word start a string in the start table.
TEST(PileTables, ExtractionsStartEachStringInTheStartTable) {
    Tables_ext tables;
    charger(tables, jeu_de_tables);
    // F2 then "Ar", and a pointer to the second 10: the names would read it "Ar", the kana read "x".
    std::vector<unsigned char> rom = {0xF2, 0x10, 0x10, 0x01, 0x00, 0x02};
    Table_pointeurs pointeurs;
    pointeurs.adresse = 4;
    pointeurs.nombre = 1;
    pointeurs.taille = 2;
    pointeurs.ordre = ordre_octets(false);
    Calcul::Formule const formule("X");
    EXPECT_EQ(Extracteur::extraire(tables, rom, 0, 3, pointeurs, formule).script, "<N>Ar<PT0001>\nxa");
    Table_pointeurs sans;
    sans.taille = 2;
    EXPECT_EQ(Extracteur::extraire(tables, rom, 0, 3, sans, formule).script, "<N>ArAra");
    // Words of two units: F2 10, then 10 01 from the kana.
    EXPECT_EQ(Extracteur::ext_fixe(tables, rom, 0, 2, 2).script, "<N>Ar\nxa\n");
}

}  // namespace
