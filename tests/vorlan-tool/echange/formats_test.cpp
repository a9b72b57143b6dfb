#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "echange/codage.h"
#include "echange/csv.h"
#include "echange/formats.h"
#include "echange/po.h"
#include "echange/tsv.h"

namespace {

using Echange::Defaut;
using Echange::Format;
using Echange::Ligne_echange;

// Texts translators meet, in UTF-8: every byte that a format quotes or escapes.
std::vector<std::string> const textes_difficiles = {
    "",
    "simple",
    "guillemets \"dits\" et 'simples'",
    "barre \\ oblique \\n pas un saut",
    "tab\tulation",
    "virgule, point-virgule; deux",
    "ligne\nsuivante\n",
    "\n",
    "<FIN>",
    "<Aldo> : <ROUGE>pierre<BLANC> ?<ATTENTE>",
    "\xC3\xA9t\xC3\xA9 \xC5\x93uvre \xE2\x80\xA6 \xE6\x97\xA5\xE6\x9C\xAC",
    "CR\r seul",
    "une tr\xC3\xA8s longue ligne de dialogue qui d\xC3\xA9passe nettement les soixante-dix-neuf colonnes de la page",
    "#. pas un commentaire\nmsgid \"x\"",
    "\"quoted\",\"cells\"\r\n",
};

std::vector<Ligne_echange> lignes_difficiles() {
    std::vector<Ligne_echange> lignes;
    for (std::size_t k = 0; k < textes_difficiles.size(); ++k) {
        Ligne_echange l;
        l.identifiant = "PT" + std::to_string(k + 1);
        l.original = textes_difficiles[k];
        l.traduction = textes_difficiles[textes_difficiles.size() - 1 - k];
        l.flou = k % 3 == 1 && !l.traduction.empty();
        l.notes = "pointeur " + std::to_string(k + 1) + "\nbo\xC3\xAEte : 1, 2";
        lignes.push_back(l);
    }
    return lignes;
}

TEST(Formats, EveryTextReadsBackAsWritten) {
    for (Format f : {Format::po, Format::csv, Format::tsv}) {
        std::vector<Ligne_echange> const lignes = lignes_difficiles();
        Echange::Lecture const lu = Echange::lire(f, Echange::ecrire(f, lignes, {"script.txt", "fr"}));
        ASSERT_FALSE(lu.defaut) << Echange::nom_du_format(f) << " line " << lu.ligne;
        ASSERT_EQ(lu.lignes.size(), lignes.size()) << Echange::nom_du_format(f);
        for (std::size_t k = 0; k < lignes.size(); ++k) {
            std::string const& attendu = lignes[k].traduction;
            EXPECT_EQ(lu.lignes[k].identifiant, lignes[k].identifiant);
            EXPECT_EQ(lu.lignes[k].traduction, attendu) << Echange::nom_du_format(f) << " " << k;
            EXPECT_EQ(lu.lignes[k].flou, lignes[k].flou) << Echange::nom_du_format(f) << " " << k;
            if (f != Format::po) {
                EXPECT_EQ(lu.lignes[k].notes, lignes[k].notes);
            }
        }
    }
}

TEST(Formats, PoIsLaidOutAsGettextWritesIt) {
    Ligne_echange a{"PT0001 PT0002", "Bonjour \"toi\"\n\tCa va ?<FIN>", "", false, "pointeurs 1, 2"};
    Ligne_echange b{"PT0003", "Fin\n", "End\n", true, "pointeur 3"};
    Ligne_echange c{"PT0004", std::string(72, 'x'), "", false, ""};
    EXPECT_EQ(Echange::ecrire_po({a, b, c}, {"script.txt", "en"}),
              "msgid \"\"\n"
              "msgstr \"\"\n"
              "\"Project-Id-Version: script.txt\\n\"\n"
              "\"PO-Revision-Date: \\n\"\n"
              "\"Last-Translator: \\n\"\n"
              "\"Language-Team: \\n\"\n"
              "\"Language: en\\n\"\n"
              "\"MIME-Version: 1.0\\n\"\n"
              "\"Content-Type: text/plain; charset=UTF-8\\n\"\n"
              "\"Content-Transfer-Encoding: 8bit\\n\"\n"
              "\n"
              "#. pointeurs 1, 2\n"
              "msgctxt \"PT0001 PT0002\"\n"
              "msgid \"\"\n"
              "\"Bonjour \\\"toi\\\"\\n\"\n"
              "\"\\tCa va ?<FIN>\"\n"
              "msgstr \"\"\n"
              "\n"
              "#. pointeur 3\n"
              "#, fuzzy\n"
              "msgctxt \"PT0003\"\n"
              "msgid \"Fin\\n\"\n"
              "msgstr \"End\\n\"\n"
              "\n"
              "#, no-wrap\n"
              "msgctxt \"PT0004\"\n"
              "msgid \"" + std::string(72, 'x') + "\"\n"
              "msgstr \"\"\n");
}

TEST(Formats, PoReaderTakesWhatGettextToolsWrite) {
    std::string const po =
        "\xEF\xBB\xBF# translator comment\n"
        "msgid \"\"\n"
        "msgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n"
        "\n"
        "#. extracted\n"
        "#: ref:1\n"
        "#, c-format, fuzzy\n"
        "#| msgid \"old\"\n"
        "msgctxt \"PT0001\"\n"
        "msgid \"\"\n"
        "\"a\\n\"\n"
        "  \"b\"\n"
        "msgstr \"\\101\\x42\\t\\\\\\\"\"\r\n"
        "\n"
        "msgctxt \"PT0002\"\n"
        "msgid \"one\"\n"
        "msgid_plural \"many\"\n"
        "msgstr[0] \"un\"\n"
        "msgstr[1] \"plusieurs\"\n"
        "\n"
        "#~ msgctxt \"PT0009\"\n"
        "#~ msgid \"gone\"\n"
        "#~ msgstr \"parti\"\n"
        "msgctxt \"PT0003\"\n"
        "msgid \"\"\n"
        "msgstr \"\"";
    Echange::Lecture const lu = Echange::lire_po(po);
    ASSERT_FALSE(lu.defaut) << lu.ligne;
    ASSERT_EQ(lu.lignes.size(), 3u);
    EXPECT_EQ(lu.lignes[0].identifiant, "PT0001");
    EXPECT_EQ(lu.lignes[0].original, "a\nb");
    EXPECT_EQ(lu.lignes[0].traduction, "AB\t\\\"");
    EXPECT_TRUE(lu.lignes[0].flou);
    EXPECT_EQ(lu.lignes[1].traduction, "un");
    EXPECT_FALSE(lu.lignes[1].flou);
    EXPECT_EQ(lu.lignes[2].identifiant, "PT0003");
    EXPECT_EQ(lu.lignes[2].original, "");
}

TEST(Formats, ReadersRefuseWhatIsNotTheirFormatAtItsLine) {
    struct Cas {
        Format format;
        std::string octets;
        Defaut defaut;
        int ligne;
    };
    std::string const en_tete_csv = "id,original,traduction,statut,notes\r\n";
    std::string const en_tete_tsv = "id\toriginal\ttraduction\tstatut\tnotes\n";
    Cas const cas[] = {
        {Format::po, "msgid \"a\"\nmsgstr \"b", Defaut::syntaxe, 2},
        {Format::po, "msgid \"a\"\nmsgstr \"b\" x\n", Defaut::syntaxe, 2},
        {Format::po, "msgid \"a\"\n\nmsgid \"b\"\nmsgstr \"\"\n", Defaut::syntaxe, 3},
        {Format::po, "msgid \"a\"\n", Defaut::syntaxe, 1},
        {Format::po, "msgstr \"a\"\n", Defaut::syntaxe, 1},
        {Format::po, "msgid \"a\\q\"\nmsgstr \"\"\n", Defaut::syntaxe, 1},
        {Format::po, "msgid \"a\"\nmsgstr \"\"\nbonjour\n", Defaut::syntaxe, 3},
        {Format::po, "\"orphan\"\n", Defaut::syntaxe, 1},
        {Format::csv, "", Defaut::en_tete, 1},
        {Format::csv, "id,original,traduction,statut\r\n", Defaut::en_tete, 1},
        {Format::csv, en_tete_csv + "PT1,a,b,traduit\r\n", Defaut::colonnes, 2},
        {Format::csv, en_tete_csv + "PT1,\"a\nb\",,,\r\nPT2,a\r\n", Defaut::colonnes, 4},
        {Format::csv, en_tete_csv + "PT1,\"a,b,c,d\r\n", Defaut::syntaxe, 2},
        {Format::csv, en_tete_csv + "PT1,\"a\"b,c,d,e\r\n", Defaut::syntaxe, 2},
        {Format::csv, en_tete_csv + "PT1,a\"b,c,d,e\r\n", Defaut::syntaxe, 2},
        {Format::tsv, "id\toriginal\n", Defaut::en_tete, 1},
        {Format::tsv, en_tete_tsv + "PT1\ta\\q\tb\t\t\n", Defaut::syntaxe, 2},
        {Format::tsv, en_tete_tsv + "PT1\ta\\\tb\t\t\n", Defaut::syntaxe, 2},
        {Format::tsv, en_tete_tsv + "PT1\ta\tb\n", Defaut::colonnes, 2},
    };
    for (Cas const& c : cas) {
        Echange::Lecture const lu = Echange::lire(c.format, c.octets);
        ASSERT_TRUE(lu.defaut) << c.octets;
        EXPECT_EQ(*lu.defaut, c.defaut) << c.octets;
        EXPECT_EQ(lu.ligne, c.ligne) << c.octets;
        EXPECT_TRUE(lu.lignes.empty()) << c.octets;
    }
}

TEST(Formats, SpreadsheetRowsAsWritten) {
    Ligne_echange a{"PT1", "a,b", "", false, ""};
    Ligne_echange b{"PT2", "x\"y\nz", "t", false, "n"};
    Ligne_echange c{"PT3", "s", "t\\u\tv", true, ""};
    EXPECT_EQ(Echange::ecrire_csv({a, b, c}),
              "\xEF\xBB\xBFid,original,traduction,statut,notes\r\n"
              "PT1,\"a,b\",,\xC3\xA0 traduire,\r\n"
              "PT2,\"x\"\"y\nz\",t,traduit,n\r\n"
              "PT3,s,t\\u\tv,\xC3\xA0 revoir,\r\n");
    EXPECT_EQ(Echange::ecrire_tsv({a, b, c}),
              "\xEF\xBB\xBFid\toriginal\ttraduction\tstatut\tnotes\n"
              "PT1\ta,b\t\t\xC3\xA0 traduire\t\n"
              "PT2\tx\"y\\nz\tt\ttraduit\tn\n"
              "PT3\ts\tt\\\\u\\tv\t\xC3\xA0 revoir\t\n");
    // Any status but "à revoir" is judged by the translation; CRLF or LF records, no mark.
    Echange::Lecture const lu = Echange::lire_csv(
        "id,original,traduction,statut,notes\nPT1,a,b,\xC3\xA0 traduire,\r\nPT2,a,,traduit,\nPT3,a,b,\xC3\xA0 revoir,");
    ASSERT_FALSE(lu.defaut);
    ASSERT_EQ(lu.lignes.size(), 3u);
    EXPECT_FALSE(lu.lignes[0].flou);
    EXPECT_EQ(lu.lignes[0].traduction, "b");
    EXPECT_EQ(lu.lignes[1].traduction, "");
    EXPECT_TRUE(lu.lignes[2].flou);
}

TEST(Formats, FormatByTheNamesEnding) {
    EXPECT_EQ(Echange::format_du_nom("jeu.po"), Format::po);
    EXPECT_EQ(Echange::format_du_nom("jeu.POT"), Format::pot);
    EXPECT_EQ(Echange::format_du_nom("d/jeu.fr.csv"), Format::csv);
    EXPECT_EQ(Echange::format_du_nom("jeu.tsv"), Format::tsv);
    EXPECT_FALSE(Echange::format_du_nom("jeu.txt"));
    EXPECT_FALSE(Echange::format_du_nom("po"));
}

TEST(Codage, Utf8CheckedAndLatin1Converted) {
    EXPECT_FALSE(Echange::erreur_utf8("\xC3\xA9t\xC3\xA9 \xF0\x9F\x98\x80"));
    struct Cas {
        std::string texte;
        std::size_t erreur;
    };
    Cas const mauvais[] = {{"a\xE9t", 1}, {"\xC0\x80", 0}, {"ab\xED\xA0\x80", 2}, {"\xF4\x90\x80\x80", 0},
                           {"\xE2\x82", 0}, {"x\x80", 1}};
    for (Cas const& c : mauvais) EXPECT_EQ(Echange::erreur_utf8(c.texte), c.erreur) << c.texte;
    std::string latin1;
    for (int c = 1; c < 256; ++c) latin1 += static_cast<char>(c);
    long refuse = 0;
    std::string const utf8 = Echange::latin1_vers_utf8(latin1);
    EXPECT_FALSE(Echange::erreur_utf8(utf8));
    EXPECT_EQ(Echange::depuis_utf8(utf8, Echange::Encodage::latin1, refuse), latin1);
    EXPECT_FALSE(Echange::depuis_utf8("c\xC5\x93ur", Echange::Encodage::latin1, refuse));
    EXPECT_EQ(refuse, 0x153);
    EXPECT_FALSE(Echange::depuis_utf8("\xE2\x80\xA6", Echange::Encodage::latin1, refuse));
    EXPECT_EQ(refuse, 0x2026);
    EXPECT_EQ(Echange::depuis_utf8("c\xC5\x93ur", Echange::Encodage::utf8, refuse), "c\xC5\x93ur");
}

}  // namespace
