#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/octets.h"
#include "support/scratch.h"
#include "support/vorlan.h"

namespace {

using test_support::octets;
using test_support::run_script;
using test_support::Scratch;

// ---------------------------------------------------------------------------------------------
// Argument checks: each call is refused before any file is opened, and the script goes on.

TEST(CommandesExtIns, ArgumentChecksPrintTheFirstFailureAndReturnNothing) {
    struct Cas {
        char const* appel;
        char const* message;
    };
    Cas const cas[] = {
        {"extraire(1, 2, 3, 4, 5, 6, 7, 8, 9)", "La fonction \"extraire\" a un nombre d'argument incorrect\n"},
        {"extraire(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11)", "La fonction \"extraire\" a un nombre d'argument incorrect\n"},
        {"inserer()", "La fonction \"inserer\" a un nombre d'argument incorrect\n"},
        {"inserer_fixe(1, 2, 3, 4, 5)", "La fonction \"inserer_fixe\" a un nombre d'argument incorrect\n"},
        {"extraire_fixe(1, 2, 3, 4, 5, 6, 7)", "La fonction \"extraire_fixe\" a un nombre d'argument incorrect\n"},
        {"extraire(nil, nil, 's', 0, 1, 'SANS_POINTEURS')", "Erreur, l'argument 1 doit être une chaine\n"},
        {"extraire('r', true, 's', 0, 1, 'SANS_POINTEURS')", "Erreur, l'argument 2 doit être une chaine\n"},
        {"inserer('r', 't', {}, 0, 1, 'SANS_POINTEURS')", "Erreur, l'argument 3 doit être une chaine\n"},
        {"inserer('r', 't', 's', 'x', 1, 'SANS_POINTEURS')", "Erreur, l'argument 4 doit être un nombre\n"},
        {"inserer('r', 't', 's', 0, nil, 'SANS_POINTEURS')", "Erreur, l'argument 5 doit être un nombre\n"},
        // Six arguments: only "SANS_POINTEURS" exactly.
        {"extraire('r', 't', 's', 0, 1, 'SNES16')", "Erreur, l'argument 6 est incorrect\n"},
        {"extraire('r', 't', 's', 0, 1, 'sans_pointeurs')", "Erreur, l'argument 6 est incorrect\n"},
        {"inserer('r', 't', 's', 0, 1, 5)", "Erreur, l'argument 6 est incorrect\n"},
        // Ten arguments with a name: a profile, matched exactly, before its numbers are checked.
        {"extraire('r', 't', 's', 0, 1, 'SANS_POINTEURS', 0, 0, 0, 0)",
         "L'argument \"SANS_POINTEURS\" est incorrect\n"},
        {"extraire('r', 't', 's', 0, 1, 'snes16', 0, 0, 0, 0)", "L'argument \"snes16\" est incorrect\n"},
        {"inserer('r', 't', 's', 0, 1, 'SNES16 ', nil, 0, 0, 0)", "L'argument \"SNES16 \" est incorrect\n"},
        {"inserer('r', 't', 's', 0, 1, 'SNES16', nil, 0, 0, 0)", "Erreur, l'argument 7 doit être un nombre\n"},
        {"extraire('r', 't', 's', 0, 1, 'SNES24-HighRom', 0, 0, 0, 'x')",
         "Erreur, l'argument 10 doit être un nombre\n"},
        // Ten arguments, explicit pointer parameters.
        {"extraire('r', 't', 's', 0, 1, true, 0, 2, 'X', true)", "Erreur, l'argument 6 est incorrect\n"},
        {"extraire('r', 't', 's', 0, 1, 0, 'x', 2, 'X', true)", "Erreur, l'argument 7 doit être un nombre\n"},
        {"inserer('r', 't', 's', 0, 1, 0, 0, nil, 'X', true)", "Erreur, l'argument 8 doit être un nombre\n"},
        {"inserer('r', 't', 's', 0, 1, 0, 0, 2, nil, true)", "Erreur, l'argument 9 doit être une chaine\n"},
        {"inserer('r', 't', 's', 0, 1, 0, 0, 2, 'X', nil)", "Erreur, l'argument 10 est incorrect\n"},
        {"extraire('r', 't', 's', 0, 1, 0, 0, 2, 'X', 1)", "Erreur, l'argument 10 est incorrect\n"},
        {"extraire_fixe('r', 't', nil, 0, 1, 1)", "Erreur, l'argument 3 doit être une chaine\n"},
        {"inserer_fixe('r', 't', 's', 0, 'x', 1)", "Erreur, l'argument 5 doit être un nombre\n"},
        {"inserer_fixe('r', 't', 's', 0, 1, nil)", "Erreur, l'argument 6 doit être un nombre\n"},
    };
    Scratch d;
    for (Cas const& c : cas) {
        auto r = run_script(d, std::string("print(") + c.appel + ")\nprint('suite')\n");
        EXPECT_EQ(r.out, std::string(c.message) + "\nsuite\n") << c.appel;
        EXPECT_EQ(r.status, 2);
    }
}

// ---------------------------------------------------------------------------------------------
// A small ROM: pointer table at 0, text at $10.

std::string const table_abc = "41=A\n42=B\n43=C\n";

struct Rom {
    Scratch d;
    explicit Rom(std::string const& rom, std::string const& script = "") {
        d.write("rom.bin", rom);
        d.write("table.tbl", table_abc);
        d.write("script.txt", script);
    }
    std::string rom() const { return d.read("rom.bin"); }
};

std::string const rom_ee(0x20, '\xEE');

TEST(CommandesExtIns, ProfileFormulasEndWithTheTwoAmountsInHexadecimal) {
    std::string rom = rom_ee;
    rom.replace(0, 3, octets({0x10, 0x02, 0xC0}));  // HighRom pointer $C00210
    rom.replace(0x10, 2, "AB");
    struct Cas {
        char const* appel;
        std::string pointeur;  // the slot's bytes after insertion at $10
    };
    // LowRom1 with 0 and 512: ((X/$8000)*$10000)+(X%$8000)+$8000+$0-$200 = $7E10.
    // SNES16 with -1 and 0: X+$FFFFFFFF-$0 wraps to X - 1.
    Cas const cas[] = {
        {"inserer('rom.bin', 'table.tbl', 'script.txt', 16, 17, 'SNES24-LowRom1', 0, 1, 0, 512)",
         octets({0x10, 0x7E, 0x00})},
        {"inserer('rom.bin', 'table.tbl', 'script.txt', 16, 17, 'SNES16', 0, 1, -1, 0)", octets({0x0F, 0x00, 0xC0})},
        {"inserer('rom.bin', 'table.tbl', 'script.txt', 16, 17, 'SNES24-HighRom', 0, 1, 256, 0)",
         octets({0x10, 0x01, 0xC0})},
        {"inserer('rom.bin', 'table.tbl', 'script.txt', 16, 17, 'SNES24-LowRom2', 0, 1, 0, 0)",
         octets({0x10, 0x80, 0x80})},
    };
    for (Cas const& c : cas) {
        Rom r(rom, "<PT0001>\nAB");
        run_script(r.d, std::string(c.appel) + "\n");
        EXPECT_EQ(r.rom().substr(0, 3), c.pointeur) << c.appel;
    }
    // Extraction: X-$C00000+$0-$200 sends $C00210 to $10.
    Rom r(rom);
    run_script(r.d, "extraire('rom.bin', 'table.tbl', 'sortie.txt', 16, 17, 'SNES24-HighRom', 0, 1, 0, 512)\n");
    EXPECT_EQ(r.d.read("sortie.txt"), "<PT0001>\nAB");
}

// ---------------------------------------------------------------------------------------------
// Round trip: dump a ROM, put the unchanged script back into a copy whose text range and
// pointer slots were overwritten, and get the original ROM back.

// Table with one-byte letters, a multi-character text, two-byte control codes and Latin-1.
std::string const table_jeu =
    "00=<FIN>\\n\n01=\\n\n20= \n41=A\n42=B\n43=C\n44=D\n45=E\n61=a\n64=d\n65=e\n6E=n\n"
    "80=the\nF001=<nom>\nF002=<objet>\nE9=é\n";

// Greedy longest-match encoding of a phrase through table_jeu's entries.
std::string encoder(std::string const& texte) {
    std::vector<std::pair<std::string, std::string>> const entrees = {
        {"<FIN>\n", octets({0x00})}, {"\n", octets({0x01})}, {" ", " "}, {"A", "A"}, {"B", "B"}, {"C", "C"},
        {"D", "D"}, {"E", "E"}, {"a", "a"}, {"d", "d"}, {"e", "e"}, {"n", "n"}, {"the", octets({0x80})},
        {"<nom>", octets({0xF0, 0x01})}, {"<objet>", octets({0xF0, 0x02})}, {"é", octets({0xE9})},
    };
    std::string sortie;
    for (std::size_t p = 0; p < texte.size();) {
        std::size_t meilleur = 0;
        std::string code;
        for (auto const& e : entrees)
            if (e.first.size() > meilleur && texte.compare(p, e.first.size(), e.first) == 0) {
                meilleur = e.first.size();
                code = e.second;
            }
        if (meilleur == 0) throw std::runtime_error("phrase not encodable");
        sortie += code;
        p += meilleur;
    }
    return sortie;
}

struct Agencement {
    char const* appel_ext;  // the pointer arguments of extraire, after the range
    char const* appel_ins;  // the same for inserer
    int taille;
    bool ordre;
    unsigned int (*pointeur)(unsigned int offset);  // the value stored for a ROM offset
};

constexpr int debut = 0x100;
constexpr int fin = 0x17F;
constexpr int table_pointeurs = 0x20;

std::string construire_rom(Agencement const& a, std::vector<int>& slots_tags) {
    std::string rom(0x200, '\0');
    for (int i = 0; i < 0x200; ++i) rom[static_cast<std::size_t>(i)] = static_cast<char>((i * 7 + 3) & 0xFF);
    std::vector<std::string> const phrases = {
        "<nom> CAB\nDE<FIN>\n", "the end<FIN>\n", "é<objet> a\n\nBAD<FIN>\n", "AAA<FIN>\n",
    };
    std::string texte;
    std::vector<int> debuts;
    for (std::string const& p : phrases) {
        debuts.push_back(debut + static_cast<int>(texte.size()));
        texte += encoder(p);
    }
    texte += octets({0xC5, 0x0A});  // bytes the table does not know
    rom.replace(debut, texte.size(), texte);
    std::fill(rom.begin() + debut + static_cast<long>(texte.size()), rom.begin() + fin + 1, '\0');

    // Pointers in table order: texts out of order, two sharing one text, one into the zero
    // filling; then two that get no tag: inside a two-byte code and before the range.
    std::vector<unsigned int> const tagues = {
        static_cast<unsigned int>(debuts[1]), static_cast<unsigned int>(debuts[0]),
        static_cast<unsigned int>(debuts[2]), static_cast<unsigned int>(debuts[2]),
        static_cast<unsigned int>(debuts[3]), static_cast<unsigned int>(fin - 3)};
    std::vector<unsigned int> valeurs = tagues;
    valeurs.push_back(static_cast<unsigned int>(debuts[0] + 1));
    valeurs.push_back(static_cast<unsigned int>(debut - 4));
    slots_tags.clear();
    for (std::size_t k = 0; k < valeurs.size(); ++k) {
        unsigned int const v = a.pointeur(valeurs[k]);
        int const slot = table_pointeurs + static_cast<int>(k) * a.taille;
        for (int b = 0; b < a.taille; ++b) {
            int const decalage = a.ordre ? 8 * b : 8 * (a.taille - 1 - b);
            rom[static_cast<std::size_t>(slot + b)] = static_cast<char>((v >> decalage) & 0xFF);
        }
        if (k < tagues.size()) slots_tags.push_back(slot);
    }
    return rom;
}

TEST(CommandesExtIns, DumpingAndInsertingTheUnchangedScriptGivesBackTheSameRom) {
    Agencement const agencements[] = {
        {"0x20, 8, 2, 'X-$8000', true", "0x20, 8, 2, 'X+$8000', true", 2, true,
         [](unsigned int x) { return x + 0x8000; }},
        {"0x20, 8, 2, 'X-$8000', false", "0x20, 8, 2, 'X+$8000', false", 2, false,
         [](unsigned int x) { return x + 0x8000; }},
        {"0x20, 8, 3, 'X-$C00000', true", "0x20, 8, 3, 'X+$C00000', true", 3, true,
         [](unsigned int x) { return x + 0xC00000; }},
        {"0x20, 8, 3, 'X-$C00000', false", "0x20, 8, 3, 'X+$C00000', false", 3, false,
         [](unsigned int x) { return x + 0xC00000; }},
        {"0x20, 8, 4, '(X-$10000000)/2', true", "0x20, 8, 4, 'X*2+$10000000', true", 4, true,
         [](unsigned int x) { return x * 2 + 0x10000000; }},
        {"0x20, 8, 4, '(X-$10000000)/2', false", "0x20, 8, 4, 'X*2+$10000000', false", 4, false,
         [](unsigned int x) { return x * 2 + 0x10000000; }},
        {"'SNES16', 0x20, 8, 0, 0", "'SNES16', 0x20, 8, 0, 0", 2, true, [](unsigned int x) { return x; }},
        {"'SNES24-HighRom', 0x20, 8, 0, 0", "'SNES24-HighRom', 0x20, 8, 0, 0", 3, true,
         [](unsigned int x) { return x + 0xC00000; }},
        {"'SNES24-LowRom1', 0x20, 8, 0, 0", "'SNES24-LowRom1', 0x20, 8, 0, 0", 3, true,
         [](unsigned int x) { return (x / 0x8000) * 0x10000 + x % 0x8000 + 0x8000; }},
        {"'SNES24-LowRom2', 0x20, 8, 0, 0", "'SNES24-LowRom2', 0x20, 8, 0, 0", 3, true,
         [](unsigned int x) { return (x / 0x8000 + 0x80) * 0x10000 + x % 0x8000 + 0x8000; }},
    };
    for (Agencement const& a : agencements) {
        std::vector<int> slots;
        std::string const original = construire_rom(a, slots);
        std::string copie = original;
        std::fill(copie.begin() + debut, copie.begin() + fin + 1, '\xEE');
        for (int slot : slots) copie.replace(static_cast<std::size_t>(slot), static_cast<std::size_t>(a.taille),
                                             std::string(static_cast<std::size_t>(a.taille), '\xEE'));
        Scratch d;
        d.write("rom.bin", original);
        d.write("copie.bin", copie);
        d.write("table.tbl", table_jeu);
        auto res = run_script(d, std::string("extraire('rom.bin', 'table.tbl', 'script.txt', 0x100, 0x17F, ") +
                                     a.appel_ext + ")\n" +
                                     "print(inserer('copie.bin', 'table.tbl', 'script.txt', 0x100, 0x17F, " +
                                     a.appel_ins + "))\n");
        EXPECT_NE(res.out.find("0 octets restants\n"), std::string::npos) << a.appel_ins << res.out;
        EXPECT_EQ(d.read("copie.bin"), original) << a.appel_ins << "\n" << d.read("script.txt");
        std::string const script = d.read("script.txt");
        EXPECT_EQ(script.find("<PT0002>\n<nom> CAB\nDE<FIN>\n<PT0001>\nthe end<FIN>\n"), 0u) << script;
        for (char const* tag : {"<PT0003>\n", "<PT0004>\n", "<PT0005>\nAAA<FIN>\n", "<C5><0A><FIN>\n"})
            EXPECT_NE(script.find(tag), std::string::npos) << tag << script;
    }
}

// ---------------------------------------------------------------------------------------------
// The bundled example, run in a scratch copy of examples/.

std::filesystem::path dossier_exemples() {
    return std::filesystem::path(__FILE__).parent_path().parent_path().parent_path().parent_path() / "examples";
}

TEST(CommandesExtIns, TheDemoTranslatesALineAnItemNameAndTheWholeGame) {
    Scratch d;
    for (auto const& f : std::filesystem::directory_iterator(dossier_exemples()))
        std::filesystem::copy(f.path(), d.path(f.path().filename().string()));
    auto res = test_support::run_vorlan(d, {"-e", "demo.lua"});
    EXPECT_EQ(res.status, 0);
    std::string const& out = res.out;
    EXPECT_EQ(out.find("Erreur"), std::string::npos) << out;
    EXPECT_NE(out.find("Le texte occupe maintenant $200-$"), std::string::npos) << out;

    std::string const avant = d.read("demo-texte.txt");
    std::string const traduit = d.read("demo-traduit.txt");
    std::string const verif = d.read("demo-verif.txt");
    EXPECT_NE(avant.find("<PT0005>\nLe pont est fermé.<FIN>\n"), std::string::npos) << avant;
    // Read back from the ROM, the translation is exactly the script that was inserted.
    EXPECT_EQ(verif, traduit);
    EXPECT_NE(verif.find("<PT0005>\nLe pont est fermé jusqu'à l'aube. Reviens demain !<FIN>\n<PT0004>\n"),
              std::string::npos)
        << verif;
    EXPECT_EQ(d.read("demo-objets-verif.txt"), "Epée____\nBouclier\nElixir__\nClé_____\nCarte___\n");
    EXPECT_NE(out.find("Le mot 3 est trop court\n"), std::string::npos);

    // The whole game: the longer descriptions fill their block and spill into the free one,
    // never into the dialogues' room, which their 2-byte relative pointers cannot reach.
    EXPECT_NE(out.find("Bloc 1 ($200-$3FF) : 244 octets utilisés, 268 libres\n"
                       "Bloc 2 ($600-$67F) : 103 octets utilisés, 25 libres\n"
                       "Bloc 3 ($F00-$FFF) : 147 octets utilisés, 109 libres\n"),
              std::string::npos)
        << out;
    std::string const jeu = d.read("demo-jeu-verif.txt");
    EXPECT_NE(jeu.find("<PLAGE $600-$666>\n<PT0007>\nUne vieille lame, rouillée mais encore tranchante.<FIN>\n<PT0008>\n"),
              std::string::npos)
        << jeu;
    EXPECT_NE(jeu.find("<PLAGE $F00-$F92>\n<PT0009>\nRend 20 points de vie à un membre de l'équipe.<FIN>\n<PT0010>\n"),
              std::string::npos)
        << jeu;
    // The dialogues stay where the insertion of step 3 left them; pointers sharing a text come
    // by number here, in the heap's order in extraire's dump.
    std::string dialogues = verif;
    dialogues.replace(dialogues.find("<PT0003>\n<PT0002>\n"), 18, "<PT0002>\n<PT0003>\n");
    EXPECT_EQ(jeu.substr(0, jeu.find("<PLAGE $600")), "<PLAGE $200-$2F3>\n" + dialogues);

    // The original game found again from one phrase: both ranges, both groups, every pointer,
    // the bytes the phrase does not show written raw.
    EXPECT_NE(out.find("Groupe 1 : 6 pointeur(s) de 3 octet(s) à $100, pas de 3, ordre le, formule "
                       "'(X/$10000)*$8000+X%$8000' : 5 chaine(s) atteinte(s), 0 pointeur(s) sans chaine\n"
                       "Groupe 2 : 5 pointeur(s) de 2 octet(s) à $500, pas de 4, ordre le, formule 'X+P' : "
                       "5 chaine(s) atteinte(s), 0 pointeur(s) sans chaine\n"),
              std::string::npos)
        << out;
    std::string const decouvert = d.read("demo-decouverte.txt");
    EXPECT_EQ(decouvert.rfind("<PLAGE $200-$2D3>\n<PT0001>\n<F0><01> <3A> Bienvenue au village de Karst !<01>", 0), 0u)
        << decouvert;
    EXPECT_NE(decouvert.find("<PT0006>\nTu as trouv<E9> 50 pi<E8>ces d'or !<00>\n<PLAGE $600-$657>\n<PT0007>\n"
                             "Une vieille lame<2E><00>\n"),
              std::string::npos)
        << decouvert;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// A file that refuses a write: run under a file size limit of one 512-byte block (the signal
// that the limit raises is ignored, so that the write itself fails).

test_support::RunResult sous_limite(Scratch const& d, std::string const& script) {
    d.write("vorlan-tool.lua", "");
    d.write("script.lua", script);
    auto r = test_support::run("/bin/sh", {"-c", std::string("trap '' XFSZ; ulimit -f 1; exec '") + VORLAN_TOOL +
                                                     "' -e script.lua"},
                               d.dir());
    std::size_t eol = r.out.find('\n');
    if (eol != std::string::npos) r.out.erase(0, eol + 1);
    return r;
}

TEST(CommandesExtIns, AWriteTheFileRefusesIsReported) {
    Scratch d;
    d.write("table.tbl", table_abc);
    std::string rom(4096, 'A');
    d.write("rom.bin", rom);
    d.write("script.txt", "<PT0001>\nBC");
    d.write("fixe.txt", "BC\n");
    auto const r = sous_limite(
        d, "extraire('rom.bin', 'table.tbl', 'sortie.txt', 0, 4095, 'SANS_POINTEURS')\n"
           "print(inserer('rom.bin', 'table.tbl', 'script.txt', 4000, 4001, 4002, 1, 2, 'X', true))\n"
           "inserer_fixe('rom.bin', 'table.tbl', 'fixe.txt', 4000, 1, 2)\n");
    EXPECT_EQ(r.out,
              "Extraction du fichier 'sortie.txt' à partir du fichier 'rom.bin'...\n"
              "Erreur, impossible d'écrire dans le fichier \"sortie.txt\"\n"
              "Cause : File too large. Le fichier \"sortie.txt\" n'a pas été modifié.\n"
              "Extraction terminée !\n\n"
              "Insertion du fichier 'script.txt' dans le fichier 'rom.bin'...\n"
              "0 octets restants\n"
              "Erreur, impossible d'écrire dans le fichier \"rom.bin\"\n"
              "Cause : File too large. Le fichier \"rom.bin\" n'a pas été modifié.\n"
              "Insertion terminée !\n\n"
              "4000\n"
              "Insertion fixe du fichier 'fixe.txt' dans le fichier 'rom.bin'...\n"
              "Erreur, impossible d'écrire dans le fichier \"rom.bin\"\n"
              "Cause : File too large. Le fichier \"rom.bin\" n'a pas été modifié.\n"
              "Insertion fixe terminée !\n\n");
    EXPECT_EQ(d.read("rom.bin"), rom);
    EXPECT_FALSE(d.exists("sortie.txt"));
    EXPECT_EQ(d.snapshot().size(), 6u) << "a temporary file was left behind";
}

// ---------------------------------------------------------------------------------------------
// A dry run prints and returns what the insertion would, and changes no file.

TEST(CommandesExtIns, ADryRunPrintsAndReturnsWhatTheInsertionWouldAndWritesNothing) {
    struct Cas {
        char const* nom;
        std::string script;
        char const* arguments;  // after the three file names
    } const cas[] = {
        {"it fits", "<PT0001>\nAB<PT0002>\nC", "16, 20, 0, 2, 2, 'X', true"},
        {"it does not fit, a character is unknown, a pointer is refused", "<PT0001>\nABCZ<PT0009>\nABCABC",
         "16, 20, 0, 2, 2, 'X', true"},
        {"a profile", "<PT0001>\nAB", "16, 20, 'SNES24-LowRom1', 0, 1, 0, 0"},
        {"without pointers", "ABC", "16, 20, 'SANS_POINTEURS'"},
        {"a range refused", "AB", "20, 16, 'SANS_POINTEURS'"},
        {"a formula that fails", "<PT0001>\nAB<PT0002>\nC", "16, 20, 0, 2, 2, '$11-X', true"},
        {"a missing script", "", "16, 20, 'SANS_POINTEURS'"},
        {"the wrong number of arguments", "AB", "16"},
    };
    for (auto const& c : cas) {
        std::string const appel = std::string("('rom.bin', 'table.tbl', 'script.txt', ") + c.arguments + ")";
        Rom simule(rom_ee, c.script);
        Rom reel(rom_ee, c.script);
        if (c.script.empty()) {
            std::remove(simule.d.path("script.txt").c_str());
            std::remove(reel.d.path("script.txt").c_str());
        }
        auto const avant = simule.d.snapshot();
        auto const simulation = run_script(simule.d, "print(simuler_inserer" + appel + ")\n");
        auto const insertion = run_script(reel.d, "print(inserer" + appel + ")\n");
        std::string attendu = insertion.out;
        // The one difference: the command's own name in the refusal of its arguments.
        for (std::size_t i; (i = attendu.find("\"inserer\"")) != std::string::npos;)
            attendu.replace(i, 9, "\"simuler_inserer\"");
        EXPECT_EQ(simulation.out, attendu) << c.nom;
        EXPECT_EQ(simulation.status, insertion.status) << c.nom;
        auto apres = simule.d.snapshot();
        apres.erase("script.lua");
        apres.erase("vorlan-tool.lua");
        EXPECT_EQ(apres, avant) << c.nom;
    }
    // The ROM is only read: a ROM nobody may write can be checked (a file of the root user is
    // still writable by root, so the mode alone shows it is never opened for writing).
    Rom lecture_seule(rom_ee, "AB");
    chmod(lecture_seule.d.path("rom.bin").c_str(), 0444);
    auto const r = run_script(lecture_seule.d, "print(simuler_inserer('rom.bin', 'table.tbl', 'script.txt', 16, 20, "
                                               "'SANS_POINTEURS'))\n");
    EXPECT_EQ(r.out,
              "Insertion du fichier 'script.txt' dans le fichier 'rom.bin'...\n3 octets restants\n"
              "Insertion terminée !\n\n18\n");
    EXPECT_EQ(lecture_seule.rom(), rom_ee);
}
