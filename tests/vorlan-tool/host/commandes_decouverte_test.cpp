// The discovery commands run by the built program on generated games: from one phrase to a
// table, the text's ranges, the pointer groups and a description with which extraire_jeu and
// inserer_jeu work as they are; every refusal with its message and no file changed.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "support/scratch.h"
#include "support/vorlan.h"

namespace {

using test_support::run_script;
using test_support::Scratch;

// A character's UTF-8 bytes.
std::string utf8(char32_t c) {
    std::string s;
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
    return s;
}

void poser(std::string& rom, std::size_t position, std::uint64_t valeur, int taille, bool petit) {
    for (int k = 0; k < taille; ++k) {
        int const decalage = 8 * (petit ? k : taille - 1 - k);
        rom[position + static_cast<std::size_t>(k)] = static_cast<char>((valeur >> decalage) & 0xFF);
    }
}

// A game of one-byte codes at unrelated bases: upper case from $80, lower case from $20,
// space $01, "." $02 (which the phrase does not show), 00 ending strings. Its text lies in two
// ranges: 40 strings at $4000 designated by a LowRom table of 3-byte pointers at $1000, and
// 30 strings at $9000 designated by 2-byte pointers (offset - $1000) every 4 bytes at $2000,
// between other data. A table of values that designate nothing stands at $3000.
struct Jeu_d_octets {
    std::string rom;
    std::vector<long long> debuts_a;
    std::vector<long long> debuts_b;
    long long fin_a = 0;
    long long fin_b = 0;

