#include "insertion/encodage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lib/rapport.h"

namespace {

using Insereur::Encodage;
using Insereur::Texte_encode;

struct Attendu {
    std::vector<int> pointeurs;
    std::string octets;
    std::string rapports = "";  // formatted
};

Encodage encoder(std::string const& script, std::string const& contenu_table) {
    Insereur::Table_ins table;
    EXPECT_EQ(formater(table.charger(contenu_table)), "");
    return Insereur::encoder(script, table);
}

void comparer(Encodage const& encodage, std::vector<Attendu> const& attendus) {
    ASSERT_EQ(encodage.textes.size(), attendus.size());
    for (std::size_t i = 0; i < attendus.size(); ++i) {
        SCOPED_TRACE("text " + std::to_string(i));
        Texte_encode const& t = encodage.textes[i];
        EXPECT_EQ(t.pointeurs, attendus[i].pointeurs);
        EXPECT_EQ(std::string(t.octets.begin(), t.octets.end()), attendus[i].octets);
        EXPECT_EQ(formater(t.rapports), attendus[i].rapports);
    }
}

std::string const table_abc = "41=A\n42=B\n43=C\n";

TEST(Encoder, ConsecutiveTagsShareOneTextAndATagAfterAnythingElseStartsTheNext) {
    struct Cas {
        char const* script;
        std::vector<Attendu> textes;
    };
    Cas const cas[] = {
        {"", {{{}, ""}}},
        {"AB", {{{}, "AB"}}},
        // Nothing comes before a leading tag: it belongs to the first text.
        {"<PT0001>\nAB", {{{1}, "AB"}}},
        {"AB<PT1>\n<PT0002>\nC<PT3>\n", {{{}, "AB"}, {{1, 2}, "C"}, {{3}, ""}}},
        // A repeated number stays as many times as it is tagged, in order.
        {"<PT2>\n<PT1>\n<PT2>\nA", {{{2, 1, 2}, "A"}}},
        // An unknown character is something: the tag after it starts a new text.
        {"Z<PT1>\nA", {{{}, "", "Le caractère \"Z\" est inconnu (\"Z<PT1>\\nA\")...\n"}, {{1}, "A"}}},
    };
    for (Cas const& c : cas) {
        SCOPED_TRACE(c.script);
        comparer(encoder(c.script, table_abc), c.textes);
    }
}

TEST(Encoder, UnknownCharactersAreReportedInTheTextWhereTheyOccur) {
    comparer(encoder("AZ<PT2>\nBYC", table_abc),
             {{{}, "A", "Le caractère \"Z\" est inconnu (\"Z<PT2>\\nBYC\")...\n"},
              {{2}, "BC", "Le caractère \"Y\" est inconnu (\"YC\")...\n"}});
}

TEST(Encoder, ATagWinsOverATableTextOfEqualLengthButNotOverALongerOne) {
    comparer(encoder("A<PT1>\nB", table_abc + "3C=<PT1>\\n\n"), {{{}, "A"}, {{1}, "B"}});
    comparer(encoder("A<PT1>\nB", table_abc + "3D=<PT1>\\nB\n"), {{{}, "A="}});
}

TEST(Encoder, EntriesOfTwoBytesOrMoreAreRecordedAtTheirOffsetInTheirText) {
    // Raw bytes and one-byte entries are never recorded: a cut cannot fall inside them.
    Encodage const e = encoder("AEFXYZ<41>B<PT1>\nEFA", table_abc + "4546=EF\n58595A=XYZ\n");
    ASSERT_EQ(e.textes.size(), 2u);
    auto const longues = [](Texte_encode const& t) {
        std::vector<std::pair<std::size_t, std::size_t>> v;
        for (auto const& l : t.longues) v.emplace_back(l.debut, l.taille);
        return v;
    };
    using Paires = std::vector<std::pair<std::size_t, std::size_t>>;
    EXPECT_EQ(longues(e.textes[0]), (Paires{{1, 2}, {3, 3}}));
    EXPECT_EQ(std::string(e.textes[0].octets.begin(), e.textes[0].octets.end()), "AEFXYZAB");
    EXPECT_EQ(longues(e.textes[1]), (Paires{{0, 2}}));
    EXPECT_EQ(std::string(e.textes[1].octets.begin(), e.textes[1].octets.end()), "EFA");
}

TEST(TexteEncode, ACutNeverFallsInsideAMultiByteEntry) {
    struct Cas {
        std::size_t taille;
        std::vector<Texte_encode::Entree_longue> longues;
        std::size_t place;
        std::size_t attendu;
    };
    // Seven bytes: one, a two-byte entry at 1, a three-byte entry at 3, one.
    std::vector<Texte_encode::Entree_longue> const deux_entrees = {{1, 2}, {3, 3}};
    Cas const cas[] = {
        {7, deux_entrees, 0, 0}, {7, deux_entrees, 1, 1}, {7, deux_entrees, 2, 1},
        {7, deux_entrees, 3, 3}, {7, deux_entrees, 4, 3}, {7, deux_entrees, 5, 3},
        {7, deux_entrees, 6, 6}, {7, deux_entrees, 7, 7}, {7, deux_entrees, 100, 7},
        // An entry at the very start leaves nothing to write until it fits whole.
        {4, {{0, 3}}, 2, 0}, {4, {{0, 3}}, 3, 3},
        // Plain bytes cut anywhere.
        {5, {}, 2, 2}, {0, {}, 3, 0},
    };
    for (Cas const& c : cas) {
        Texte_encode t;
        t.octets.assign(c.taille, 0x41);
        t.longues = c.longues;
        EXPECT_EQ(t.coupure(c.place), c.attendu) << c.taille << " bytes, room " << c.place;
    }
}

}  // namespace
