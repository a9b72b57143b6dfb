#include "insertion/encodage-bascules.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "extraction/ecriture-script.h"
#include "extraction/pile-tables.h"
#include "support/octets.h"
#include "tables/extracteur-bascules.h"

namespace {

using test_support::octets;

struct Jeu_de_tables {
    Extracteur::Tables_ext tables;
    explicit Jeu_de_tables(std::string const& texte) {
        EXPECT_TRUE(tables.charger({{"jeu.tbl", texte}}).accepte);
    }
};

// What extraction reads from a text's bytes, from the start table.
std::string relire(Extracteur::Tables_ext const& tables, std::string const& octets, bool fins) {
    std::string texte;
    Extracteur::Ecriture_script ecriture(texte);
    Extracteur::Pile_tables pile(tables);
    auto const* o = reinterpret_cast<unsigned char const*>(octets.data());
    for (std::size_t p = 0; p < octets.size();) p += pile.decoder(ecriture, o + p, octets.size() - p, fins);
    return texte;
}

std::string bytes_of(Insereur::Texte_encode const& texte) { return {texte.octets.begin(), texte.octets.end()}; }

// Kana in the start table, kanji ("K", "L") one at a time behind F0, a names table behind F1
// for as long as it knows the bytes, one entered with its label until FF, and first names
// that only the kanji table switches to.
char const* const kana_kanji =
    "41=a\n42=b\n43=c\n/00=<FIN>\n!F0=,<@kanji>:1\n!F1=,<@noms>:0\n!F2=<NOM>,<@noms2>:$FF\n!F3=,<@kanji>:2\n"
    "@kanji\n41=K\n42=L\n!F4=,<@prenoms>:1\n"
    "@noms\n41=Alice\n42=Bob\n"
    "@noms2\n41=Zoe\n42=Yan\n"
    "@prenoms\n41=Eve\n";

TEST(EncodageBascules, ReachesEachTableThroughTheShortestSwitch) {
    Jeu_de_tables jeu(kana_kanji);
    struct Cas {
        char const* script;
        std::string attendu;
    };
    Cas const cas[] = {
        // A character only the kanji table holds: the encoder writes the switch itself.
        {"aKb<FIN>\n", octets({0x41, 0xF0, 0x41, 0x42, 0x00})},
        // Two kanji in a row: one switch for both.
        {"KLa<FIN>\n", octets({0xF3, 0x41, 0x42, 0x41, 0x00})},
        // A name then kana: the names table stays while it knows the bytes, so the kana after it
        // needs a byte it does not know; "c" is 43, unknown there.
        {"Alicec<FIN>\n", octets({0xF1, 0x41, 0x43, 0x00})},
        // The label is the switch's code; the stay ends with FF.
        {"<NOM>Zoea<FIN>\n", octets({0xF2, 0x41, 0xFF, 0x41, 0x00})},
        // Nested: a first name is only reached from the kanji table, whose stay of two matches
        // the switch to it ends.
        {"KEve<FIN>\n", octets({0xF3, 0x41, 0xF4, 0x41, 0x00})},
    };
    for (Cas const& c : cas) {
        Insereur::Encodage const e = Insereur::encoder_bascules(c.script, jeu.tables, true);
        ASSERT_EQ(e.textes.size(), 1u) << c.script;
        EXPECT_TRUE(e.textes[0].rapports.empty()) << c.script;
        EXPECT_EQ(bytes_of(e.textes[0]), c.attendu) << c.script;
        EXPECT_EQ(relire(jeu.tables, c.attendu, true), c.script);
    }
}

TEST(EncodageBascules, NeverTakesCodesThatReadBackAsOtherText) {
    // 41 42 reads as "X": "ab" cannot be 41 42; a return code FF cannot stand for a name.
    Jeu_de_tables jeu("41=a\n42=b\n4142=X\n!F2=<N>,<@noms>:$FF\n@noms\nFF=Q\n41=R\n");
    Insereur::Encodage const e = Insereur::encoder_bascules("ab<N>RQ", jeu.tables, false);
    ASSERT_EQ(e.textes.size(), 1u);
    // Two characters skipped: "b" (or "a") and "Q".
    EXPECT_EQ(e.textes[0].rapports.size(), 2u) << testing::PrintToString(bytes_of(e.textes[0]));
    EXPECT_EQ(relire(jeu.tables, bytes_of(e.textes[0]), false).find("X"), std::string::npos);
}

TEST(EncodageBascules, SplitsAtTagsAndReportsUnknownCharacters) {
    Jeu_de_tables jeu(kana_kanji);
    Insereur::Encodage const e = Insereur::encoder_bascules("<PT0000>\n<PT0001>\naK<FIN>\n<PT0002>\nb?<FIN>\n", jeu.tables, true);
    // Nothing before the first tags: they open the first text, as encoder() does.
    ASSERT_EQ(e.textes.size(), 2u);
    EXPECT_EQ(e.textes[0].pointeurs, (std::vector<int>{0, 1}));
    EXPECT_EQ(bytes_of(e.textes[0]), octets({0x41, 0xF0, 0x41, 0x00}));
    EXPECT_EQ(e.textes[1].pointeurs, std::vector<int>{2});
    EXPECT_EQ(bytes_of(e.textes[1]), octets({0x42, 0x00}));
    ASSERT_EQ(e.textes[1].rapports.size(), 1u);
}

// Small random tables of two or three tables that switch every way; every byte string of up
// to five bytes over their bytes decoded, the shortest one kept for each text it reads as.
// The encoder must find an encoding exactly as short for each of those texts, which reads
// back as the text.
std::string table_au_hasard(std::mt19937& aleas) {
    char const* const textes[] = {"a", "b", "c", "ab", "bc", "x", "y", "xy"};
    char const* const durees[] = {"1", "2", "0", "-1", "$15"};
    auto octet = [&aleas] { return 0x10 + static_cast<int>(aleas() % 6); };
    auto cle = [&](int taille) {
        std::string s;
        char hex[3];
        for (int k = 0; k < taille; ++k) {
            std::snprintf(hex, sizeof hex, "%02X", octet());
            s += hex;
        }
        return s;
    };
    int const tables = 2 + static_cast<int>(aleas() % 2);
    std::string fichier;
    for (int t = 0; t < tables; ++t) {
        if (t > 0) fichier += "@t" + std::to_string(t) + "\n";
        int const entrees = 2 + static_cast<int>(aleas() % 4);
        for (int k = 0; k < entrees; ++k) {
            std::string const c = cle(1 + static_cast<int>(aleas() % 4 == 0));
            if (aleas() % 4 == 0) {
                int const vers = 1 + static_cast<int>(aleas() % static_cast<unsigned>(tables - 1));
                fichier += "!" + c + "=,<@t" + std::to_string(vers) + ">:" + durees[aleas() % 5] + "\n";
            } else {
                fichier += c + "=" + textes[aleas() % 8] + "\n";
            }
        }
    }
    return fichier;
}

TEST(EncodageBascules, AsShortAsABruteForceSearchOnRandomTables) {
    std::mt19937 aleas(20261211);
    for (int essai = 0; essai < 60; ++essai) {
        std::string const fichier = table_au_hasard(aleas);
        Extracteur::Tables_ext tables;
        if (!tables.charger({{"t.tbl", fichier}}).accepte) continue;
        std::map<std::string, std::string> plus_courts;
        std::string courant;
        // Every string of 1..5 bytes over 10..15, shortest first.
        for (std::size_t taille = 1; taille <= 5; ++taille) {
            std::size_t total = 1;
            for (std::size_t k = 0; k < taille; ++k) total *= 6;
            for (std::size_t n = 0; n < total; ++n) {
                courant.assign(taille, 0);
                std::size_t reste = n;
                for (std::size_t k = 0; k < taille; ++k, reste /= 6) courant[k] = static_cast<char>(0x10 + reste % 6);
                std::string const texte = relire(tables, courant, false);
                // Raw bytes are not a table's text; a text of switches alone is empty.
                if (texte.empty() || texte.find('<') != std::string::npos) continue;
                plus_courts.emplace(texte, courant);
            }
        }
        for (auto const& [texte, brute] : plus_courts) {
            Insereur::Encodage const e = Insereur::encoder_bascules(texte, tables, false);
            ASSERT_EQ(e.textes.size(), 1u);
            std::string const trouve = bytes_of(e.textes[0]);
            EXPECT_TRUE(e.textes[0].rapports.empty()) << fichier << "texte " << texte;
            EXPECT_EQ(trouve.size(), brute.size())
                << fichier << "texte " << texte << testing::PrintToString(brute) << testing::PrintToString(trouve);
            EXPECT_EQ(relire(tables, trouve, false), texte) << fichier << "texte " << texte;
        }
    }
}

}  // namespace