    Jeu_d_octets() : rom(0x10000, '\0') {
        std::mt19937 hasard(7);
        for (char& c : rom) c = static_cast<char>(hasard() & 0xFF);
        char const* const mots[] = {"le", "roi", "attend", "au", "nord", "du", "village", "ton", "epee", "brille",
                                    "Karst", "pont", "Mira", "garde", "la", "porte"};
        auto texte = [&](int i) {
            std::string t = i == 0 ? "Bienvenue au village" : "";
            for (int m = 0; m < 3 + static_cast<int>(hasard() % 5); ++m) {
                if (!t.empty()) t += ' ';
                t += mots[hasard() % 16];
            }
            return t + ".";
        };
        auto coder = [](std::string const& t) {
            std::string octets;
            for (char c : t) {
                if (c >= 'A' && c <= 'Z') octets += static_cast<char>(0x80 + (c - 'A'));
                else if (c >= 'a' && c <= 'z') octets += static_cast<char>(0x20 + (c - 'a'));
                else octets += c == ' ' ? '\x01' : '\x02';
            }
            return octets + '\0';
        };
        auto plage = [&](std::size_t debut, int nombre, std::vector<long long>& debuts, int premier) {
            std::size_t p = debut;
            for (int i = 0; i < nombre; ++i) {
                std::string const octets = coder(texte(premier + i));
                debuts.push_back(static_cast<long long>(p));
                rom.replace(p, octets.size(), octets);
                p += octets.size();
            }
            rom.replace(p, 16, std::string(16, '\0'));  // the free room after the text
            return static_cast<long long>(p) - 1;
        };
        rom.replace(0x3FF0, 16, std::string(16, '\0'));
        fin_a = plage(0x4000, 40, debuts_a, 0);
        rom.replace(0x8FF0, 16, std::string(16, '\0'));
        fin_b = plage(0x9000, 30, debuts_b, 40);
        for (std::size_t i = 0; i < debuts_a.size(); ++i) {
            long long const o = debuts_a[i];
            poser(rom, 0x1000 + 3 * i, static_cast<std::uint64_t>((o / 0x8000) << 16 | (o % 0x8000) | 0x8000), 3, true);
        }
        for (std::size_t i = 0; i < debuts_b.size(); ++i)
            poser(rom, 0x2000 + 4 * i, static_cast<std::uint64_t>(debuts_b[i] - 0x1000), 2, true);
        for (std::size_t i = 0; i < 32; ++i) poser(rom, 0x3000 + 2 * i, 0x1234 + 0x111 * i, 2, true);
    }
};

std::string const sans_fin =
    "local function groupes(jeu)\n"
    "  for i = 1, table.getn(jeu.pointeurs) do\n"
    "    local g = jeu.pointeurs[i]\n"
    "    print(string.format('groupe %X %d %d %d %s %s %s', g.adresse or g.octets[1], g.nombre, g.taille or 0,"
    " g.pas, tostring(g.ordre), g.formule_ext, g.formule_ins))\n"
    "  end\n"
    "  for i = 1, table.getn(jeu.textes) do print(string.format('plage %X %X', jeu.textes[i][1], jeu.textes[i][2])) end\n"
    "end\n";

TEST(CommandesDecouverte, OnePhraseGivesTheLayoutThatDumpsAndPutsBackTheGame) {
    Jeu_d_octets const jeu;
    Scratch d;
    d.write("jeu.rom", jeu.rom);
    auto const r = run_script(d, sans_fin +
                                     "local jeu = decouvrir{ rom = 'jeu.rom', texte = 'Bienvenue au village', fins = {0},\n"
                                     "  table = 'jeu.tbl', description = 'jeu.lua' }\n"
                                     "groupes(jeu)\n"
                                     "groupes(dofile('jeu.lua'))\n"
                                     "extraire_jeu(jeu, 'script.txt')\n"
                                     "local bilan = inserer_jeu(jeu, 'script.txt')\n"
                                     "print('ecrit', bilan.ecrit)\n");
    ASSERT_EQ(r.status, 0) << r.out;
    char attendu[256];
    std::string lignes;
    for (int fois = 0; fois < 2; ++fois) {
        lignes += "groupe 1000 40 3 3 true (X/$10000)*$8000+X%$8000 ((X/$8000)*$10000)+(X%$8000)+$8000\n";
        lignes += "groupe 2000 30 2 4 true X+$1000 X-$1000\n";
        std::snprintf(attendu, sizeof attendu, "plage 4000 %llX\nplage 9000 %llX\n", jeu.fin_a, jeu.fin_b);
        lignes += attendu;
    }
    EXPECT_NE(r.out.find(lignes), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("ecrit\ttrue\n"), std::string::npos) << r.out;
    EXPECT_EQ(d.read("jeu.rom"), jeu.rom);

    std::string const table = d.read("jeu.tbl");
    EXPECT_NE(table.find("80=A\n"), std::string::npos) << table;
    EXPECT_NE(table.find("39=z\n"), std::string::npos) << table;
    EXPECT_NE(table.find("01= \n"), std::string::npos) << table;
    EXPECT_NE(table.find("/00\n"), std::string::npos) << table;
    std::string const script = d.read("script.txt");
    EXPECT_EQ(script.rfind("<PLAGE $4000-", 0), 0u) << script.substr(0, 200);
    EXPECT_NE(script.find("<PT0001>\nBienvenue au village "), std::string::npos) << script.substr(0, 200);
    EXPECT_NE(script.find("<PT0070>\n"), std::string::npos);
}

// A 16-bit big-endian game whose text is kana, as the list given in alphabets orders them from
// $0100; "!" is $0050, strings end with $FFFF and are designated by 4-byte pointers at
// $08000000 + offset.
TEST(CommandesDecouverte, SixteenBitKanaFoundThroughTheAlphabetGiven) {
    std::string alphabet;
    for (char32_t c = 0x3041; c <= 0x3093; ++c) alphabet += utf8(c);
    std::string rom(0x8000, '\0');
    std::mt19937 hasard(3);
    for (char& c : rom) c = static_cast<char>(hasard() & 0xFF);
    std::vector<long long> debuts;
    std::size_t p = 0x2000;
    rom.replace(p - 8, 8, std::string(8, '\xFF'));
    rom[p - 9] = '\0';  // the end codes before the text are read in its alignment
    std::string phrase;
    for (int i = 0; i < 12; ++i) {
        debuts.push_back(static_cast<long long>(p));
        int const longueur = 4 + static_cast<int>(hasard() % 8);
        for (int k = 0; k < longueur; ++k) {
            unsigned const rang = i == 0 ? static_cast<unsigned>(k * 7 % 83) : hasard() % 83;
            if (i == 0) phrase += utf8(0x3041 + rang);
            poser(rom, p, 0x0100 + rang, 2, false);
            p += 2;
        }
        poser(rom, p, 0x0050, 2, false);  // "!"
        poser(rom, p + 2, 0xFFFF, 2, false);
        p += 4;
    }
    rom.replace(p, 8, std::string(8, '\xFF'));
    for (std::size_t i = 0; i < debuts.size(); ++i)
        poser(rom, 0x1000 + 4 * i, static_cast<std::uint64_t>(0x08000000 + debuts[i]), 4, true);

    Scratch d;
    d.write("jeu.rom", rom);
    auto const r = run_script(d, sans_fin + "local jeu = decouvrir{ rom = 'jeu.rom', texte = '" + phrase +
                                     "!', fins = {'$FFFF'}, largeur = 2, ordre = 'be', alphabets = { '" + alphabet +
                                     "' }, table = 'jeu.tbl', description = 'jeu.lua' }\n"
                                     "groupes(jeu)\n"
                                     "extraire_jeu(jeu, 'script.txt')\n"
                                     "print('ecrit', inserer_jeu(jeu, 'script.txt').ecrit)\n");
    ASSERT_EQ(r.status, 0) << r.out;
    char attendu[128];
    std::snprintf(attendu, sizeof attendu, "groupe 1000 12 4 4 true X-$8000000 X+$8000000\nplage 2000 %zX\n", p - 1);
    EXPECT_NE(r.out.find(attendu), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("ecrit\ttrue\n"), std::string::npos) << r.out;
    EXPECT_EQ(d.read("jeu.rom"), rom);
    std::string const table = d.read("jeu.tbl");
    EXPECT_NE(table.find("0100=" + utf8(0x3041) + "\n"), std::string::npos);
    EXPECT_NE(table.find("0050=!\n"), std::string::npos);
    EXPECT_NE(table.find("/FFFF\n"), std::string::npos);
    EXPECT_NE(d.read("script.txt").find(phrase + "!"), std::string::npos);
}

TEST(CommandesDecouverte, EachStepSaysWhatItFound) {
    Jeu_d_octets const jeu;
    Scratch d;
    d.write("jeu.rom", jeu.rom);
    auto const r = run_script(d,
                              "local hits = chercher_relatif{ rom = 'jeu.rom', texte = 'Bienvenue*au village' }\n"
                              "local h = hits[1]\n"
                              "print(table.getn(hits), h.adresse, h.bases.A, h.bases.a, h.autres[' '], h.largeur, h.ordre)\n"
                              "creer_table{ rom = 'jeu.rom', hit = h, resultat = 'jeu.tbl' }\n"
                              "local t = chercher_textes{ rom = 'jeu.rom', table = 'jeu.tbl', fins = {0} }\n"
                              "print(table.getn(t.plages), table.getn(t.debuts), t.debuts[1], t.plages[2].debut)\n"
                              "local g, n = chercher_pointeurs{ rom = 'jeu.rom', debuts = t.debuts }\n"
                              "print(table.getn(g), n[1], n[2], g[1].adresse, g[2].adresse)\n");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("A=$80 a=$20 ' '=$01 : 1 fois, \xE0 $4000 : Bienvenue au village "), std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("1\t16384\t128\t32\t1\t1\tle\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Plage $4000-"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("2\t70\t16384\t36864\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\t40\t30\t4096\t8192\n"), std::string::npos) << r.out;
}

// A hit written by hand: the space the phrase shows keeps its code, which the letter "f" the
// phrase lacks would take.
TEST(CommandesDecouverte, ATableFromAHitKeepsThePhrasesOwnCodes) {
    Scratch d;
    d.write("jeu.rom", std::string("\x20\x21\x25\x22\x00", 5));
    auto const r = run_script(d, "creer_table{ rom = 'jeu.rom', resultat = 'jeu.tbl', hit = { adresse = 0, "
                                 "bases = { a = 0x20 }, autres = { [' '] = 0x25 }, valeurs = { 0x20, 0x21, 0x25, 0x22 } } }\n");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out,
              "Cr\xE9" "ation de la table 'jeu.tbl' d'apr\xE8s la trouvaille \xE0 $0 du fichier 'jeu.rom'...\n"
              "Attention, le caract\xE8re 'f' aurait le code $25, qu'un autre caract\xE8re a d\xE9j\xE0 : il n'est pas "
              "\xE9" "crit\n"
              "26 entr\xE9" "e(s) \xE9" "crite(s) dans 'jeu.tbl'\n"
              "Texte \xE0 $0 : ab c<00>\n"
              "Cr\xE9" "ation termin\xE9" "e !\n\n");
    std::string const table = d.read("jeu.tbl");
    EXPECT_EQ(table.substr(0, 30), "20=a\n21=b\n22=c\n23=d\n24=e\n25= \n");
    EXPECT_EQ(table.find("=f\n"), std::string::npos);
}

