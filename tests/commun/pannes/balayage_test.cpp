// Every writing operation of the three programs, run with each call of its commit path made to
// fail in turn: the file it replaces must be its old self or wholly the new one, never a mix
// nor a stump, no temporary file may stay behind, and the program must say what happened.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "pannes/injection.h"
#include "support/process.h"
#include "support/scratch.h"

namespace {

using test_support::Scratch;
using Fichiers = std::map<std::string, std::string>;

enum class Outil { vorlan, tilmar, pakrun };

char const* chemin(Outil outil) {
    switch (outil) {
    case Outil::vorlan: return VORLAN_TOOL;
    case Outil::tilmar: return TILMAR;
    case Outil::pakrun: return PAKRUN;
    }
    return "";
}

// One writing operation, from its starting files.
struct Operation {
    std::string nom;
    Outil outil;
    std::vector<std::string> arguments;  // vorlan-tool runs script.lua, one of the files
    Fichiers fichiers;
    std::string cible;        // the file the operation replaces
    std::string quoi;         // Tilmar and Pakrun: "rom", "bitmap" or "data", as their messages say
    bool verrouillee = false; // a ROM patched in place: locked before it is read
    std::string refus;        // the message when the target cannot even be opened or created
};

// ---------------------------------------------------------------------------------------------
// The starting files.

std::string const ancien = "ancien contenu, qu'une panne doit laisser tel quel\n";

// Bytes that differ from one position to the next, so that any misplaced byte shows.
std::string motif(std::size_t taille, unsigned graine) {
    std::string octets;
    for (std::size_t i = 0; i < taille; ++i) octets += static_cast<char>((i * 37 + i / 11 * 5 + graine) & 0xFF);
    return octets;
}

std::string const table = [] {
    std::string t = "00=<FIN>\\n\n01=\\n\n20= \n2E=.\n2C=,\n21=!\n5F=_\n";
    char ligne[8];
    for (int c = 'A'; c <= 'Z'; ++c) {
        std::snprintf(ligne, sizeof ligne, "%02X=%c\n", c, c);
        t += ligne;
        std::snprintf(ligne, sizeof ligne, "%02X=%c\n", c + 32, c + 32);
        t += ligne;
    }
    return t;
}();

// A 1 KiB ROM: 4 little-endian pointers at 0 to texts from $100, 4 words of 8 at $300.
std::string const rom_textes = [] {
    std::string rom = motif(1024, 3);
    auto poser = [&rom](std::size_t ou, std::string const& octets) { rom.replace(ou, octets.size(), octets); };
    poser(0, std::string("\x00\x01\x20\x01\x50\x01\x50\x01", 8));
    poser(0x100, std::string("Bonjour voyageur.\x00", 18));
    poser(0x120, std::string("Le village de Karst\x01vous attend.\x00", 33));
    poser(0x150, std::string("Karst est au nord, voyageur.\x00", 29));
    poser(0x300, "Potion__Epee____BouclierCle_____");
    return rom;
}();

std::string const script =
    "<PT0001>\nBonjour voyageur.<FIN>\n<PT0002>\nLe village de Karst\nvous attend.<FIN>\n<PT0003>\n<PT0004>\n"
    "Karst est au nord, voyageur. Le village de Karst vous attend.<FIN>\n";
std::string const traduit =
    "<PT0001>\nHello traveller.<FIN>\n<PT0002>\nThe village of Karst\nawaits you.<FIN>\n<PT0003>\n<PT0004>\n"
    "Karst lies to the north.<FIN>\n";
std::string const largeurs = [] {
    std::string t = " =4\n\\n=LINEBREAK\n<BOX>\\n=NEW_DEFAUT\n<FIN>\\n=FIN\n.=3\n,=3\n";
    for (int c = 'A'; c <= 'Z'; ++c) t += std::string(1, static_cast<char>(c)) + "=6\n" +
                                          std::string(1, static_cast<char>(c + 32)) + "=5\n";
    return t;
}();

Fichiers vorlan(std::string const& lua, Fichiers fichiers) {
    fichiers["vorlan-tool.lua"] = "";
    fichiers["script.lua"] = lua + "\n";
    return fichiers;
}

// A picture of 16 tiles, made by Tilmar itself from other bytes than the ROM's.
std::string const& police() {
    static std::string const bmp = [] {
        Scratch s;
        s.write("source.bin", motif(18 * 16, 101));
        test_support::RunResult const r = test_support::run(TILMAR, {"-t", "16", "source.bin", "police.bmp"}, s.dir());
        if (r.status != 0) throw std::runtime_error("Tilmar could not make the picture: " + r.out);
        return s.read("police.bmp");
    }();
    return bmp;
}

std::vector<Operation> operations() {
    std::string const rom_refusee = "fopen_error : Impossible d'ouvrir le fichier \"rom.bin\"\n\n";
    Fichiers const textes{{"script.txt", script}, {"noms.txt", "Karst\nvoyageur\n"}, {"largeurs.tbl", largeurs}};
    Fichiers const rom{{"rom.bin", rom_textes}, {"table.tbl", table}};
    auto avec = [](Fichiers f, Fichiers const& plus) {
        f.insert(plus.begin(), plus.end());
        return f;
    };
    std::string const tuiles_rom = motif(1024, 7);
    std::string const donnees =
        "Welcome to Vorlan, traveller! Welcome to Vorlan, traveller! The gate is shut, the gate is shut.\n";
    return {
        {"extraire", Outil::vorlan, {"-e", "script.lua"},
         vorlan("extraire('rom.bin', 'table.tbl', 'script.txt', 0x100, 0x17F, 'SNES16', 0, 4, 0, 0)",
                avec(rom, {{"script.txt", ancien}})),
         "script.txt", "", false, "fopen_error : Impossible d'ouvrir le fichier \"script.txt\"\n\n"},
        {"extraire vers un nouveau fichier", Outil::vorlan, {"-e", "script.lua"},
         vorlan("extraire('rom.bin', 'table.tbl', 'nouveau.txt', 0x100, 0x17F, 'SANS_POINTEURS')", rom),
         "nouveau.txt", "", false, "fopen_error : Impossible d'ouvrir le fichier \"nouveau.txt\"\n\n"},
        {"extraire_fixe", Outil::vorlan, {"-e", "script.lua"},
         vorlan("extraire_fixe('rom.bin', 'table.tbl', 'mots.txt', 0x300, 4, 8)", avec(rom, {{"mots.txt", ancien}})),
         "mots.txt", "", false, "fopen_error : Impossible d'ouvrir le fichier \"mots.txt\"\n\n"},
        {"inserer", Outil::vorlan, {"-e", "script.lua"},
         vorlan("inserer('rom.bin', 'table.tbl', 'traduit.txt', 0x100, 0x2FF, 'SNES16', 0, 4, 0, 0)",
                avec(rom, {{"traduit.txt", traduit}})),
         "rom.bin", "", true, rom_refusee},
        {"inserer_fixe", Outil::vorlan, {"-e", "script.lua"},
         vorlan("inserer_fixe('rom.bin', 'table.tbl', 'objets.txt', 0x300, 4, 8)",
                avec(rom, {{"objets.txt", "Elixir\nGlaive\nBouclier\nCle\n"}})),
         "rom.bin", "", true, rom_refusee},
        {"optimiser_dte", Outil::vorlan, {"-e", "script.lua"},
         vorlan("optimiser_dte('script.txt', 'dte.txt', 8)", avec(textes, {{"dte.txt", ancien}})), "dte.txt", "",
         false, "fopen_error : Impossible d'ouvrir le fichier \"dte.txt\"\n"},
        {"optimiser_mte", Outil::vorlan, {"-e", "script.lua"},
         vorlan("optimiser_mte('script.txt', 'mte.txt', 4, 8)", avec(textes, {{"mte.txt", ancien}})), "mte.txt", "",
         false, "fopen_error : Impossible d'ouvrir le fichier \"mte.txt\"\n"},
        {"supprimer_mots", Outil::vorlan, {"-e", "script.lua"},
         vorlan("supprimer_mots('script.txt', 'marque.txt', 'noms.txt')", avec(textes, {{"marque.txt", ancien}})),
         "marque.txt", "", false, "fopen_error : Impossible d'ouvrir le fichier \"marque.txt\"\n"},
        {"supprimer_mots sur place", Outil::vorlan, {"-e", "script.lua"},
         vorlan("supprimer_mots('script.txt', 'script.txt', 'noms.txt')", textes), "script.txt", "", false,
         "fopen_error : Impossible d'ouvrir le fichier \"script.txt\"\n"},
        {"mettre_en_forme", Outil::vorlan, {"-e", "script.lua"},
         vorlan("mettre_en_forme('script.txt', 'forme.txt', 'largeurs.tbl', 60, 2)",
                avec(textes, {{"forme.txt", ancien}})),
         "forme.txt", "", false, "fopen_error : Impossible d'ouvrir le fichier \"forme.txt\"\n"},
        {"mettre_en_forme sur place", Outil::vorlan, {"-e", "script.lua"},
         vorlan("mettre_en_forme('script.txt', 'script.txt', 'largeurs.tbl', 60, 2)", textes), "script.txt", "",
         false, "fopen_error : Impossible d'ouvrir le fichier \"script.txt\"\n"},

        {"Tilmar extraction", Outil::tilmar, {"-e", "-t", "16", "-o", "0x40", "-c", "8", "rom.bin", "police.bmp"},
         {{"rom.bin", tuiles_rom}, {"police.bmp", ancien}}, "police.bmp", "bitmap", false,
         "unable to open bitmap file police.bmp for writing\n"},
        {"Tilmar extraction vers un nouveau fichier", Outil::tilmar, {"-t", "16", "rom.bin", "police.bmp"},
         {{"rom.bin", tuiles_rom}}, "police.bmp", "bitmap", false,
         "unable to open bitmap file police.bmp for writing\n"},
        {"Tilmar insertion", Outil::tilmar, {"-i", "-t", "16", "-o", "0x40", "rom.bin", "police.bmp"},
         {{"rom.bin", tuiles_rom}, {"police.bmp", police()}}, "rom.bin", "rom", true,
         "unable to open rom file rom.bin for writing\n"},
        {"Tilmar insertion -n", Outil::tilmar, {"-i", "-n", "-t", "16", "-o", "0x40", "rom.bin", "police.bmp"},
         {{"rom.bin", tuiles_rom}, {"police.bmp", police()}}, "rom.bin", "rom", false,
         "unable to open rom file rom.bin for writing\n"},

        {"Pakrun decompression", Outil::pakrun, {"-d", "-o", "0x10", "-s", "300", "rom.bin", "donnees.bin"},
         {{"rom.bin", tuiles_rom}, {"donnees.bin", ancien}}, "donnees.bin", "data", false,
         "unable to open data file donnees.bin for writing\n"},
        {"Pakrun compression", Outil::pakrun, {"-c", "-o", "0x10", "rom.bin", "donnees.bin"},
         {{"rom.bin", tuiles_rom}, {"donnees.bin", donnees}}, "rom.bin", "rom", true,
         "unable to open rom file rom.bin for writing\n"},
        {"Pakrun compression -n", Outil::pakrun, {"-c", "-n", "-o", "0x10", "rom.bin", "donnees.bin"},
         {{"rom.bin", tuiles_rom}, {"donnees.bin", donnees}}, "rom.bin", "rom", false,
         "unable to open rom file rom.bin for writing\n"},
        {"Pakrun compression -n vers un nouveau fichier", Outil::pakrun, {"-c", "-n", "rom.bin", "donnees.bin"},
         {{"donnees.bin", donnees}}, "rom.bin", "rom", false, "unable to open rom file rom.bin for writing\n"},
    };
}

// ---------------------------------------------------------------------------------------------
// What each program says.

std::string echec(Operation const& op, std::string const& cause) {
    std::string const& n = op.cible;
    if (op.outil == Outil::vorlan)
        return "Erreur, impossible d'écrire dans le fichier \"" + n + "\"\nCause : " + cause + ". Le fichier \"" + n +
               "\" n'a pas été modifié.\n";
    return "unable to write " + op.quoi + " file " + n + "\ncause: " + cause + "; " + n + " was not changed\n";
}

std::string sans_temporaire(Operation const& op, std::string const& cause) {
    std::string const& n = op.cible;
    if (op.outil == Outil::vorlan)
        return "Erreur, impossible de créer un fichier temporaire à côté de \"" + n + "\" : " + cause +
               ". Le fichier n'a pas été modifié.\n";
    return "unable to create a temporary file beside " + n + ": " + cause + "; the file was not changed\n";
}

std::string avertissement(Operation const& op, std::string const& cause) {
    std::string const& n = op.cible;
    if (op.outil == Outil::vorlan)
        return "Attention, le dossier du fichier \"" + n + "\" n'a pas pu être synchronisé sur le disque (" + cause +
               ") : le fichier a bien été remplacé.\n";
    return "warning: the folder of " + n + " could not be synced (" + cause + "); the file is already the new one\n";
}

// ---------------------------------------------------------------------------------------------

// The calls a commit makes when only the commit path is seen: none of the programs' messages,
// none of the reads of their inputs, which glibc's stdio makes without going through these
// symbols.
std::map<std::string, long> comptes_du_chemin(Operation const& op, std::size_t taille, long bloc) {
    std::map<std::string, long> c{{"mkstemp nom", 1},      {"fchmod temporaire", 1}, {"fsync temporaire", 1},
                                  {"close temporaire", 1}, {"rename nom", 1},        {"open dossier", 1},
                                  {"fsync dossier", 1},    {"close dossier", 1}};
    long const ecritures = bloc > 0 ? static_cast<long>((taille + bloc - 1) / bloc) : (taille > 0 ? 1 : 0);
    if (ecritures > 0) c["write temporaire"] = ecritures;
    if (op.verrouillee) {
        c["open autre"] = 1;
        c["flock autre"] = 1;
        c["close autre"] = 1;
    }
    return c;
}

void preparer(Scratch const& s, Operation const& op) {
    for (auto const& [nom, octets] : op.fichiers) s.write(nom, octets);
}

// The files that differ between two states of the folder, by name: "left behind", "gone",
// "changed"; empty when there is none.
std::string ecarts(Fichiers const& avant, Fichiers const& apres) {
    std::string d;
    for (auto const& [nom, octets] : apres) {
        auto it = avant.find(nom);
        if (it == avant.end())
            d += " " + nom + " left behind;";
        else if (it->second != octets)
            d += " " + nom + " changed;";
    }
    for (auto const& [nom, octets] : avant)
        if (apres.count(nom) == 0) d += " " + nom + " gone;";
    return d;
}

std::string decrire(Fichiers const& dossier, std::string const& cible, Fichiers const& avant,
                    std::string const& attendu) {
    auto it = dossier.find(cible);
    if (it == dossier.end()) return "absent";
    std::string const& c = it->second;
    std::ostringstream d;
    d << c.size() << " bytes";
    auto compare = [&](std::string const& autre, char const* nom) {
        std::size_t i = 0;
        while (i < c.size() && i < autre.size() && c[i] == autre[i]) ++i;
        d << ", same as the " << nom << " file for its first " << i << " bytes (of " << autre.size() << ")";
    };
    if (avant.count(cible) != 0) compare(avant.at(cible), "old");
    compare(attendu, "new");
    return d.str();
}

// What the run must have left and said, given the call that failed.
enum class Issue { ancienne, nouvelle };

struct Attente {
    Issue issue;
    std::string message;  // empty: exactly the clean run's output
};

bool attente(Operation const& op, std::string const& panne, std::string const& cause, Attente& a) {
    bool const existait = op.fichiers.count(op.cible) != 0;
    if (panne == "mkstemp nom")
        a = {Issue::ancienne, existait ? sans_temporaire(op, cause) : op.refus};
    else if (panne == "write temporaire" || panne == "fchmod temporaire" || panne == "fsync temporaire" ||
             panne == "close temporaire" || panne == "rename nom")
        a = {Issue::ancienne, echec(op, cause)};
    else if (panne == "open dossier" || panne == "fsync dossier" || panne == "close dossier")
        a = {Issue::nouvelle, avertissement(op, cause)};
    // The lock on a patched ROM: not taken, the command is refused; not released cleanly, the
    // ROM is already the new one and nothing is amiss.
    else if (op.verrouillee && (panne == "open autre" || panne == "flock autre"))
        a = {Issue::ancienne, op.refus};
    else if (op.verrouillee && panne == "close autre")
        a = {Issue::nouvelle, ""};
    else
        return false;
    return true;
}

TEST(Pannes, NoFailureOfTheCommitPathLeavesAFileHalfWritten) {
    bool const complet = pannes::forme_complete();
    // Short writes make the write loop turn, and let a failure land in the middle of the file.
    long const bloc = complet ? 7 : 64;
    std::vector<int> const erreurs = complet ? std::vector<int>{EIO, ENOSPC} : std::vector<int>{};
    long essais = 0;
    for (Operation const& op : operations()) {
        SCOPED_TRACE(op.nom);
        Scratch propre;
        preparer(propre, op);
        Fichiers const avant = propre.snapshot();
        pannes::Execution const net = pannes::lancer(chemin(op.outil), op.arguments, propre.dir(), {}, bloc);
        ASSERT_TRUE(net.releve) << "the program did not exit: " << net.resultat.out;
        Fichiers const apres = propre.snapshot();
        ASSERT_EQ(apres.count(op.cible), 1u) << net.resultat.out;
        std::string const attendu = apres.at(op.cible);
        // The clean run changes the target and nothing else, so that old and new tell apart.
        Fichiers autres = apres;
        autres.erase(op.cible);
        Fichiers autres_avant = avant;
        autres_avant.erase(op.cible);
        ASSERT_EQ(ecarts(autres_avant, autres), "") << net.resultat.out;
        ASSERT_TRUE(avant.count(op.cible) == 0 || avant.at(op.cible) != attendu);
        if (op.outil != Outil::vorlan) {
            ASSERT_EQ(net.resultat.status, 0) << net.resultat.out;
        }
        EXPECT_EQ(net.releve->comptes, comptes_du_chemin(op, attendu.size(), bloc)) << net.resultat.out;
        EXPECT_FALSE(net.releve->panne);

        std::map<std::string, long> par_appel;
        for (auto const& [appel, nombre] : net.releve->comptes) par_appel[appel.substr(0, appel.find(' '))] += nombre;
        int alterne = 0;
        for (auto const& [appel, nombre] : par_appel) {
            for (long rang = 1; rang <= nombre; ++rang) {
                std::vector<int> const cette_fois =
                    complet ? erreurs : std::vector<int>{alterne++ % 2 == 0 ? EIO : ENOSPC};
                for (int erreur : cette_fois) {
                    ++essais;
                    std::string const quand = op.nom + ", call " + std::to_string(rang) + " of " + appel +
                                              " failing with " + pannes::nom_erreur(erreur);
                    Scratch s;
                    preparer(s, op);
                    pannes::Execution const e =
                        pannes::lancer(chemin(op.outil), op.arguments, s.dir(), pannes::Panne{appel, rang, erreur},
                                       bloc);
                    ASSERT_TRUE(e.releve) << quand << ": the program did not exit: " << e.resultat.out;
                    ASSERT_TRUE(e.releve->panne) << quand << ": the call was never made";
                    Fichiers const laisse = s.snapshot();
                    std::string const etat = decrire(laisse, op.cible, avant, attendu);

                    // Whatever happened: the other files as they were, no temporary file, and the
                    // target old or new.
                    Fichiers laisse_autres = laisse;
                    laisse_autres.erase(op.cible);
                    std::string const autres_ecarts = ecarts(autres_avant, laisse_autres);
                    EXPECT_EQ(autres_ecarts, "") << quand << ": the target's folder is not as it was";
                    bool const ancienne = laisse.count(op.cible) == avant.count(op.cible) &&
                                          (avant.count(op.cible) == 0 || laisse.at(op.cible) == avant.at(op.cible));
                    bool const nouvelle = laisse.count(op.cible) == 1 && laisse.at(op.cible) == attendu;
                    EXPECT_TRUE(ancienne || nouvelle) << quand << ": the target is " << etat;

                    Attente a;
                    if (!attente(op, *e.releve->panne, std::strerror(erreur), a)) {
                        ADD_FAILURE() << quand << ": a call outside the commit path failed (" << *e.releve->panne
                                      << ")";
                        continue;
                    }
                    bool const comme_attendu = a.issue == Issue::ancienne ? ancienne : nouvelle;
                    EXPECT_TRUE(comme_attendu) << quand << " (" << *e.releve->panne << "): the target must be the "
                                               << (a.issue == Issue::ancienne ? "old" : "new") << " one, it is "
                                               << etat;
                    if (a.message.empty()) {
                        EXPECT_EQ(e.resultat.out, net.resultat.out) << quand;
                    } else {
                        EXPECT_NE(e.resultat.out.find(a.message), std::string::npos)
                            << quand << ": no message \"" << a.message << "\" in:\n"
                            << e.resultat.out;
                    }
                    if (op.outil != Outil::vorlan) {
                        EXPECT_EQ(e.resultat.status, a.issue == Issue::ancienne ? 1 : 0) << quand;
                    }
                }
            }
        }
    }
    std::printf("%ld runs with a failing call\n", essais);
}

}  // namespace
