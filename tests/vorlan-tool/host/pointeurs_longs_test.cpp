// Pointer tables of more than 99,999 entries: the tags get six and seven digits, and every
// command that reads a script must take them as tags.
#include <cstdio>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "support/vorlan.h"

namespace {

using test_support::run_script;
using test_support::Scratch;

std::string lettres_tbl() {
    std::string table = "00=<FIN>\\n\n";
    char ligne[8];
    for (int c = 'A'; c <= 'Z'; ++c) {
        std::snprintf(ligne, sizeof ligne, "%02X=%c\n", c, c);
        table += ligne;
    }
    return table;
}

struct Rom {
    std::string octets;
    std::size_t debut;  // the texts, up to the end of the ROM
    std::size_t fin;
};

// `nombre` 3-byte pointers at offset 0, then as many texts of one to three letters and a <FIN>.
// Pointer k designates text k × 7919 modulo `nombre`, so that the tags come out of order; the
// last pointer shares the first one's text, so that one text has two tags and another none.
Rom construire(std::size_t nombre) {
    Rom rom;
    rom.debut = 3 * nombre;
    std::vector<std::size_t> positions;
    std::string textes;
    for (std::size_t i = 0; i < nombre; ++i) {
        positions.push_back(rom.debut + textes.size());
        for (std::size_t k = 0; k <= i % 3; ++k) textes += static_cast<char>('A' + (i * 7 + k) % 26);
        textes += '\0';
    }
    rom.octets.reserve(rom.debut + textes.size());
    for (std::size_t k = 0; k < nombre; ++k) {
        std::size_t const p = positions[k + 1 == nombre ? 0 : k * 7919 % nombre];
        rom.octets += static_cast<char>(p & 0xFF);
        rom.octets += static_cast<char>((p >> 8) & 0xFF);
        rom.octets += static_cast<char>((p >> 16) & 0xFF);
    }
    rom.octets += textes;
    rom.fin = rom.octets.size() - 1;
    return rom;
}

// The numbers of the script's tag lines, each once; false when one is there twice.
bool numeros(std::string const& script, std::set<long>& vus, std::string& fautif) {
    std::size_t debut = 0;
    while (debut < script.size()) {
        std::size_t fin = script.find('\n', debut);
        if (fin == std::string::npos) fin = script.size();
        if (script.compare(debut, 3, "<PT") == 0) {
            std::string const ligne = script.substr(debut, fin - debut);
            long const numero = std::stol(ligne.substr(3));
            if (!vus.insert(numero).second) {
                fautif = ligne;
                return false;
            }
        }
        debut = fin + 1;
    }
    return true;
}

TEST(PointeursNombreux, ExtractionThenInsertionOfTheUnchangedScriptGivesTheSameRom) {
    struct Cas {
        std::size_t nombre;
        char const* dernier;  // the last pointer's tag
    } const cas[] = {{100000, "<PT100000>\n"}, {1000000, "<PT1000000>\n"}};
    for (auto const& c : cas) {
        SCOPED_TRACE(c.nombre);
        Scratch s;
        Rom const rom = construire(c.nombre);
        s.write("rom.bin", rom.octets);
        s.write("lettres.tbl", lettres_tbl());
        // The copy loses its pointers and texts: the insertion alone must bring them back.
        std::string copie = rom.octets;
        copie.replace(0, rom.debut, rom.debut, '\xEE');
        copie.replace(rom.debut, rom.fin + 1 - rom.debut, rom.fin + 1 - rom.debut, '\xFF');
        s.write("copie.bin", copie);

        std::string const arguments = "'lettres.tbl', 'script.txt', " + std::to_string(rom.debut) + ", " +
                                      std::to_string(rom.fin) + ", 0, " + std::to_string(c.nombre) + ", 3, 'X', true)\n";
        auto const r = run_script(s, "extraire('rom.bin', " + arguments + "inserer('copie.bin', " + arguments);
        EXPECT_EQ(r.out,
                  "Extraction du fichier 'script.txt' \xE0 partir du fichier 'rom.bin'...\n"
                  "Extraction termin\xE9"
                  "e !\n\n"
                  "Insertion du fichier 'script.txt' dans le fichier 'copie.bin'...\n"
                  "0 octets restants\n"
                  "Insertion termin\xE9"
                  "e !\n\n");
        EXPECT_TRUE(s.read("copie.bin") == rom.octets) << "the copy differs from the ROM";

        // Every pointer has its tag once, the small numbers on four digits, the large ones whole.
        std::string const script = s.read("script.txt");
        std::set<long> vus;
        std::string fautif;
        EXPECT_TRUE(numeros(script, vus, fautif)) << fautif << " is in the script twice";
        EXPECT_EQ(vus.size(), c.nombre);
        EXPECT_EQ(*vus.begin(), 1);
        EXPECT_EQ(*vus.rbegin(), static_cast<long>(c.nombre));
        EXPECT_NE(script.find("<PT0001>\n"), std::string::npos);
        EXPECT_NE(script.find("<PT99999>\n"), std::string::npos);
        EXPECT_NE(script.find(c.dernier), std::string::npos);
    }
}

// The reformatter and the word remover copy a seven-digit tag as it stands, and never take
// anything inside it for a word.
TEST(PointeursNombreux, ReformatterAndWordRemoverKeepASevenDigitTag) {
    Scratch s;
    s.write("script.txt", "<PT1000000>\nle 1000 lettre lettre<END>\n<PT0002>\n<PT12345678>\nle 100<END>\n");
    // The longest left side is 6 bytes: the tags are longer than the table's lookahead.
    s.write("police.tbl", " =4\n\\n=LINEBREAK\n<BOX>\\n=NEW_DEFAUT\n<END>\\n=FIN\n0=6\n1=6\ne=5\nl=3\nr=5\nt=4\n");
    s.write("mots.txt", "100\nPT\n");
    auto const r = run_script(s,
                              "mettre_en_forme('script.txt', 'forme.txt', 'police.tbl', 60, 2)\n"
                              "supprimer_mots('script.txt', 'marque.txt', 'mots.txt')\n");
    EXPECT_EQ(r.out,
              "Mise en forme du fichier 'script.txt'...\n"
              // A tag right after another is inside its block: reported, with its whole number.
              "Attention, le pointeur num\xE9ro 12345678 a \xE9t\xE9 d\xE9tect\xE9 dans le bloc du pointeur 2...\n"
              "Mise en forme termin\xE9"
              "e !\n\n"
              "Suppression des mots de la liste 'mots.txt' dans le fichier 'script.txt'...\n"
              "Mot :        100   Taille :  3   Apparitions : 2\n"
              "Mot :         PT   Taille :  2   Apparitions : 0\n"
              "Suppression termin\xE9"
              "e !\n\n");
    // "le 1000" is 8 + 4 + 24 = 36 wide; a space and "lettre" (26) would make it 66, over 60.
    EXPECT_EQ(s.read("forme.txt"), "<PT1000000>\nle 1000\nlettre lettre<END>\n<PT0002>\n<PT12345678>\nle 100<END>\n");
    EXPECT_EQ(s.read("marque.txt"), "<PT1000000>\nle <100>0 lettre lettre<END>\n<PT0002>\n<PT12345678>\nle <100><END>\n");
}

}  // namespace
