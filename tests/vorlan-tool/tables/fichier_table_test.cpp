#include "tables/fichier-table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/octets.h"
#include "tables/extracteur-table.h"
#include "tables/insereur-table.h"

namespace {

using test_support::octets;

// Keys are written as the other tests write bytes; the tables take them unsigned.
unsigned char const* donnees(std::string const& cle) { return reinterpret_cast<unsigned char const*>(cle.data()); }

std::string texte_ext(Extracteur::Table_ext const& table, std::string const& cle) {
    Extracteur::Texte_ext const* t = table.chercher(donnees(cle), cle.size());
    return t == nullptr ? "(absent)" : t->texte;
}

std::string code_ins(Insereur::Table_ins const& table, std::string const& texte) {
    Nb_ext_ins const* code = table.chercher(texte);
    return code == nullptr ? "(absent)" : code->hexa();
}

// Each form of line as both tables read it: what extraction shows for the key, what insertion
// encodes the texts as, and what is said.
TEST(FichierTable, EachFormOfLineInBothDirections) {
    struct Cas {
        char const* nom;
        std::string table;
        std::string cle;
        std::string texte;                   // extraction's text for the key
        bool fin;                            // extraction ends the line after it
        int parametres;
        std::vector<std::string> acceptes;   // texts insertion encodes as the key
        std::string messages;
    } const cas[] = {
        {"plain", "41=A\n", octets({0x41}), "A", false, 0, {"A"}, ""},
        {"blank lines and comments", "\n  \t\n# un\n  // deux\n; trois\n41=A\n", octets({0x41}), "A", false, 0, {"A"}, ""},
        {"a UTF-8 byte-order mark", "\xEF\xBB\xBF" "41=A\n", octets({0x41}), "A", false, 0, {"A"}, ""},
        {"an end token", "/FF=<FIN>\n", octets({0xFF}), "<FIN>", true, 0, {"<FIN>", "<FIN>\n"}, ""},
        {"an end token ending with a line feed", "/FF=<FIN>\\n\n", octets({0xFF}), "<FIN>\n", true, 0,
         {"<FIN>\n", "<FIN>"}, ""},
        {"a bare end token", "/FF\n", octets({0xFF}), "<FF>", true, 0, {"<FF>", "<FF>\n"}, ""},
        {"a bare end token of two bytes", "/FFFE\n", octets({0xFF, 0xFE}), "<FF><FE>", true, 0,
         {"<FF><FE>", "<FF><FE>\n"}, ""},
        {"a bare line break", "*FE\n", octets({0xFE}), "\n", false, 0, {"\n"}, ""},
        {"a line break with a text", "*FE=<LIGNE>\n", octets({0xFE}), "<LIGNE>\n", false, 0,
         {"<LIGNE>\n", "<LIGNE>"}, ""},
        {"a control code with parameters", "$F0=<SON>,2\n", octets({0xF0}), "<SON>", false, 2, {"<SON>"}, ""},
        {"a label holding a comma", "$F0=<A,B>,12\n", octets({0xF0}), "<A,B>", false, 12, {"<A,B>"}, ""},
        {"zero parameters", "$F0=<X>,0\n", octets({0xF0}), "<X>", false, 0, {"<X>"}, ""},
    };
    for (auto const& c : cas) {
        Extracteur::Table_ext ext;
        Insereur::Table_ins ins;
        std::string const rapports = formater(ext.charger(c.table));
        EXPECT_EQ(rapports, c.messages) << c.nom;
        EXPECT_EQ(formater(ins.charger(c.table)), c.messages) << c.nom;
        Extracteur::Texte_ext const* t = ext.chercher(donnees(c.cle), c.cle.size());
        ASSERT_NE(t, nullptr) << c.nom;
        EXPECT_EQ(t->texte, c.texte) << c.nom;
        EXPECT_EQ(t->fin, c.fin) << c.nom;
        EXPECT_EQ(t->parametres, c.parametres) << c.nom;
        Nb_ext_ins const attendu(donnees(c.cle), static_cast<int>(c.cle.size()));
        for (std::string const& accepte : c.acceptes) EXPECT_EQ(code_ins(ins, accepte), attendu.hexa()) << c.nom;
    }
}

TEST(FichierTable, LinesThatDefineNothingAreReportedWithTheirNumber) {
    std::string const table = "41=A\nXX\n@ctrl 00=2\n42 =B\n4G=C\n/ZZ=D\n$F0=<X>\n$F1=<Y>,256\n$F2=,1\n$F3=<Z>,a\n43=C\n";
    auto ligne = [](Message m, int n, std::string const& texte) { return formater(Rapport(m, {n, texte})); };
    std::string const attendu =
        ligne(Message::ligne_sans_egal, 2, "XX") + ligne(Message::ligne_directive, 3, "@ctrl 00=2") +
        ligne(Message::cle_non_hexadecimale, 4, "42 =B") + ligne(Message::cle_non_hexadecimale, 5, "4G=C") +
        ligne(Message::cle_non_hexadecimale, 6, "/ZZ=D") + ligne(Message::parametres_incorrects, 7, "$F0=<X>") +
        ligne(Message::parametres_incorrects, 8, "$F1=<Y>,256") + ligne(Message::parametres_incorrects, 9, "$F2=,1") +
        ligne(Message::parametres_incorrects, 10, "$F3=<Z>,a");
    Extracteur::Table_ext ext;
    EXPECT_EQ(formater(ext.charger(table)), attendu);
    EXPECT_EQ(texte_ext(ext, octets({0x41})), "A");
    EXPECT_EQ(texte_ext(ext, octets({0x43})), "C");
    for (int code : {0x42, 0x04, 0xF0, 0xF1, 0xF2, 0xF3}) EXPECT_EQ(texte_ext(ext, octets({code})), "(absent)") << code;
    Insereur::Table_ins ins;
    EXPECT_EQ(formater(ins.charger(table)), attendu);
    EXPECT_EQ(code_ins(ins, "B"), "(absent)");
    EXPECT_EQ(code_ins(ins, "C"), "43");
}

// Mended: a comment or a marker line swallowed the entry after it, and a blank line gave the
// next key a 00 byte in front.
TEST(FichierTable, NoLineSwallowsTheNextOne) {
    Insereur::Table_ins ins;
    EXPECT_EQ(formater(ins.charger("41=A\n\n42=B\n# note\n43=C\n/FF=<FIN>\n44=D\n*FE\n45=E\n")), "");
    for (auto const& [texte, code] : std::vector<std::pair<std::string, std::string>>{
             {"A", "41"}, {"B", "42"}, {"C", "43"}, {"D", "44"}, {"E", "45"}, {"<FIN>", "FF"}, {"\n", "FE"}})
        EXPECT_EQ(code_ins(ins, texte), code) << texte;
}

TEST(FichierTable, Utf16TablesAreReadAsTheirUtf8Text) {
    auto utf16le = [](std::string const& ascii, bool marque) {
        std::string o = marque ? std::string("\xFF\xFE") : std::string();
        for (char c : ascii) {
            o += c;
            o += '\0';
        }
        return o;
    };
    std::string const dit = formater(Rapport(Message::table_utf16));
    {
        Extracteur::Table_ext ext;
        // e acute as UTF-16 (E9 00) and a character beyond the BMP as a surrogate pair.
        std::string const table = utf16le("41=A\r\n42=", true) + std::string("\xE9\0", 2) + utf16le("\r\n43=", false) +
                                  std::string("\x3D\xD8\x00\xDE", 4) + utf16le("\r\n44=B\r\n", false);
        EXPECT_EQ(formater(ext.charger(table)), dit);
        EXPECT_EQ(texte_ext(ext, octets({0x41})), "A");
        EXPECT_EQ(texte_ext(ext, octets({0x42})), "\xC3\xA9");
        EXPECT_EQ(texte_ext(ext, octets({0x43})), "\xF0\x9F\x98\x80");
        EXPECT_EQ(texte_ext(ext, octets({0x44})), "B");
    }
    {
        // Without a mark: every second byte of the start is zero, the others are not.
        Extracteur::Table_ext ext;
        EXPECT_EQ(formater(ext.charger(utf16le("41=A\n42=B\n43=C\n44=D\n45=E\n46=F\n47=G\n", false))), dit);
        EXPECT_EQ(texte_ext(ext, octets({0x47})), "G");
    }
    // Big-endian, with its mark.
    Extracteur::Table_ext ext;
    EXPECT_EQ(formater(ext.charger(std::string("\xFE\xFF\0" "4\0" "1\0=\0Z", 11))), dit);
    EXPECT_EQ(texte_ext(ext, octets({0x41})), "Z");
    // A table in one byte per character is no UTF-16 table, even with zero bytes in it.
    Extracteur::Table_ext latin;
    EXPECT_EQ(formater(latin.charger(std::string("41=A\n42=\0B\n", 11))),
              formater(Rapport(Message::entree_vide, {"42", ""})));
}

// Tables of the strict form read as they always have, CR LF and long sides included.
TEST(FichierTable, StrictTablesKeepTheirMeaning) {
    Extracteur::Table_ext ext;
    EXPECT_EQ(formater(ext.charger("41=A\r\n4243=BC\r\n01=\\n\r\n3D==\r\n")), "");
    EXPECT_EQ(ext.afficher(), "01\t\"\\n\"\n3D\t\"=\"\n41\t\"A\"\n4243\t\"BC\"\n");
}

}  // namespace
