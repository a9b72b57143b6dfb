// Whole-program checks of hostile input: every script command of vorlan-tool is given files
// it cannot use, numbers out of every range and malformed tables and scripts. Each case must
// print a clear message, let the script go on, and leave the ROM and any existing result file
// as they were when the operation failed its checks.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/vorlan.h"

namespace {

using test_support::run_script;
using test_support::Scratch;

// 16 bytes "ABCDEFGHIJKLMNOP"; the table knows A to P, one byte each.
std::string const ROM = "ABCDEFGHIJKLMNOP";
std::string const TABLE =
    "41=A\n42=B\n43=C\n44=D\n45=E\n46=F\n47=G\n48=H\n49=I\n4A=J\n4B=K\n4C=L\n4D=M\n4E=N\n4F=O\n50=P\n20= \n";
std::string const SCRIPT = "<PT0001>\nABAB CD<END>\n";
std::string const LISTE = "AB\n";
std::string const POLICE = " =4\n\\n=LINEBREAK\n<BOX>\\n=NEW_DEFAUT\n<END>\\n=FIN\nA=8\nB=8\nC=8\nD=8\n";
// What an earlier run left in the result file: a failed run must not lose it.
std::string const ANCIEN = "ANCIEN\n";

// The files every case starts from, with the result file of an earlier run.
void preparer(Scratch const& s) {
    s.write("rom.bin", ROM);
    s.write("table.tbl", TABLE);
    s.write("script.txt", SCRIPT);
    s.write("liste.txt", LISTE);
    s.write("police.tbl", POLICE);
    s.write("sortie.txt", ANCIEN);
}

std::string formater(char const* format, std::string const& a, std::string const& b = "") {
    char texte[512];
    std::snprintf(texte, sizeof texte, format, a.c_str(), b.c_str());
    return texte;
}

// One script command: its three file arguments, then the rest of the call. The framing lines
// name the files at positions `nom1` and `nom2` (-1 when the frame names only one).
struct Commande {
    char const* nom;
    std::vector<std::string> fichiers;
    char const* suite;
    char const* cadre;
    int nom1, nom2;
    char const* fin;
    // What the command prints when the file at each position cannot be opened.
    std::vector<char const*> echecs;

