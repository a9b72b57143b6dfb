// A real full disk, on a small tmpfs: a replacement that does not fit fails cleanly.
#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/statvfs.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "support/process.h"
#include "support/scratch.h"

namespace {

using test_support::Scratch;

constexpr std::size_t Kio = 1024;

// A tmpfs of the given size over a scratch folder, unmounted when it goes, whatever happened.
class Tmpfs {
public:
    Tmpfs(std::string dossier, std::size_t taille) : dossier_(std::move(dossier)) {
        std::string const options = "size=" + std::to_string(taille);
        if (mount("tmpfs", dossier_.c_str(), "tmpfs", 0, options.c_str()) == 0)
            monte_ = true;
        else
            erreur_ = std::strerror(errno);
    }
    ~Tmpfs() {
        if (!monte_) return;
        std::error_code ec;
        for (auto const& entree : std::filesystem::directory_iterator(dossier_, ec))
            std::filesystem::remove_all(entree.path(), ec);
        if (umount(dossier_.c_str()) != 0) umount2(dossier_.c_str(), MNT_DETACH);
    }
    Tmpfs(Tmpfs const&) = delete;
    Tmpfs& operator=(Tmpfs const&) = delete;

    bool monte() const { return monte_; }
    std::string const& erreur() const { return erreur_; }
    std::size_t libre() const {
        struct statvfs etat;
        return statvfs(dossier_.c_str(), &etat) == 0 ? etat.f_bavail * etat.f_frsize : 0;
    }

private:
    std::string dossier_;
    bool monte_ = false;
    std::string erreur_;
};

std::string motif(std::size_t taille) {
    std::string octets;
    for (std::size_t i = 0; i < taille; ++i) octets += static_cast<char>((i * 131 + i / 251) & 0xFF);
    return octets;
}

// A compressed block of 600 KiB of text, made by Pakrun itself.
std::string bloc_compresse() {
    Scratch s;
    std::string texte;
    while (texte.size() < 600 * Kio) texte += "Welcome to Vorlan, traveller! The gate is shut. ";
    texte.resize(600 * Kio);
    s.write("texte.bin", texte);
    test_support::RunResult const r = test_support::run(PAKRUN, {"-c", "-n", "rom.bin", "texte.bin"}, s.dir());
    if (r.status != 0) throw std::runtime_error("Pakrun could not compress: " + r.out);
    return s.read("rom.bin");
}

struct Cas {
    char const* nom;
    char const* programme;
    std::vector<std::string> arguments;
    std::vector<std::pair<std::string, std::string>> fichiers;  // written in this order
    std::string cible;
    std::size_t taille;  // of the new target, which must not fit
    std::string message;
};

std::string const plein = "No space left on device";

TEST(DisquePlein, AReplacementThatDoesNotFitLeavesTheFileAsItWas) {
    std::string const table = "41=A\n42=B\n01=\\n\n";
    std::string const ancien_script = "<PT0001>\nAB<01>\n";
    // Tilmar needs a picture to put back: one tile, from the ROM's first bytes.
    std::string police;
    {
        Scratch s;
        s.write("rom.bin", motif(18));
        test_support::RunResult const r = test_support::run(TILMAR, {"-t", "1", "rom.bin", "police.bmp"}, s.dir());
        ASSERT_EQ(r.status, 0) << r.out;
        police = s.read("police.bmp");
    }

    std::vector<Cas> const cas = {
        // 600 KiB of ROM on 1 MiB: its replacement cannot be written beside it.
        {"inserer", VORLAN_TOOL, {"-e", "script.lua"},
         {{"vorlan-tool.lua", ""},
          {"script.lua", "inserer('rom.bin', 'table.tbl', 'texte.txt', 0, 0xFFF, 'SANS_POINTEURS')\n"},
          {"table.tbl", table},
          {"texte.txt", "ABBA"},
          {"rom.bin", motif(600 * Kio)}},
         "rom.bin", 600 * Kio,
         "Erreur, impossible d'écrire dans le fichier \"rom.bin\"\nCause : " + plein +
             ". Le fichier \"rom.bin\" n'a pas été modifié.\n"},
        // A 300 KiB ROM of letters gives a script larger than what 500 KiB of filler leaves.
        {"extraire", VORLAN_TOOL, {"-e", "script.lua"},
         {{"vorlan-tool.lua", ""},
          {"script.lua", "extraire('rom.bin', 'table.tbl', 'script.txt', 0, 0x4AFFF, 'SANS_POINTEURS')\n"},
          {"table.tbl", table},
          {"script.txt", ancien_script},
          {"rom.bin", std::string(300 * Kio, 'A')},
          {"remplissage", std::string(500 * Kio, '\0')}},
         "script.txt", 300 * Kio,
         "Erreur, impossible d'écrire dans le fichier \"script.txt\"\nCause : " + plein +
             ". Le fichier \"script.txt\" n'a pas été modifié.\n"},
        {"Tilmar insertion", TILMAR, {"-i", "-t", "1", "rom.bin", "police.bmp"},
         {{"police.bmp", police}, {"rom.bin", motif(600 * Kio)}},
         "rom.bin", 600 * Kio,
         "unable to write rom file rom.bin\ncause: " + plein + "; rom.bin was not changed\n"},
        {"Pakrun decompression", PAKRUN, {"-d", "-s", std::to_string(600 * Kio), "rom.bin", "texte.bin"},
         {{"texte.bin", "ancien"}, {"rom.bin", bloc_compresse()}, {"remplissage", std::string(600 * Kio, '\0')}},
         "texte.bin", 600 * Kio,
         "unable to write data file texte.bin\ncause: " + plein + "; texte.bin was not changed\n"},
    };
    for (Cas const& c : cas) {
        SCOPED_TRACE(c.nom);
        Scratch s;
        Tmpfs disque(s.dir(), 1024 * Kio);
        if (!disque.monte())
            GTEST_SKIP() << "no tmpfs could be mounted on " << s.dir() << " (" << disque.erreur()
                         << "): the full-disk test needs root and a system that allows the mount";
        for (auto const& [nom, octets] : c.fichiers) s.write(nom, octets);
        auto const avant = s.snapshot();
        ASSERT_LT(disque.libre(), c.taille) << "the case must leave less room than its replacement needs";

        test_support::RunResult const r = test_support::run(c.programme, c.arguments, s.dir());
        EXPECT_NE(r.out.find(c.message), std::string::npos) << "no message \"" << c.message << "\" in:\n" << r.out;
        if (std::string(c.programme) != VORLAN_TOOL) {
            EXPECT_EQ(r.status, 1) << r.out;
        }
        // The target and everything else as it was, and no temporary file.
        auto const apres = s.snapshot();
        for (auto const& [nom, octets] : apres)
            EXPECT_TRUE(avant.count(nom) != 0) << nom << " was left behind";
        EXPECT_TRUE(apres.count(c.cible) != 0 && apres.at(c.cible) == avant.at(c.cible)) << c.cible << " was changed";
        EXPECT_TRUE(apres == avant) << "a file was changed";
    }
}

}  // namespace
