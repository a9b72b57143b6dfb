#include <string>

#include <gtest/gtest.h>

#include "support/vorlan.h"

namespace {

using test_support::run_vorlan;
using test_support::Scratch;

std::string const BANNIERE = "Vorlan-tool version 1.1\n";

std::string usage() {
    return std::string("Utilisation :\n  ") + VORLAN_TOOL +
           " [option]\n\nOptions :\n  -h : affiche ce message\n  -i : mode interactif\n"
           "  -e [lua_script] : execute le fichier [lua_script]\n";
}

TEST(Main, CommandLineDispatch) {
    struct Cas {
        char const* nom;
        std::vector<std::string> args;
        std::string attendu;  // after the banner
    } const cas[] = {
        {"no argument: usage, start-up script not run", {}, usage()},
        {"three arguments: usage, start-up script not run", {"-e", "a.lua", "b"}, usage()},
        {"-h: start-up script, then usage", {"-h"}, "demarrage\n" + usage()},
        {"-e alone", {"-e"}, "demarrage\n" + usage()},
        {"-i with a word", {"-i", "x"}, "demarrage\n" + usage()},
        {"unknown option", {"-x"}, "demarrage\n" + usage()},
        {"option in the wrong case", {"-H"}, "demarrage\n" + usage()},
        {"-e runs the script after the start-up script", {"-e", "s.lua"}, "demarrage\nscript\t42\n"},
    };
    for (auto const& c : cas) {
        Scratch s;
        s.write("vorlan-tool.lua", "print('demarrage') valeur = 42");
        s.write("s.lua", "print('script', valeur)");
        auto r = run_vorlan(s, c.args);
        EXPECT_EQ(r.out, BANNIERE + c.attendu) << c.nom;
        EXPECT_EQ(r.status, 0) << c.nom;
    }
}

TEST(Main, MissingStartUpScriptStopsEveryInvocation) {
    for (auto const& args : {std::vector<std::string>{"-h"}, {"-i"}, {"-e", "s.lua"}}) {
        Scratch s;
        s.write("s.lua", "print('jamais')");
        auto r = run_vorlan(s, args, "print('jamais')\n");
        EXPECT_EQ(r.out, BANNIERE + "cannot open vorlan-tool.lua: No such file or directory");
        EXPECT_EQ(r.status, 1);
    }
}

TEST(Main, FaultyStartUpScriptPrintsTheInterpretersMessageUnchanged) {
    Scratch s;
    s.write("vorlan-tool.lua", "error('100% faux')");
    auto r = run_vorlan(s, {"-h"});
    EXPECT_EQ(r.out, BANNIERE + "vorlan-tool.lua:1: 100% faux");
    EXPECT_EQ(r.status, 1);
}

TEST(Main, ScriptErrorsArePrintedWithoutLineFeed) {
    struct Cas {
        char const* script;
        std::string attendu;
    } const cas[] = {
        {"print('avant') x = = 1", "s.lua:1: unexpected symbol near '='"},
        {"print('avant') error('a %d %s b')", "avant\ns.lua:1: a %d %s b"},
    };
    for (auto const& c : cas) {
        Scratch s;
        s.write("vorlan-tool.lua", "");
        s.write("s.lua", c.script);
        auto r = run_vorlan(s, {"-e", "s.lua"});
        EXPECT_EQ(r.out, BANNIERE + c.attendu);
        EXPECT_EQ(r.status, 1) << c.script;
    }
    Scratch s;
    s.write("vorlan-tool.lua", "");
    auto const absent = run_vorlan(s, {"-e", "absent.lua"});
    EXPECT_EQ(absent.out, BANNIERE + "cannot open absent.lua: No such file or directory");
    EXPECT_EQ(absent.status, 1);
}

// 0 when the script ran to its end and no command reported an error, 2 when one did (a
// refusal, a file not opened, a character skipped...), whatever the script did afterwards;
// warnings and notes are no errors. 1 is kept for a script that could not run to its end.
TEST(Main, ExitStatusTellsWhetherACommandReportedAnError) {
    struct Cas {
        char const* nom;
        char const* script;
        int statut;
    } const cas[] = {
        {"nothing reported", "print('ok')", 0},
        {"a command that did its job", "extraire('rom.bin', 't.tbl', 's.txt', 0, 1, 'SANS_POINTEURS')", 0},
        {"a warning only: a pointer outside the ROM",
         "extraire('rom.bin', 't.tbl', 's.txt', 0, 1, 2, 1, 2, 'X', true)", 0},
        {"a note of fixed-length insertion only", "inserer_fixe('rom.bin', 't.tbl', 'court.txt', 0, 1, 2)", 0},
        {"a refused argument", "extraire()", 2},
        {"a file that cannot be opened", "optimiser_dte('absent.txt', 'r.txt', 1)", 2},
        {"an unknown character", "inserer('rom.bin', 't.tbl', 'inconnu.txt', 0, 1, 'SANS_POINTEURS')", 2},
        {"a formula that fails", "inserer('rom.bin', 't.tbl', 's.txt', 0, 1, 0, 1, 2, 'X-9', true)", 2},
        {"an error, then commands that succeed", "extraire() print(hex(1))", 2},
        {"hex refusing its arguments", "hex()", 2},
        {"an interpreter error after a refused command", "extraire() error('fin')", 1},
    };
    for (auto const& c : cas) {
        Scratch s;
        s.write("vorlan-tool.lua", "");
        s.write("rom.bin", "AB");
        s.write("t.tbl", "41=A\n42=B\n");
        s.write("s.txt", "<PT0001>\nAB");
        s.write("court.txt", "A\n");
        s.write("inconnu.txt", "AZ");
        s.write("c.lua", c.script);
        EXPECT_EQ(run_vorlan(s, {"-e", "c.lua"}).status, c.statut) << c.nom;
    }
    // The start-up script's commands count too; -h and -i end with 0 whatever was reported.
    Scratch s;
    s.write("vorlan-tool.lua", "extraire()");
    s.write("c.lua", "");
    EXPECT_EQ(run_vorlan(s, {"-e", "c.lua"}).status, 2);
    EXPECT_EQ(run_vorlan(s, {"-h"}).status, 0);
    EXPECT_EQ(run_vorlan(s, {"-i"}, "extraire()\n").status, 0);
}

struct CasShell {
    char const* nom;
    std::string entree;
    std::string attendu;  // after the banner
};

TEST(Shell, Sessions) {
    CasShell const cas[] = {
        {"globals survive from chunk to chunk", "a = 5\nprint(a)\nexit()\n", "> > 5\n> "},
        {"continuation lines make one chunk", "for i = 1, 2 do \\\nprint(i) end\nexit()\n", "> >> 1\n2\n> "},
        {"three continuation lines", "x = \\\n1 + \\\n2\nprint(x)\nexit()\n", "> >> >> > 3\n> "},
        {"syntax error names the chunk in, and the shell goes on", "x = = 1\nprint('ok')\nexit()\n",
         "> [string \"in\"]:1: unexpected symbol near '='\n> ok\n> "},
        {"a percent sign in a message is printed unchanged", "error('50%s %d')\nexit()\n",
         "> [string \"in\"]:1: 50%s %d\n> "},
        {"exit() followed by a space is a chunk", "exit() \nexit()\n",
         "> [string \"in\"]:1: attempt to call global 'exit' (a nil value)\n> "},
        {"exit with a space before its parentheses is a chunk", "exit ()\nexit()\n",
         "> [string \"in\"]:1: attempt to call global 'exit' (a nil value)\n> "},
        {"an empty line is an empty chunk", "\n\nprint('x')\nexit()\n", "> > > x\n> "},
        {"end of input ends the shell without replaying the last line", "print('une fois')\n",
         "> une fois\n> "},
        {"end of input without a final line feed runs the line once", "print('fin')", "> fin\n> "},
        {"end of input inside a continuation drops the unfinished chunk", "print(\\\n", "> >> "},
        {"commands defined by the start-up script are visible", "print(depuis_demarrage)\nexit()\n", "> oui\n> "},
        {"hex from the shell", "print(hex(255), hex(4660, '%06X'))\nexit()\n", "> FF\t001234\n> "},
    };
    for (auto const& c : cas) {
        Scratch s;
        s.write("vorlan-tool.lua", "depuis_demarrage = 'oui'");
        auto r = run_vorlan(s, {"-i"}, c.entree);
        EXPECT_EQ(r.out, BANNIERE + c.attendu) << c.nom;
        EXPECT_EQ(r.status, 0) << c.nom;
    }
}

TEST(Shell, ALineLongerThanTheBufferIsReadWhole) {
    std::string longue = "print('" + std::string(400, 'a') + "')";
    Scratch s;
    s.write("vorlan-tool.lua", "");
    auto r = run_vorlan(s, {"-i"}, longue + "\nexit()\n");
    EXPECT_EQ(r.out, BANNIERE + "> " + std::string(400, 'a') + "\n> ");
}

TEST(Hex, ResultsAndMessages) {
    struct Cas {
        char const* appel;
        std::string attendu;
    } const cas[] = {
        {"hex(255)", "FF"},
        {"hex(5)", "05"},
        {"hex(10)", "0A"},
        {"hex(4096)", "1000"},
        {"hex(10.9)", "0A"},
        {"hex(-1)", "FFFFFFFF"},
        {"hex(255, '$%04X')", "$00FF"},
        {"hex(4660, '%06X')", "001234"},
        {"hex('10')", "0A"},
        {"hex(1, 2)", "2"},
        {"hex(4294967296 + 255)", "FF"},
        {"hex(0/0)", "00"},
        {"hex(1/0)", "00"},
        {"hex(255, '%0200X')", std::string(119, '0')},
        {"hex()", "Le nombre d'arguments est incorrect dans la fonction hex\n.nil"},
        {"hex(1, '%X', 3)", "Le nombre d'arguments est incorrect dans la fonction hex\n.nil"},
        {"hex({})", "Arguments incorrects donnés à la fonction hex\n.nil"},
        {"hex('abc')", "Arguments incorrects donnés à la fonction hex\n.nil"},
        {"hex(1, {})", "Arguments incorrects donnés à la fonction hex\n.nil"},
        {"hex(1, '%s')", "Arguments incorrects donnés à la fonction hex\n.nil"},
        {"hex(1, '%X%X')", "Arguments incorrects donnés à la fonction hex\n.nil"},
        {"hex(1, '%f')", "Arguments incorrects donnés à la fonction hex\n.nil"},
    };
    for (auto const& c : cas) {
        Scratch s;
        auto r = test_support::run_script(s, std::string("local v = ") + c.appel + " io.write(tostring(v))");
        EXPECT_EQ(r.out, c.attendu) << c.appel;
    }
}

}  // namespace