    // The call followed by print('suite'); optimiser_dte and optimiser_mte take two files.
    std::string appel(std::vector<std::string> const& f) const {
        std::string const troisieme = fichiers[2].empty() ? "" : ", '" + f[2] + "'";
        return std::string(nom) + "('" + f[0] + "', '" + f[1] + "'" + troisieme + suite + ") print('suite')";
    }
    std::string encadrer(std::vector<std::string> const& f, std::string const& milieu) const {
        return formater(cadre, f[nom1], nom2 < 0 ? "" : f[nom2]) + milieu + fin + "suite\n";
    }
};

char const* const FOPEN = "fopen_error : Impossible d'ouvrir le fichier \"%s\"\n";
char const* const FOPEN_LIGNE = "fopen_error : Impossible d'ouvrir le fichier \"%s\"\n\n";
char const* const OUVRIR = "Impossible d'ouvrir le fichier \"%s\"\n";
char const* const OUVRIR_LIGNE = "Impossible d'ouvrir le fichier \"%s\"\n\n";

std::vector<Commande> const COMMANDES = {
    {"extraire", {"rom.bin", "table.tbl", "sortie.txt"}, ", 0, 15, 'SANS_POINTEURS'",
     "Extraction du fichier '%s' à partir du fichier '%s'...\n", 2, 0, "Extraction terminée !\n\n",
     {FOPEN_LIGNE, OUVRIR_LIGNE, FOPEN_LIGNE}},
    {"inserer", {"rom.bin", "table.tbl", "script.txt"}, ", 0, 15, 'SANS_POINTEURS'",
     "Insertion du fichier '%s' dans le fichier '%s'...\n", 2, 0, "Insertion terminée !\n\n",
     {FOPEN_LIGNE, OUVRIR_LIGNE, OUVRIR}},
    {"extraire_fixe", {"rom.bin", "table.tbl", "sortie.txt"}, ", 0, 4, 4",
     "Extraction fixe du fichier '%s' à partir du fichier '%s'...\n", 2, 0, "Extraction fixe terminée !\n\n",
     {FOPEN_LIGNE, OUVRIR_LIGNE, FOPEN_LIGNE}},
    {"inserer_fixe", {"rom.bin", "table.tbl", "script.txt"}, ", 0, 2, 4",
     "Insertion fixe du fichier '%s' dans le fichier '%s'...\n", 2, 0, "Insertion fixe terminée !\n\n",
     {FOPEN_LIGNE, OUVRIR_LIGNE, OUVRIR}},
    {"optimiser_dte", {"script.txt", "sortie.txt", ""}, ", 3", "Optimisation DTE du fichier '%s'\n", 0, -1,
     "Optimisation DTE terminée !\n\n", {"Impossible d'ouvir le fichier \"%s\"\n", FOPEN}},
    {"optimiser_mte", {"script.txt", "sortie.txt", ""}, ", 3, 8", "Optimisation DTE du fichier '%s'\n", 0, -1,
     "Optimisation DTE terminée !\n\n",
     {"Taille mte : 2\nImpossible d'ouvrir le fichier \"%s\"\n", "Taille mte : 2\nfopen_error : Impossible "
                                                                 "d'ouvrir le fichier \"%s\"\n"}},
    {"supprimer_mots", {"script.txt", "sortie.txt", "liste.txt"}, "",
     "Suppression des mots de la liste '%s' dans le fichier '%s'...\n", 2, 0, "Suppression terminée !\n\n",
     {OUVRIR, FOPEN, FOPEN}},
    {"mettre_en_forme", {"script.txt", "sortie.txt", "police.tbl"}, ", 120, 2", "Mise en forme du fichier '%s'...\n",
     0, -1, "Mise en forme terminée !\n\n", {OUVRIR, FOPEN, OUVRIR}},
};

bool root() { return geteuid() == 0; }

// A path that cannot be used as the given file: absent, a folder, or a file nobody may read
// or write. Returns the path to give, or "" when the case cannot be made here.
std::string chemin_inutilisable(Scratch const& s, std::string const& sorte) {
    if (sorte == "absent") return "absent/fichier.bin";
    if (sorte == "dossier") {
        mkdir(s.path("dossier").c_str(), 0755);
        return "dossier";
    }
    // chmod does not stop root: the unreadable case is skipped when the tests run as root.
    if (root()) return "";
    s.write("verrou.bin", "verrou\n");
    chmod(s.path("verrou.bin").c_str(), 0);
    return "verrou.bin";
}

TEST(EntreesHostiles, EveryFileArgumentThatCannotBeOpenedIsReportedAndChangesNothing) {
    if (root()) std::printf("Running as root: chmod cannot make a file unreadable, those cases are skipped\n");
    for (Commande const& c : COMMANDES) {
        for (std::size_t position = 0; position < c.echecs.size(); ++position) {
            for (char const* sorte : {"absent", "dossier", "illisible"}) {
                Scratch s;
                preparer(s);
                std::string const chemin = chemin_inutilisable(s, sorte);
                if (chemin.empty()) continue;
                std::vector<std::string> fichiers = c.fichiers;
                fichiers[position] = chemin;
                std::string const contexte = std::string(c.nom) + " " + sorte + " en position " +
                                             std::to_string(position + 1);

                auto const r = run_script(s, c.appel(fichiers));
                EXPECT_EQ(r.status, 0) << contexte;
                EXPECT_EQ(r.out, c.encadrer(fichiers, formater(c.echecs[position], chemin))) << contexte;
                EXPECT_EQ(s.read("rom.bin"), ROM) << contexte;
                EXPECT_EQ(s.read("sortie.txt"), ANCIEN) << contexte;
                EXPECT_EQ(s.read("script.txt"), SCRIPT) << contexte;
                if (std::string(sorte) == "illisible") chmod(s.path("verrou.bin").c_str(), 0644);
            }
        }
    }
}

}  // namespace
