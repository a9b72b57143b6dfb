// Two commands patching different parts of one ROM at the same time: each reads the whole ROM
// and replaces it whole, so without the lock the later one would put back the part the other
// just changed. The built programs run for real, started together, many rounds over.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "remplacement/dossier.h"
#include "support/process.h"
#include "support/scratch.h"

namespace {

using essai_remplacement::contenu;
using essai_remplacement::droits;
using test_support::RunResult;
using test_support::Scratch;
using Args = std::vector<std::string>;

constexpr int tours = 30;
constexpr std::size_t taille_rom = 1 << 20;

struct Commande {
    std::string programme;
    Args args;
};

// Runs the commands in the folder all at once: every child waits on one pipe before it runs its
// program, and closing that pipe lets them all go together. Standard output goes to a file of
// `sorties`, so that the folder of the ROM holds nothing else.
std::vector<RunResult> ensemble(std::vector<Commande> const& commandes, std::string const& dossier,
                                Scratch const& sorties) {
    int depart[2];
    if (pipe(depart) != 0) throw std::runtime_error("pipe");
    std::fflush(nullptr);
    std::vector<pid_t> enfants;
    for (std::size_t i = 0; i < commandes.size(); ++i) {
        std::string const sortie = sorties.path("sortie-" + std::to_string(i));
        pid_t const pid = fork();
        if (pid < 0) throw std::runtime_error("fork");
        if (pid == 0) {
            close(depart[1]);
            int const out = open(sortie.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            int const in = open("/dev/null", O_RDONLY);
            if (out < 0 || in < 0 || dup2(out, STDOUT_FILENO) < 0 || dup2(in, STDIN_FILENO) < 0) _exit(126);
            if (chdir(dossier.c_str()) != 0) _exit(126);
            char c;
            while (read(depart[0], &c, 1) > 0) {
            }
            std::vector<char*> argv;
            argv.push_back(const_cast<char*>(commandes[i].programme.c_str()));
            for (auto const& a : commandes[i].args) argv.push_back(const_cast<char*>(a.c_str()));
            argv.push_back(nullptr);
            execv(argv[0], argv.data());
            _exit(127);
        }
        enfants.push_back(pid);
    }
    close(depart[0]);
    close(depart[1]);
    std::vector<RunResult> resultats;
    for (std::size_t i = 0; i < enfants.size(); ++i) {
        int statut = 0;
        waitpid(enfants[i], &statut, 0);
        RunResult r;
        r.status = WIFEXITED(statut) ? WEXITSTATUS(statut) : -1;
        r.out = sorties.read("sortie-" + std::to_string(i));
        resultats.push_back(r);
    }
    return resultats;
}

// A ROM whose bytes differ from one position to the next, so that a part put back shows.
std::string rom_numerotee() {
    std::string rom(taille_rom, '\0');
    for (std::size_t i = 0; i < rom.size(); ++i) rom[i] = static_cast<char>((i * 131 + i / 251) & 0xFF);
    return rom;
}

// Capital letters that change with the round, the writer and the position.
std::string lettres(int tour, int qui, std::size_t combien) {
    std::string mot;
    for (std::size_t j = 0; j < combien; ++j) mot += static_cast<char>('A' + (tour * 7 + qui * 11 + j * 3) % 26);
    return mot;
}

void poser(std::string& rom, std::size_t position, std::string const& octets) {
    rom.replace(position, octets.size(), octets);
}

std::string pointeur(std::size_t valeur) {
    return {static_cast<char>(valeur & 0xFF), static_cast<char>((valeur >> 8) & 0xFF),
            static_cast<char>((valeur >> 16) & 0xFF)};
}

std::string table_lettres() {
    std::string table = "00=<FIN>\\n\n";
    char ligne[8];
    for (int c = 'A'; c <= 'Z'; ++c) {
        std::snprintf(ligne, sizeof ligne, "%02X=%c\n", c, c);
        table += ligne;
    }
    return table;
}

// One writer of a round: the files it reads, written before the round; the command; its output;
// and what it does to the ROM.
struct Ecrivain {
    std::function<void(int tour)> preparer;
    Commande commande;
    std::function<std::string(int tour)> sortie;
    std::function<void(int tour, std::string& rom)> appliquer;
    // The parts of the ROM it changes in that round, as (offset, size).
    std::function<std::vector<std::pair<std::size_t, std::size_t>>(int tour)> parties;
};

// Runs the writers together for every round, and checks after each that the ROM holds every
// writer's change of that round and nothing else changed.
void faire_les_tours(Scratch const& s, std::vector<Ecrivain> const& ecrivains) {
    Scratch sorties;
    std::string attendu = s.read("rom.bin");
    for (auto const& e : ecrivains) e.preparer(0);
    auto const entrees = contenu(s.dir());
    for (int tour = 0; tour < tours; ++tour) {
        SCOPED_TRACE("round " + std::to_string(tour));
        std::vector<Commande> commandes;
        for (auto const& e : ecrivains) {
            e.preparer(tour);
            commandes.push_back(e.commande);
            e.appliquer(tour, attendu);
        }
        std::vector<RunResult> const resultats = ensemble(commandes, s.dir(), sorties);
        std::string const rom = s.read("rom.bin");
        for (std::size_t i = 0; i < ecrivains.size(); ++i) {
            auto const& e = ecrivains[i];
            EXPECT_EQ(resultats[i].out, e.sortie(tour)) << "writer " << i;
            for (auto const& [debut, taille] : e.parties(tour))
                EXPECT_TRUE(rom.size() == attendu.size() && rom.compare(debut, taille, attendu, debut, taille) == 0)
                    << "writer " << i << " lost its change of " << taille << " bytes at 0x" << std::hex << debut;
        }
        EXPECT_TRUE(rom == attendu) << "the ROM changed outside the parts written";
        // The folder holds what it held: no temporary file left, every link still a link.
        auto maintenant = contenu(s.dir());
        for (auto const& [nom, octets] : entrees) {
            EXPECT_EQ(maintenant.count(nom), 1u) << nom;
            if (octets.rfind("-> ", 0) == 0) {
                EXPECT_EQ(maintenant[nom], octets) << nom;
            }
        }
        EXPECT_EQ(maintenant.size(), entrees.size());
        if (::testing::Test::HasFailure()) return;
    }
}

// inserer_fixe of `nombre` words of `taille` letters at `adresse`, by the script `nom`.lua.
Ecrivain mots_fixes(Scratch const& s, int qui, std::string const& rom, std::size_t adresse) {
    constexpr int nombre = 8;
    constexpr int taille = 6;
    std::string const nom = "mots-" + std::to_string(qui);
    s.write(nom + ".lua", "inserer_fixe('" + rom + "', 'lettres.tbl', '" + nom + ".txt', " + std::to_string(adresse) +
                              ", " + std::to_string(nombre) + ", " + std::to_string(taille) + ")\n");
    auto mots = [qui](int tour) {
        std::string texte;
        for (int k = 0; k < nombre; ++k) texte += lettres(tour + k, qui, taille) + "\n";
        return texte;
    };
    Ecrivain e;
    e.preparer = [&s, nom, mots](int tour) { s.write(nom + ".txt", mots(tour)); };
    e.commande = {VORLAN_TOOL, {"-e", nom + ".lua"}};
    e.sortie = [nom, rom](int) {
        return "Insertion fixe du fichier '" + nom + ".txt' dans le fichier '" + rom + "'...\nInsertion fixe terminée !\n\n";
    };
    e.appliquer = [adresse, mots](int tour, std::string& image) {
        std::string octets = mots(tour);
        octets.erase(std::remove(octets.begin(), octets.end(), '\n'), octets.end());
        poser(image, adresse, octets);
    };
    e.parties = [adresse](int) { return std::vector<std::pair<std::size_t, std::size_t>>{{adresse, nombre * taille}}; };
    return e;
}

// inserer of two texts into [debut, debut + 255], with their two 3-byte pointers at `table`.
Ecrivain textes(Scratch const& s, int qui, std::size_t table, std::size_t debut) {
    std::size_t const fin = debut + 255;
    std::string const nom = "textes-" + std::to_string(qui);
    s.write(nom + ".lua", "inserer('rom.bin', 'lettres.tbl', '" + nom + ".txt', " + std::to_string(debut) + ", " +
                              std::to_string(fin) + ", " + std::to_string(table) + ", 2, 3, 'X', true)\n");
    // Lengths change from round to round, so that the second pointer moves.
    auto premier = [qui](int tour) { return lettres(tour, qui, 5 + static_cast<std::size_t>(tour % 9)); };
    auto second = [qui](int tour) { return lettres(tour + 1, qui, 20 - static_cast<std::size_t>(tour % 7)); };
    Ecrivain e;
    e.preparer = [&s, nom, premier, second](int tour) {
        s.write(nom + ".txt", "<PT0001>\n" + premier(tour) + "<FIN>\n<PT0002>\n" + second(tour) + "<FIN>\n");
    };
    e.commande = {VORLAN_TOOL, {"-e", nom + ".lua"}};
    e.sortie = [nom, premier, second](int tour) {
        std::size_t const restants = 256 - premier(tour).size() - second(tour).size() - 2;
        return "Insertion du fichier '" + nom + ".txt' dans le fichier 'rom.bin'...\n" + std::to_string(restants) +
               " octets restants\nInsertion terminée !\n\n";
    };
    e.appliquer = [table, debut, premier, second](int tour, std::string& image) {
        std::string zone = premier(tour) + '\0' + second(tour) + '\0';
        std::size_t const deuxieme = debut + premier(tour).size() + 1;
        zone.resize(256, '\0');
        poser(image, debut, zone);
        poser(image, table, pointeur(debut) + pointeur(deuxieme));
    };
    e.parties = [table, debut](int) {
        return std::vector<std::pair<std::size_t, std::size_t>>{{table, 6}, {debut, 256}};
    };
    return e;
}

// vorlan-tool prints its banner first: the writers' outputs are compared without it.
Ecrivain sans_banniere(Ecrivain e) {
    auto const sortie = e.sortie;
    e.sortie = [sortie](int tour) { return "Vorlan-tool version 1.1\n" + sortie(tour); };
    return e;
}

TEST(CommandesEnMemeTemps, TwoWordListsInsertedTogetherBothStay) {
    Scratch s;
    s.write("rom.bin", rom_numerotee());
    s.write("lettres.tbl", table_lettres());
    s.write("vorlan-tool.lua", "");
    faire_les_tours(s, {sans_banniere(mots_fixes(s, 0, "rom.bin", 0x1000)),
                        sans_banniere(mots_fixes(s, 1, "rom.bin", 0x80000))});
}

TEST(CommandesEnMemeTemps, OneThroughALinkAndOneByTheFileNameBothStay) {
    Scratch s;
    std::filesystem::create_directory(s.path("vrai"));
    s.write("vrai/rom.bin", rom_numerotee());
    ASSERT_EQ(symlink("vrai/rom.bin", s.path("rom.bin").c_str()), 0);
    s.write("lettres.tbl", table_lettres());
    s.write("vorlan-tool.lua", "");
    faire_les_tours(s, {sans_banniere(mots_fixes(s, 0, "rom.bin", 0x1000)),
                        sans_banniere(mots_fixes(s, 1, "vrai/rom.bin", 0x80000))});
}

TEST(CommandesEnMemeTemps, TwoScriptsInsertedTogetherBothStay) {
    Scratch s;
    s.write("rom.bin", rom_numerotee());
    s.write("lettres.tbl", table_lettres());
    s.write("vorlan-tool.lua", "");
    faire_les_tours(s, {sans_banniere(textes(s, 0, 0x100, 0x2000)), sans_banniere(textes(s, 1, 0x200, 0x90000))});
}

// Tilmar -i of 16 tiles at `position`, from a picture that Tilmar extracts, in `reference`,
// from each round's tile bytes.
Ecrivain tuiles(Scratch const& reference, std::size_t position) {
    constexpr std::size_t nombre = 16;
    auto octets = [](int tour) {
        std::string octets(nombre * 18, '\0');
        for (std::size_t i = 0; i < octets.size(); ++i) octets[i] = static_cast<char>((i * 29 + tour * 53 + 7) & 0xFF);
        return octets;
    };
    Ecrivain e;
    e.preparer = [&reference, octets](int tour) {
        reference.write("source.rom", octets(tour));
        RunResult const r =
            test_support::run(TILMAR, {"-t", std::to_string(nombre), "source.rom", "tuiles.bmp"}, reference.dir());
        ASSERT_EQ(r.status, 0) << r.out;
    };
    e.commande = {TILMAR,
                  {"-i", "-t", std::to_string(nombre), "-o", std::to_string(position), "rom.bin",
                   reference.path("tuiles.bmp")}};
    e.sortie = [](int) { return std::string(); };
    e.appliquer = [position, octets](int tour, std::string& rom) { poser(rom, position, octets(tour)); };
    e.parties = [position](int) { return std::vector<std::pair<std::size_t, std::size_t>>{{position, nombre * 18}}; };
    return e;
}

// Pakrun -c of each round's data at `position`. Its compressed form comes from Pakrun run
// alone on a new file, for every round before the rounds start.
Ecrivain bloc(Scratch const& reference, std::size_t position) {
    auto donnees = [](int tour) {
        std::string texte;
        for (int k = 0; k < 40 + tour; ++k) texte += "round " + std::to_string(tour) + " line " + std::to_string(k) + "\n";
        return texte;
    };
    auto compresses = std::make_shared<std::vector<std::string>>();
    for (int tour = 0; tour < tours; ++tour) {
        reference.write("donnees.bin", donnees(tour));
        RunResult const r = test_support::run(PAKRUN, {"-c", "-n", "-o", "0", "seul.rom", "donnees.bin"}, reference.dir());
        EXPECT_EQ(r.status, 0) << r.out;
        compresses->push_back(reference.read("seul.rom"));
    }
    std::string const fichier = reference.path("donnees.bin");
    Ecrivain e;
    e.preparer = [&reference, donnees](int tour) { reference.write("donnees.bin", donnees(tour)); };
    e.commande = {PAKRUN, {"-c", "-o", std::to_string(position), "rom.bin", fichier}};
    e.sortie = [=](int tour) {
        char ligne[400];
        std::snprintf(ligne, sizeof ligne,
                      "Compressed %zu bytes (uncompressed size = %zu) from file %s to offset 0x%08zX of file rom.bin\n",
                      (*compresses)[tour].size(), donnees(tour).size(), fichier.c_str(), position);
        return std::string(ligne);
    };
    e.appliquer = [=](int tour, std::string& rom) { poser(rom, position, (*compresses)[tour]); };
    e.parties = [=](int tour) {
        return std::vector<std::pair<std::size_t, std::size_t>>{{position, (*compresses)[tour].size()}};
    };
    return e;
}

TEST(CommandesEnMemeTemps, TilesAndACompressedBlockWrittenTogetherBothStay) {
    Scratch s;
    s.write("rom.bin", rom_numerotee());
    Scratch reference;  // the picture and the data are made there, away from the ROM's folder
    faire_les_tours(s, {tuiles(reference, 0x1000), bloc(reference, 0x80000)});
}

// With three, one of them may come to the file after another replaced it, while a third waits
// on the file replaced: the newcomer must wait for that third one, not start beside it.
TEST(CommandesEnMemeTemps, ThreeProgramsTogetherAllKeepTheirChange) {
    Scratch s;
    s.write("rom.bin", rom_numerotee());
    s.write("lettres.tbl", table_lettres());
    s.write("vorlan-tool.lua", "");
    Scratch reference;
    faire_les_tours(s, {sans_banniere(mots_fixes(s, 0, "rom.bin", 0x40000)), tuiles(reference, 0x1000),
                        bloc(reference, 0x80000)});
}

// Every patching command, given a link as the ROM, replaces the file the link designates and
// leaves the link as it was.
TEST(RomDonneeParUnLien, ThePatchGoesToTheFileTheLinkDesignatesAndTheLinkStays) {
    struct Cas {
        char const* nom;
        std::function<void(Scratch const&)> preparer;
        Commande commande;
        std::string sortie;
        std::function<void(std::string&)> appliquer;
    } const cas[] = {
        {"vorlan-tool inserer",
         [](Scratch const& s) {
             s.write("lettres.tbl", table_lettres());
             s.write("vorlan-tool.lua", "");
             s.write("texte.txt", "<PT0001>\nABC<FIN>\n");
             s.write("inserer.lua", "inserer('lien.rom', 'lettres.tbl', 'texte.txt', 0x2000, 0x200F, 0x100, 1, 3, 'X', true)\n");
         },
         {VORLAN_TOOL, {"-e", "inserer.lua"}},
         "Vorlan-tool version 1.1\nInsertion du fichier 'texte.txt' dans le fichier 'lien.rom'...\n"
         "12 octets restants\nInsertion terminée !\n\n",
         [](std::string& rom) {
             poser(rom, 0x2000, std::string("ABC\0", 4) + std::string(12, '\0'));
             poser(rom, 0x100, pointeur(0x2000));
         }},
        {"vorlan-tool inserer_fixe",
         [](Scratch const& s) {
             s.write("lettres.tbl", table_lettres());
             s.write("vorlan-tool.lua", "");
             s.write("mots.txt", "ABCD\nEFGH\n");
             s.write("inserer.lua", "inserer_fixe('lien.rom', 'lettres.tbl', 'mots.txt', 0x3000, 2, 4)\n");
         },
         {VORLAN_TOOL, {"-e", "inserer.lua"}},
         "Vorlan-tool version 1.1\nInsertion fixe du fichier 'mots.txt' dans le fichier 'lien.rom'...\n"
         "Insertion fixe terminée !\n\n",
         [](std::string& rom) { poser(rom, 0x3000, "ABCDEFGH"); }},
        {"Pakrun -c",
         [](Scratch const& s) { s.write("donnees.bin", "abcabcabcabc"); },
         {PAKRUN, {"-c", "-o", "0x4000", "lien.rom", "donnees.bin"}},
         "Compressed 6 bytes (uncompressed size = 12) from file donnees.bin to offset 0x00004000 of file lien.rom\n",
         [](std::string& rom) { poser(rom, 0x4000, "\xE0\x61\x62\x63\xEF\x70"); }},
    };
    for (auto const& c : cas) {
        SCOPED_TRACE(c.nom);
        Scratch s;
        std::filesystem::create_directory(s.path("vrai"));
        std::string attendu = rom_numerotee();
        s.write("vrai/rom.bin", attendu);
        ASSERT_EQ(chmod(s.path("vrai/rom.bin").c_str(), 0640), 0);
        ASSERT_EQ(symlink("vrai/rom.bin", s.path("lien.rom").c_str()), 0);
        c.preparer(s);
        auto entrees = contenu(s.dir());

        RunResult const r = test_support::run(c.commande.programme, c.commande.args, s.dir());
        EXPECT_EQ(r.out, c.sortie);
        c.appliquer(attendu);
        entrees["vrai/rom.bin"] = attendu;
        EXPECT_EQ(contenu(s.dir()), entrees);  // "lien.rom" is still "-> vrai/rom.bin"
        EXPECT_EQ(droits(s.path("vrai/rom.bin")), 0640u);
    }
}

// Tilmar's insertion through a link: the tiles come from a picture Tilmar extracted itself.
TEST(RomDonneeParUnLien, TilmarInsertsIntoTheFileTheLinkDesignates) {
    Scratch s;
    std::filesystem::create_directory(s.path("vrai"));
    std::string tuiles(2 * 18, '\0');
    for (std::size_t i = 0; i < tuiles.size(); ++i) tuiles[i] = static_cast<char>(i * 37 + 5);
    s.write("source.rom", tuiles);
    ASSERT_EQ(test_support::run(TILMAR, {"-t", "2", "source.rom", "tuiles.bmp"}, s.dir()).status, 0);
    std::string attendu = rom_numerotee();
    s.write("vrai/rom.bin", attendu);
    ASSERT_EQ(symlink("vrai/rom.bin", s.path("lien.rom").c_str()), 0);
    auto entrees = contenu(s.dir());

    RunResult const r = test_support::run(TILMAR, {"-i", "-t", "2", "-o", "0x5000", "lien.rom", "tuiles.bmp"}, s.dir());
    EXPECT_EQ(r.status, 0) << r.out;
    poser(attendu, 0x5000, tuiles);
    entrees["vrai/rom.bin"] = attendu;
    EXPECT_EQ(contenu(s.dir()), entrees);
}

}  // namespace