TEST(CommandesDecouverte, RefusalsChangeNoFile) {
    Jeu_d_octets const jeu;
    struct Cas {
        char const* appel;
        char const* message;
    };
    Cas const cas[] = {
        {"decouvrir{ rom = 'absente.rom', texte = 'Bienvenue', fins = {0}, table = 't.tbl', description = 'd.lua' }",
         "Impossible d'ouvrir le fichier"},
        {"decouvrir{ rom = 'jeu.rom', texte = '', fins = {0}, table = 't.tbl', description = 'd.lua' }",
         "Erreur, le texte \xE0 chercher est vide\n"},
        {"chercher_relatif{ rom = 'jeu.rom', texte = 'A1 !' }",
         "Erreur, aucun alphabet n'a deux lettres dans 'A1 !' : il n'y a pas de diff\xE9rence \xE0 chercher\n"},
        {"chercher_relatif{ rom = 'jeu.rom', texte = 'Bienvenue', largeur = 3 }",
         "Erreur, le champ 'largeur' de chercher_relatif doit \xEAtre un nombre entier de 1 \xE0 2\n"},
        {"decouvrir{ rom = 'jeu.rom', texte = 'Bienvenue au village', fins = {0}, table = 'deja.tbl', description = "
         "'d.lua' }",
         "Erreur, le fichier 'deja.tbl' existe d\xE9j\xE0 : il n'est remplac\xE9 qu'avec remplacer = true\n"},
        {"creer_table{ rom = 'jeu.rom', hit = { adresse = 0, bases = { a = 1 } }, resultat = 'deja.tbl' }",
         "Erreur, le fichier 'deja.tbl' existe d\xE9j\xE0 : il n'est remplac\xE9 qu'avec remplacer = true\n"},
        {"chercher_textes{ rom = 'jeu.rom', table = 'deja.tbl', fins = {'<FIN>'} }",
         "Erreur, la fin '<FIN>' n'est le texte d'aucune entr\xE9" "e de la table 'deja.tbl'\n"},
        {"chercher_pointeurs{ rom = 'jeu.rom', debuts = {} }",
         "Erreur, le champ 'debuts' de chercher_pointeurs doit \xEAtre une liste d'au moins 1 nombre(s) entier(s)"},
        {"chercher_relatif{ rom = 'jeu.rom', texte = 'Bienvenue', ordre = 'x' }",
         "Erreur, le champ 'ordre' de chercher_relatif doit \xEAtre \"le\" ou \"be\"\n"},
        {"chercher_relatif('jeu.rom')", "Erreur, chercher_relatif prend une table d'arguments"},
        {"chercher_relatif{ rom = 'jeu.rom', texte = 'Bienvenue', couleur = 1 }",
         "Erreur, chercher_relatif ne conna\xEEt pas le champ 'couleur'\n"},
    };
    for (Cas const& c : cas) {
        Scratch d;
        d.write("jeu.rom", jeu.rom);
        d.write("deja.tbl", "41=A\n");
        auto const avant = test_support::snapshot_without_scripts(d);
        auto const r = run_script(d, std::string("print(") + c.appel + ")\n");
        EXPECT_NE(r.out.find(c.message), std::string::npos) << c.appel << "\n" << r.out;
        EXPECT_EQ(r.status, 2) << c.appel;
        EXPECT_EQ(test_support::snapshot_without_scripts(d), avant) << c.appel;
    }
}

}  // namespace
