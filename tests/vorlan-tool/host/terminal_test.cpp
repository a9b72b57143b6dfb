// The catalogue's texts on a terminal that shows UTF-8, run through a pseudo-terminal.
#include <gtest/gtest.h>

#include <pty.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "support/scratch.h"

namespace {

using test_support::Scratch;

// Runs vorlan-tool -e script.lua in the folder with the given LC_CTYPE (LC_ALL and LANG unset),
// its standard output a terminal (with `terminal`) or a pipe; returns what it printed.
std::string executer(Scratch const& d, char const* lc_ctype, bool terminal) {
    int tube[2] = {-1, -1};
    int maitre = -1;
    pid_t pid;
    if (terminal) {
        pid = forkpty(&maitre, nullptr, nullptr, nullptr);
    } else {
        if (pipe(tube) != 0) return "(pipe)";
        pid = fork();
    }
    if (pid < 0) return "(fork)";
    if (pid == 0) {
        if (terminal) {
            // The terminal would turn each line feed into CR LF: the bytes are compared as printed.
            termios t;
            tcgetattr(STDOUT_FILENO, &t);
            t.c_oflag &= ~static_cast<tcflag_t>(OPOST);
            tcsetattr(STDOUT_FILENO, TCSANOW, &t);
        } else {
            dup2(tube[1], STDOUT_FILENO);
            close(tube[0]);
            close(tube[1]);
        }
        unsetenv("LC_ALL");
        unsetenv("LANG");
        setenv("LC_CTYPE", lc_ctype, 1);
        if (chdir(d.dir().c_str()) != 0) _exit(126);
        execl(VORLAN_TOOL, VORLAN_TOOL, "-e", "script.lua", static_cast<char*>(nullptr));
        _exit(127);
    }
    int const lecture = terminal ? maitre : tube[0];
    if (!terminal) close(tube[1]);
    std::string sortie;
    char morceau[4096];
    for (;;) {
        ssize_t const n = read(lecture, morceau, sizeof morceau);
        if (n <= 0) break;  // a terminal whose other side has gone gives EIO
        sortie.append(morceau, static_cast<std::size_t>(n));
    }
    close(lecture);
    int statut = 0;
    waitpid(pid, &statut, 0);
    return sortie;
}

// The script names a file in UTF-8 (é as C3 A9) and prints a Latin-1 byte itself (E9): what
// the messages quote and what scripts print pass as they are.
std::string const script = "io.write('\\233\\n') extraire('rom.bin', 'table.tbl', '\\195\\169.txt', 0, 0, 'SANS_POINTEURS')";

std::string const latin1 =
    "Vorlan-tool version 1.1\n\xE9\n"
    "Extraction du fichier '\xC3\xA9.txt' \xE0 partir du fichier 'rom.bin'...\n"
    "Extraction termin\xE9" "e !\n\n";

std::string const utf8 =
    "Vorlan-tool version 1.1\n\xE9\n"
    "Extraction du fichier '\xC3\xA9.txt' \xC3\xA0 partir du fichier 'rom.bin'...\n"
    "Extraction termin\xC3\xA9" "e !\n\n";

TEST(Terminal, CatalogueTextsAreUtf8OnlyOnAUtf8Terminal) {
    Scratch d;
    d.write("vorlan-tool.lua", "");
    d.write("rom.bin", "A");
    d.write("table.tbl", "41=A\n");
    d.write("script.lua", script);
    EXPECT_EQ(executer(d, "C.UTF-8", true), utf8);
    EXPECT_EQ(executer(d, "C", true), latin1);
    // A pipe or a file keeps the program's bytes, whatever the locale.
    EXPECT_EQ(executer(d, "C.UTF-8", false), latin1);
    // An error message of the catalogue too.
    d.write("script.lua", "extraire()");
    EXPECT_EQ(executer(d, "C.UTF-8", true),
              "Vorlan-tool version 1.1\nLa fonction \"extraire\" a un nombre d'argument incorrect\n");
    d.write("script.lua", "inserer('rom.bin', 'table.tbl', 'absent.txt', 0, 0, 'SANS_POINTEURS')");
    EXPECT_EQ(executer(d, "C.UTF-8", true),
              "Vorlan-tool version 1.1\nInsertion du fichier 'absent.txt' dans le fichier 'rom.bin'...\n"
              "Impossible d'ouvrir le fichier \"absent.txt\"\nInsertion termin\xC3\xA9" "e !\n\n");
}

}  // namespace
