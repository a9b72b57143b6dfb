#include "tables/extracteur-bascules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/octets.h"
#include "tables/insereur-table.h"

namespace {

using Extracteur::Tables_ext;
using Fichier_table::Duree;
using test_support::octets;

Extracteur::Texte_ext const* entree(Tables_ext const& tables, std::size_t rang, std::string const& cle) {
    return tables.table(rang).chercher(reinterpret_cast<unsigned char const*>(cle.data()), cle.size());
}

std::string texte(Tables_ext const& tables, std::size_t rang, std::string const& cle) {
    Extracteur::Texte_ext const* e = entree(tables, rang, cle);
    return e == nullptr ? "(absent)" : e->texte;
}

std::string ligne(Message m, int n, std::string const& t) { return formater(Rapport(m, {n, t})); }

TEST(TablesExt, EachNameOpensATableAndTheFirstIsTheStartTable) {
    {
        // Entries before the first name: the unnamed start table.
        Tables_ext tables;
        auto const c = tables.charger({{"t.tbl", "41=A\n@kanji\n41=K\n42=L\n@noms_2-b  \n41=N\n"}});
        EXPECT_TRUE(c.accepte);
        EXPECT_EQ(formater(c.rapports), "");
        ASSERT_EQ(tables.nombre(), 3u);
        EXPECT_EQ(tables.nom(0), "");
        EXPECT_EQ(tables.nom(1), "kanji");
        EXPECT_EQ(tables.nom(2), "noms_2-b");
        EXPECT_EQ(texte(tables, 0, "A"), "A");
        EXPECT_EQ(texte(tables, 0, "B"), "(absent)");
        EXPECT_EQ(texte(tables, 1, "A"), "K");
        EXPECT_EQ(texte(tables, 1, "B"), "L");
        EXPECT_EQ(texte(tables, 2, "A"), "N");
    }
    {
        // No entry before it (comments and blank lines are none): the first named table starts.
        Tables_ext tables;
        EXPECT_TRUE(tables.charger({{"t.tbl", "# kana\n\n@kana\n41=a\n@kanji\n41=K\n"}}).accepte);
        ASSERT_EQ(tables.nombre(), 2u);
        EXPECT_EQ(tables.nom(0), "kana");
        EXPECT_EQ(texte(tables, 0, "A"), "a");
    }
    {
        Tables_ext tables;
        EXPECT_TRUE(tables.charger({{"vide.tbl", "# rien\n"}}).accepte);
        EXPECT_EQ(tables.nombre(), 1u);
        EXPECT_EQ(tables.table(0).taille_max(), 0u);
    }
}

// A file without names is one table, read as Table_ext reads it: same entries, same reports.
TEST(TablesExt, AOneTableFileIsWhatTableExtReads) {
    std::string const fichier = "41=A\n41=B\nXX\n@ctrl 00=2\n/FF=<FIN>\n*FE\n$F0=<C>,2\n42=\n4243=BC\n";
    Extracteur::Table_ext seule;
    std::string const attendu = formater(seule.charger(fichier));
    Tables_ext tables;
    auto const c = tables.charger({{"t.tbl", fichier}});
    EXPECT_TRUE(c.accepte);
    EXPECT_EQ(formater(c.rapports), attendu);
    ASSERT_EQ(tables.nombre(), 1u);
    EXPECT_EQ(tables.table(0).afficher(), seule.afficher());
}

TEST(TablesExt, SwitchEntriesAreEntriesOfTheirTableWithTheirSwitches) {
    Tables_ext tables;
    auto const c = tables.charger({{"t.tbl",
                                    "01=a\n"
                                    "!F0=,<@kanji>:1\n"
                                    "!F0F1=<NOM>\\n,<@noms>:0\n"
                                    "!F2=<X>,<@kanji>:-1,<@noms>:$FFFE,<@kanji>:12\n"
                                    "@kanji\n01=K\n@noms\n01=N\n"}});
    ASSERT_TRUE(c.accepte) << formater(c.rapports);
    auto const* f0 = entree(tables, 0, octets({0xF0}));
    ASSERT_NE(f0, nullptr);
    EXPECT_EQ(f0->texte, "");
    ASSERT_EQ(f0->bascules.size(), 1u);
    EXPECT_EQ(f0->bascules[0].table, 1u);
    EXPECT_EQ(f0->bascules[0].duree, Duree::nombre);
    EXPECT_EQ(f0->bascules[0].nombre, 1);
    // The longer key is an entry of the same table, for longest match.
    std::size_t longueur = 0;
    std::string const f0f1 = octets({0xF0, 0xF1});
    auto const* long_ = tables.table(0).plus_long(reinterpret_cast<unsigned char const*>(f0f1.data()), 2, longueur);
    ASSERT_NE(long_, nullptr);
    EXPECT_EQ(longueur, 2u);
    EXPECT_EQ(long_->texte, "<NOM>\n");
    ASSERT_EQ(long_->bascules.size(), 1u);
    EXPECT_EQ(long_->bascules[0].table, 2u);
    EXPECT_EQ(long_->bascules[0].duree, Duree::tant_que_connu);
    auto const* f2 = entree(tables, 0, octets({0xF2}));
    ASSERT_NE(f2, nullptr);
    EXPECT_EQ(f2->texte, "<X>");
    ASSERT_EQ(f2->bascules.size(), 3u);
    EXPECT_EQ(f2->bascules[0].duree, Duree::aussitot);
    EXPECT_EQ(f2->bascules[1].duree, Duree::jusqu_au_code);
    EXPECT_EQ(f2->bascules[1].table, 2u);
    EXPECT_EQ(f2->bascules[1].retour.hexa(), "FFFE");
    EXPECT_EQ(f2->bascules[2].nombre, 12);
    EXPECT_EQ(f2->bascules[2].table, 1u);
    // Plain entries switch nowhere.
    EXPECT_TRUE(entree(tables, 0, octets({0x01}))->bascules.empty());
}

TEST(TablesExt, TheTablesOfAListOfFilesLoadTogether) {
    Tables_ext tables;
    // The second file's unnamed entries add to the start table; its switch names a table of
    // the first file, the first file's a table of the second.
    auto const c = tables.charger({{"kana.tbl", "01=a\n!F0=,<@kanji>:1\n@noms\n10=N\n"},
                                   {"kanji.tbl", "01=b\n02=i\n@kanji\n01=K\n!F1=,<@noms>:1\n"}});
    ASSERT_TRUE(c.accepte) << formater(c.rapports);
    EXPECT_EQ(formater(c.rapports), formater(Rapport(Message::entree_existante, {"01", "a"})) +
                                        formater(Rapport(Message::entree_ignoree, {"01", "b"})));
    ASSERT_EQ(tables.nombre(), 3u);
    EXPECT_EQ(tables.nom(2), "kanji");
    EXPECT_EQ(texte(tables, 0, octets({0x02})), "i");
    EXPECT_EQ(entree(tables, 0, octets({0xF0}))->bascules[0].table, 2u);
    EXPECT_EQ(entree(tables, 2, octets({0xF1}))->bascules[0].table, 1u);
}

TEST(TablesExt, TwoTablesOfOneNameAreRefusedWithBothPlaces) {
    {
        Tables_ext tables;
        auto const c = tables.charger({{"a.tbl", "01=a\n@kanji\n01=K\n"}, {"b.tbl", "# deux\n@kanji\n01=L\n"}});
        EXPECT_FALSE(c.accepte);
        EXPECT_EQ(formater(c.rapports), formater(Rapport(Message::table_en_double, {"kanji", 2, "a.tbl", 2, "b.tbl"})));
    }
    Tables_ext tables;
    auto const c = tables.charger({{"a.tbl", "@kana\n01=a\n@kana\n"}});
    EXPECT_FALSE(c.accepte);
    EXPECT_EQ(formater(c.rapports), formater(Rapport(Message::table_en_double, {"kana", 1, "a.tbl", 3, "a.tbl"})));
}

TEST(TablesExt, OtherAtLinesAreReportedAndSkipped) {
    Tables_ext tables;
    auto const c = tables.charger({{"t.tbl", "01=a\n@ctrl 00=2\n@\n@a.b\n02=b\n"}});
    EXPECT_TRUE(c.accepte);
    EXPECT_EQ(formater(c.rapports), ligne(Message::ligne_directive, 2, "@ctrl 00=2") +
                                        ligne(Message::ligne_directive, 3, "@") +
                                        ligne(Message::ligne_directive, 4, "@a.b"));
    EXPECT_EQ(tables.nombre(), 1u);
    EXPECT_EQ(texte(tables, 0, octets({0x02})), "b");
}

// A switch misread would misread every byte after it: each form this program does not read
// refuses the whole load, the line named; the other lines are still read and reported.
TEST(TablesExt, FormsNotReadRefuseTheTablesNamingTheLine) {
    char const* const formes[] = {
        "!F9<2>=x,<@k>:1",    // counting weight on a switch
        "03<2>=x",            // counting weight on an entry
        "!F0=x,<@k>:1+",      // a "+" after N
        "!F0=x,<@k>:$FF+",
        "%0101=A",            // bit-level keys
        "!%01=A,<@k>:1",
        "!F0=x",              // no switch at all
        "!F0",
        "!F0=x,<@k>",         // no N
        "!F0=x,<@k>:",
        "!F0=x,<@k>:-2",      // N below -1
        "!F0=x,<@k>:$",       // no code after $
        "!F0=x,<@k>:$GG",
        "!F0=x,<@k>:1,",      // a switch cut short
        "!F0=x,<@k>:1,<@k>",
        "!F0=x,<@k>:1 ",
        "!ZZ=x,<@k>:1",       // key not hexadecimal
        "!=x,<@k>:1",
        "!F0=x,<@k k>:1",     // name not a name
        "!F0=x,<@>:1",
        "!F0=x,<@k>:123456",  // no count a game holds
    };
    for (char const* forme : formes) {
        std::string const fichier = std::string("01=a\nXX\n") + forme + "\n@k\n02=b\n";
        std::string const attendu = ligne(Message::ligne_sans_egal, 2, "XX") +
                                    ligne(Message::ligne_non_prise_en_charge, 3, forme);
        Tables_ext tables;
        auto const c = tables.charger({{"ok.tbl", "05=e\n"}, {"t.tbl", fichier}});
        EXPECT_FALSE(c.accepte) << forme;
        EXPECT_EQ(formater(c.rapports), attendu + formater(Rapport(Message::table_refusee, {"t.tbl"}))) << forme;
        // The one-table readers say the same of the line.
        Extracteur::Table_ext ext;
        EXPECT_EQ(formater(ext.charger(fichier)), attendu) << forme;
        Insereur::Table_ins ins;
        EXPECT_EQ(formater(ins.charger(fichier)), attendu) << forme;
    }
}

TEST(TablesExt, ASwitchToAMissingTableIsRefusedNamed) {
    Tables_ext tables;
    auto const c = tables.charger({{"a.tbl", "01=a\n!F0=,<@kanji>:1\n"},
                                   {"b.tbl", "@noms\n\n!F1=x,<@noms>:1,<@kana>:0\n"}});
    EXPECT_FALSE(c.accepte);
    EXPECT_EQ(formater(c.rapports), formater(Rapport(Message::table_inconnue, {2, "a.tbl", "kanji"})) +
                                        formater(Rapport(Message::table_inconnue, {3, "b.tbl", "kana"})));
}

// Insertion reads a file of several tables as one: each switch entry's label stands for its
// code, as a control code's does; an empty label stands for nothing.
TEST(TablesExt, InsertionKnowsASwitchLabelAsItsCode) {
    Insereur::Table_ins ins;
    EXPECT_EQ(formater(ins.charger("01=a\n!F0=,<@kanji>:1\n!F1=<NOM>,<@noms>:$FF\n!F2=,<@noms>:0\n"
                                   "@kanji\n02=K\n@noms\n03=N\n")),
              "");
    auto code = [&](std::string const& t) {
        Nb_ext_ins const* c = ins.chercher(t);
        return c == nullptr ? std::string("(absent)") : c->hexa();
    };
    EXPECT_EQ(code("<NOM>"), "F1");
    EXPECT_EQ(code("a"), "01");
    EXPECT_EQ(code("K"), "02");
    EXPECT_EQ(code(""), "(absent)");
    EXPECT_EQ(code("@kanji"), "(absent)");
}

}  // namespace
