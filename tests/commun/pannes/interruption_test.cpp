// A large insertion killed at any moment: the ROM is the old one or the new one, whole.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "pannes/injection.h"
#include "support/scratch.h"

namespace {

using test_support::Scratch;
using Horloge = std::chrono::steady_clock;

// Starts vorlan-tool on script.lua in the folder, its output thrown away.
pid_t demarrer(std::string const& dossier) {
    pid_t const pid = fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        int const nul = open("/dev/null", O_WRONLY);
        dup2(nul, STDOUT_FILENO);
        dup2(nul, STDERR_FILENO);
        if (chdir(dossier.c_str()) != 0) _exit(126);
        char const* const argv[] = {VORLAN_TOOL, "-e", "script.lua", nullptr};
        execv(VORLAN_TOOL, const_cast<char* const*>(argv));
        _exit(127);
    }
    return pid;
}

int attendre(pid_t pid) {
    int statut = 0;
    while (waitpid(pid, &statut, 0) < 0 && errno == EINTR) {
    }
    return statut;
}

struct Restes {
    int fichiers = 0;
    int entames = 0;  // those already holding new bytes: the kill came in the middle of the commit
};

// The temporary files a killed run left beside the ROM, removed.
void nettoyer(Scratch const& s, Restes& restes) {
    for (auto const& entree : std::filesystem::directory_iterator(s.dir())) {
        if (entree.path().filename().string().rfind("rom.bin.tmp-", 0) == 0) {
            ++restes.fichiers;
            restes.entames += std::filesystem::file_size(entree.path()) > 0;
            std::filesystem::remove(entree.path());
        }
    }
}

// The whole file, read in one go: the ROM is read after every kill.
std::string lire(std::string const& chemin) {
    std::ifstream in(chemin, std::ios::binary | std::ios::ate);
    if (!in) throw std::runtime_error("cannot read " + chemin);
    std::string octets(static_cast<std::size_t>(in.tellg()), '\0');
    in.seekg(0);
    in.read(octets.data(), static_cast<std::streamsize>(octets.size()));
    return octets;
}

std::string premier_ecart(std::string const& a, std::string const& b) {
    auto const ecart = std::mismatch(a.begin(), a.begin() + static_cast<long>(std::min(a.size(), b.size())), b.begin());
    return std::to_string(ecart.first - a.begin());
}

TEST(Interruption, AnInsertionKilledAtAnyPointLeavesTheOldRomOrTheNewOne) {
    int const tues = pannes::forme_complete() ? 200 : 20;
    std::size_t const taille = 32u << 20;

    Scratch s;
    // Random old bytes, so that old and new differ nearly everywhere: the insertion writes 1 MiB
    // of text from 4 KiB on, then zeros up to the end.
    std::string ancienne(taille, '\0');
    std::mt19937 hasard(12345);
    for (char& c : ancienne) c = static_cast<char>(hasard() >> 24);
    std::string table;
    char ligne[8];
    for (int c = 0x20; c < 0x7F; ++c) {
        std::snprintf(ligne, sizeof ligne, "%02X=%c\n", c, c);
        table += ligne;
    }
    std::string texte;
    while (texte.size() < (1u << 20)) texte += "Le village de Karst vous attend au nord, voyageur. ";
    s.write("vorlan-tool.lua", "");
    s.write("script.lua", "inserer('rom.bin', 'table.tbl', 'texte.txt', 0x1000, 0x1FFFFFF, 'SANS_POINTEURS')\n");
    s.write("table.tbl", table);
    s.write("texte.txt", texte);

    // Clean runs: the new ROM, and how long a run takes (the median of three).
    std::vector<double> durees;
    std::string nouvelle;
    for (int i = 0; i < 3; ++i) {
        s.write("rom.bin", ancienne);
        auto const debut = Horloge::now();
        int const statut = attendre(demarrer(s.dir()));
        durees.push_back(std::chrono::duration<double>(Horloge::now() - debut).count());
        ASSERT_TRUE(WIFEXITED(statut) && WEXITSTATUS(statut) == 0);
        std::string const rom = lire(s.path("rom.bin"));
        ASSERT_EQ(rom.size(), taille);
        if (i == 0) nouvelle = rom;
        // Compared as booleans: 32 MiB of bytes would drown any message.
        ASSERT_TRUE(rom == nouvelle) << "two clean runs differ";
    }
    std::size_t differents = 0;
    for (std::size_t i = 0; i < taille; ++i) differents += ancienne[i] != nouvelle[i];
    ASSERT_GT(differents, taille / 10 * 9) << "the insertion must rewrite most of the ROM";
    std::sort(durees.begin(), durees.end());
    double const duree = durees[1];

    std::random_device graine;
    unsigned const germe = graine();
    std::mt19937 delais(germe);
    std::uniform_real_distribution<double> instant(0.0, duree);
    int interrompues = 0;
    int anciennes = 0;
    int nouvelles = 0;
    Restes restes;
    bool ancienne_en_place = false;
    for (int essai = 0; essai < tues; ++essai) {
        if (!ancienne_en_place) s.write("rom.bin", ancienne);
        double const delai = instant(delais);
        pid_t const pid = demarrer(s.dir());
        std::this_thread::sleep_for(std::chrono::duration<double>(delai));
        kill(pid, SIGKILL);
        int const statut = attendre(pid);
        if (WIFSIGNALED(statut) && WTERMSIG(statut) == SIGKILL) ++interrompues;
        nettoyer(s, restes);

        std::string const rom = lire(s.path("rom.bin"));
        bool const est_ancienne = rom == ancienne;
        bool const est_nouvelle = rom == nouvelle;
        ASSERT_TRUE(est_ancienne || est_nouvelle)
            << "killed after " << delai << " s (seed " << germe << "): the ROM has " << rom.size()
            << " bytes, the same as the old one up to byte " << premier_ecart(rom, ancienne)
            << ", as the new one up to byte " << premier_ecart(rom, nouvelle);
        anciennes += est_ancienne;
        nouvelles += est_nouvelle;
        ancienne_en_place = est_ancienne;
        std::vector<std::string> noms;
        for (auto const& entree : std::filesystem::directory_iterator(s.dir()))
            noms.push_back(entree.path().filename().string());
        std::sort(noms.begin(), noms.end());
        ASSERT_EQ(noms,
                  (std::vector<std::string>{"rom.bin", "script.lua", "table.tbl", "texte.txt", "vorlan-tool.lua"}));
        ASSERT_TRUE(s.read("texte.txt") == texte);
        ASSERT_EQ(s.read("table.tbl"), table);
    }
    // Kills that all came after the end would prove nothing.
    EXPECT_GT(interrompues, 0);
    std::printf("%d kills over a run of %.0f ms (seed %u): %d interrupted the program, %d left the old ROM, %d the "
                "new one; %d temporary files removed, %d of them already holding new bytes\n",
                tues, duree * 1000, germe, interrompues, anciennes, nouvelles, restes.fichiers, restes.entames);
}

}  // namespace
