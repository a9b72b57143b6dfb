// Whole-program checks of hostile input: every script command of vorlan-tool is given files
// it cannot use, numbers out of every range and malformed tables and scripts. Each case must
// print a clear message, let the script go on, and leave the ROM and any existing result file
// as they were when the operation failed its checks.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/vorlan.h"

namespace {

using namespace std::string_literals;
using test_support::run_script;
using test_support::Scratch;

// 16 bytes "ABCDEFGHIJKLMNOP"; the table knows A to P, one byte each.
std::string const ROM = "ABCDEFGHIJKLMNOP";
std::string const TABLE =
    "41=A\n42=B\n43=C\n44=D\n45=E\n46=F\n47=G\n48=H\n49=I\n4A=J\n4B=K\n4C=L\n4D=M\n4E=N\n4F=O\n50=P\n20= \n";
std::string const SCRIPT = "<PT0001>\nABAB CD<END>\n";
std::string const FIXE = "ABCD\nEFGH\n";
std::string const LISTE = "AB\n";
std::string const POLICE = " =4\n\\n=LINEBREAK\n<BOX>\\n=NEW_DEFAUT\n<END>\\n=FIN\nA=8\nB=8\nC=8\nD=8\n";
// What an earlier run left in the result file: a failed run must not lose it.
std::string const ANCIEN = "ANCIEN\n";

// The files every case starts from, with the result file of an earlier run.
void preparer(Scratch const& s) {
    s.write("rom.bin", ROM);
    s.write("table.tbl", TABLE);
    s.write("script.txt", SCRIPT);
    s.write("fixe.txt", FIXE);
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

// The exit status a script that ran to its end must give: 2 when one of the lines it printed
// says that something was not done as asked, 0 otherwise (warnings, notes and results).
int statut_attendu(std::string const& sortie) {
    static char const* const erreurs[] = {
        "Erreur",        "fopen_error",    "fseek_error",       "math_error",     "Impossible d'ouvrir",
        "Impossible d'ouvir", "La fonction \"", "L'argument \"", "Arguments incorrects", "Le nombre d'arguments",
        "Espace insuffisant", "L'espace n'a pas", "Aucune balise",  "Cause : ",
    };
    std::size_t debut = 0;
    while (debut < sortie.size()) {
        std::size_t fin = sortie.find('\n', debut);
        if (fin == std::string::npos) fin = sortie.size();
        std::string const ligne = sortie.substr(debut, fin - debut);
        for (char const* e : erreurs)
            if (ligne.rfind(e, 0) == 0) return 2;
        // An unknown character is one the command skipped.
        if (ligne.rfind("Le caractère ", 0) == 0 && ligne.find("est inconnu") != std::string::npos) return 2;
        debut = fin + 1;
    }
    return 0;
}

// A path that cannot be used as the given file: absent, a folder, a FIFO (opening it would wait
// for a writer or a reader), a file beyond the 2 GiB that offsets can address (sparse, so it
// costs no room), or a file nobody may read or write.
// Returns the path to give, or "" when the case cannot be made here.
std::string chemin_inutilisable(Scratch const& s, std::string const& sorte) {
    if (sorte == "absent") return "absent/fichier.bin";
    if (sorte == "dossier") {
        mkdir(s.path("dossier").c_str(), 0755);
        return "dossier";
    }
    if (sorte == "fifo") {
        mkfifo(s.path("fifo").c_str(), 0644);
        return "fifo";
    }
    if (sorte == "enorme") {
        s.write("enorme.bin", "");
        if (truncate(s.path("enorme.bin").c_str(), 1LL << 31) != 0) return "";
        return "enorme.bin";
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
            for (std::string const sorte : {"absent", "dossier", "fifo", "enorme", "illisible"}) {
                // A result file is emptied when opened, whatever its size: only inputs can be too large.
                if (sorte == "enorme" && c.fichiers[position] == "sortie.txt") continue;
                Scratch s;
                preparer(s);
                std::string const chemin = chemin_inutilisable(s, sorte);
                if (chemin.empty()) continue;
                std::vector<std::string> fichiers = c.fichiers;
                fichiers[position] = chemin;
                std::string const contexte = std::string(c.nom) + " " + sorte + " en position " +
                                             std::to_string(position + 1);

                auto const r = run_script(s, c.appel(fichiers));
                EXPECT_EQ(r.status, 2) << contexte;
                EXPECT_EQ(r.out, c.encadrer(fichiers, formater(c.echecs[position], chemin))) << contexte;
                EXPECT_EQ(s.read("rom.bin"), ROM) << contexte;
                EXPECT_EQ(s.read("sortie.txt"), ANCIEN) << contexte;
                EXPECT_EQ(s.read("script.txt"), SCRIPT) << contexte;
                struct stat etat;
                if (sorte == "enorme") {
                    EXPECT_TRUE(stat(s.path(chemin).c_str(), &etat) == 0 && etat.st_size == 1LL << 31) << contexte;
                }
                if (sorte == "illisible") chmod(s.path("verrou.bin").c_str(), 0644);
            }
        }
    }
}

// Framing lines of the commands as the cases below call them.
std::string const EXTRACTION = "Extraction du fichier 'sortie.txt' à partir du fichier 'rom.bin'...\n";
std::string const FIN_EXTRACTION = "Extraction terminée !\n\n";
std::string const INSERTION = "Insertion du fichier 'script.txt' dans le fichier 'rom.bin'...\n";
std::string const FIN_INSERTION = "Insertion terminée !\n\n";
std::string const EXTRACTION_FIXE = "Extraction fixe du fichier 'sortie.txt' à partir du fichier 'rom.bin'...\n";
std::string const FIN_EXTRACTION_FIXE = "Extraction fixe terminée !\n\n";
std::string const INSERTION_FIXE = "Insertion fixe du fichier 'fixe.txt' dans le fichier 'rom.bin'...\n";
std::string const FIN_INSERTION_FIXE = "Insertion fixe terminée !\n\n";
std::string const DTE = "Optimisation DTE du fichier 'script.txt'\n";
std::string const FIN_DTE = "Optimisation DTE terminée !\n\n";
std::string const MISE_EN_FORME = "Mise en forme du fichier 'script.txt'...\n";
std::string const FIN_MISE_EN_FORME = "Mise en forme terminée !\n\n";

std::string const HORS_ROM = "Erreur, l'emplacement du texte est situé hors de la rom\n";
std::string const APRES_FIN = "Erreur, le début du texte se situe après la fin du texte\n";
std::string const ADRESSE = "Erreur, l'adresse du début des pointeurs se situe en dehors de la rom\n";
std::string const POINTEURS_NEGATIF = "Erreur, le nombre de pointeurs est négatif\n";
std::string const TAILLE_POINTEURS = "Erreur, la taille des pointeurs est incorrecte\n";
std::string const SOULIGNE = "Le caractère '_' n'est pas défini dans la table...\n";

std::string repeter(std::string const& ligne, int fois) {
    std::string texte;
    for (int i = 0; i < fois; ++i) texte += ligne;
    return texte;
}

// A call with its exact output (before "suite"), and the ROM and result file after it.
struct Cas_nombres {
    char const* appel;
    std::string sortie;
    std::string rom;
    std::string resultat;
};

// Offsets and counts at, just past and far past the end of the 16-byte ROM, negative ones, and
// numbers beyond 32 bits: Lua numbers are truncated toward zero and taken modulo 2^32, NaN
// and infinities are 0 (so 2^31 is negative, 1e300 and 0/0 are 0).
std::vector<Cas_nombres> const CAS_NOMBRES = {
    // extraire: the last byte must lie inside the ROM.
    {"extraire('rom.bin', 'table.tbl', 'sortie.txt', 15, 15, 'SANS_POINTEURS')", EXTRACTION + FIN_EXTRACTION,
     ROM, "P"s},
    {"extraire('rom.bin', 'table.tbl', 'sortie.txt', 0, 16, 'SANS_POINTEURS')",
     EXTRACTION + HORS_ROM + FIN_EXTRACTION, ROM, ANCIEN},
    {"extraire('rom.bin', 'table.tbl', 'sortie.txt', 16, 16, 'SANS_POINTEURS')",
     EXTRACTION + HORS_ROM + FIN_EXTRACTION, ROM, ANCIEN},
    {"extraire('rom.bin', 'table.tbl', 'sortie.txt', 0, 0x7FFFFFFF, 'SANS_POINTEURS')",
     EXTRACTION + HORS_ROM + FIN_EXTRACTION, ROM, ANCIEN},
    {"extraire('rom.bin', 'table.tbl', 'sortie.txt', -1, 3, 'SANS_POINTEURS')",
     EXTRACTION + HORS_ROM + FIN_EXTRACTION, ROM, ANCIEN},
    {"extraire('rom.bin', 'table.tbl', 'sortie.txt', 0, 2^31, 'SANS_POINTEURS')",
     EXTRACTION + APRES_FIN + FIN_EXTRACTION, ROM, ANCIEN},
    {"extraire('rom.bin', 'table.tbl', 'sortie.txt', 1e300, 0/0, 'SANS_POINTEURS')", EXTRACTION + FIN_EXTRACTION,
     ROM, "A"s},
    {"extraire('rom.bin', 'table.tbl', 'sortie.txt', 2^32 + 1, 2^32 + 3, 'SANS_POINTEURS')",
     EXTRACTION + FIN_EXTRACTION, ROM, "BCD"s},
    {"extraire('rom.bin', 'table.tbl', 'sortie.txt', 0, 15, 16, 1, 2, 'X', true)",
     EXTRACTION + "Attention, le pointeur numéro 1 est situé hors de la rom, il ne sera pas repéré\n" +
         FIN_EXTRACTION,
     ROM, "ABCDEFGHIJKLMNOP"s},
    {"extraire('rom.bin', 'table.tbl', 'sortie.txt', 0, 15, 15, 1, 2, 'X', true)",
     EXTRACTION + "Attention, le pointeur numéro 1 est situé hors de la rom, il ne sera pas repéré\n" +
         FIN_EXTRACTION,
     ROM, "ABCDEFGHIJKLMNOP"s},
    {"extraire('rom.bin', 'table.tbl', 'sortie.txt', 0, 15, 0, 2^31 - 1, 2, 'X', true)",
     EXTRACTION +
         "Attention, les pointeurs numéros 9 à 2147483647 sont situés hors de la rom, ils ne seront pas repérés\n" +
         FIN_EXTRACTION,
     ROM, "ABCDEFGHIJKLMNOP"},
    {"extraire('rom.bin', 'table.tbl', 'sortie.txt', 0, 15, 17, 1, 2, 'X', true)",
     EXTRACTION + ADRESSE + FIN_EXTRACTION, ROM, ANCIEN},
    {"extraire('rom.bin', 'table.tbl', 'sortie.txt', 0, 15, -1, 1, 2, 'X', true)",
     EXTRACTION + ADRESSE + FIN_EXTRACTION, ROM, ANCIEN},
    {"extraire('rom.bin', 'table.tbl', 'sortie.txt', 0, 15, 0, -1, 2, 'X', true)",
     EXTRACTION + POINTEURS_NEGATIF + FIN_EXTRACTION, ROM, ANCIEN},
    {"extraire('rom.bin', 'table.tbl', 'sortie.txt', 0, 15, 'SNES24-HighRom', 0, 2^31, -1, 2^31)",
     EXTRACTION + POINTEURS_NEGATIF + FIN_EXTRACTION, ROM, ANCIEN},
    {"extraire('rom.bin', 'table.tbl', 'sortie.txt', 0, 15, 0, 1, 2^31, 'X', true)",
     EXTRACTION + TAILLE_POINTEURS + FIN_EXTRACTION, ROM, ANCIEN},
    {"extraire('rom.bin', 'table.tbl', 'sortie.txt', 0, 15, 0, 1, 1e300, 'X', true)",
     EXTRACTION + TAILLE_POINTEURS + FIN_EXTRACTION, ROM, ANCIEN},

    // inserer: every check runs before the ROM is written.
    {"inserer('rom.bin', 'table.tbl', 'script.txt', 0, 16, 'SANS_POINTEURS')",
     INSERTION + HORS_ROM + FIN_INSERTION, ROM, ANCIEN},
    {"inserer('rom.bin', 'table.tbl', 'script.txt', 16, 16, 'SANS_POINTEURS')",
     INSERTION + HORS_ROM + FIN_INSERTION, ROM, ANCIEN},
    {"inserer('rom.bin', 'table.tbl', 'script.txt', -1, 3, 'SANS_POINTEURS')",
     INSERTION + HORS_ROM + FIN_INSERTION, ROM, ANCIEN},
    {"inserer('rom.bin', 'table.tbl', 'script.txt', 0, 2^31, 'SANS_POINTEURS')",
     INSERTION + APRES_FIN + FIN_INSERTION, ROM, ANCIEN},
    {"inserer('rom.bin', 'table.tbl', 'script.txt', 0, 15, 17, 1, 2, 'X', true)",
     INSERTION + ADRESSE + FIN_INSERTION, ROM, ANCIEN},
    {"inserer('rom.bin', 'table.tbl', 'script.txt', 0, 15, 0, 2^31, 2, 'X', true)",
     INSERTION + POINTEURS_NEGATIF + FIN_INSERTION, ROM, ANCIEN},
    {"inserer('rom.bin', 'table.tbl', 'script.txt', 0, 15, 0, 1, 0/0, 'X', true)",
     INSERTION + TAILLE_POINTEURS + FIN_INSERTION, ROM, ANCIEN},
    // A slot that lies past the end is reported; the text still goes in, and the ROM keeps its size.
    {"inserer('rom.bin', 'table.tbl', 'script.txt', 0, 15, 15, 1, 2, 'X', true)",
     INSERTION +
         "Erreur : le pointeur numéro 1 ne sera pas inseré : son emplacement est situé hors de la rom\n"
         "Le caractère \"<\" est inconnu (\"<END>\\n\")...\n"
         "Le caractère \">\" est inconnu (\">\\n\")...\n"
         "Le caractère \"\\n\" est inconnu (\"\\n\")...\n"
         "6 octets restants\n" +
         FIN_INSERTION,
     "ABAB CDEND\0\0\0\0\0\0"s, ANCIEN},
    // A formula that fails stops the insertion before anything is written; one whose
    // parentheses do not balance is refused before the first pointer would be set to 0.
    {"inserer('rom.bin', 'table.tbl', 'script.txt', 4, 15, 0, 1, 4, '((X)', true)",
     INSERTION + "Erreur, il y a une erreur dans les paranthèses\n" + FIN_INSERTION, ROM, ANCIEN},
    {"inserer('rom.bin', 'table.tbl', 'script.txt', 4, 15, 0, 1, 4, 'X)', true)",
     INSERTION + "Erreur, il y a une erreur dans les paranthèses\n" + FIN_INSERTION, ROM, ANCIEN},
    {"inserer('rom.bin', 'table.tbl', 'script.txt', 0, 15, 0, 1, 4, 'X/0', true)",
     INSERTION + "math_error : Tentative de division par zéro, calcul arrêté.\n", ROM, ANCIEN},
    {"inserer('rom.bin', 'table.tbl', 'script.txt', 4, 15, 0, 1, 4, 'X-99', true)",
     INSERTION + "math_error : Le résultat va être négatif, calcul arrêté.\n", ROM, ANCIEN},

    // extraire_fixe: only the first word's offset is checked; words that start past the end get no line.
    {"extraire_fixe('rom.bin', 'table.tbl', 'sortie.txt', 16, 1, 1)",
     EXTRACTION_FIXE +
         "Attention, les mots dépassent la fin de la rom : seuls les 0 octets qui s'y trouvent seront lus\n"
         "Attention, le mot 1 est situé hors de la rom, il ne sera pas extrait\n" +
         FIN_EXTRACTION_FIXE,
     ROM, ""s},
    {"extraire_fixe('rom.bin', 'table.tbl', 'sortie.txt', 15, 2, 2)",
     EXTRACTION_FIXE +
         "Attention, les mots dépassent la fin de la rom : seuls les 1 octets qui s'y trouvent seront lus\n"
         "Attention, le mot 2 est situé hors de la rom, il ne sera pas extrait\n" +
         FIN_EXTRACTION_FIXE,
     ROM, "P\n"s},
    {"extraire_fixe('rom.bin', 'table.tbl', 'sortie.txt', 0, 2, 2^30)",
     EXTRACTION_FIXE +
         "Attention, les mots dépassent la fin de la rom : seuls les 16 octets qui s'y trouvent seront lus\n"
         "Attention, le mot 2 est situé hors de la rom, il ne sera pas extrait\n" +
         FIN_EXTRACTION_FIXE,
     ROM, "ABCDEFGHIJKLMNOP\n"s},
    {"extraire_fixe('rom.bin', 'table.tbl', 'sortie.txt', 1e300, 0/0, 1e300)", EXTRACTION_FIXE + FIN_EXTRACTION_FIXE,
     ROM, ""},
    {"extraire_fixe('rom.bin', 'table.tbl', 'sortie.txt', 17, 1, 1)", EXTRACTION_FIXE + HORS_ROM + FIN_EXTRACTION_FIXE,
     ROM, ANCIEN},
    {"extraire_fixe('rom.bin', 'table.tbl', 'sortie.txt', 2^31, 1, 1)",
     EXTRACTION_FIXE + HORS_ROM + FIN_EXTRACTION_FIXE, ROM, ANCIEN},
    {"extraire_fixe('rom.bin', 'table.tbl', 'sortie.txt', 0, -1, 1)",
     EXTRACTION_FIXE + "Erreur, le nombre de mots est négatif\n" + FIN_EXTRACTION_FIXE, ROM, ANCIEN},
    {"extraire_fixe('rom.bin', 'table.tbl', 'sortie.txt', 0, 1, -1)",
     EXTRACTION_FIXE + "Erreur, la taille des mots est négative\n" + FIN_EXTRACTION_FIXE, ROM, ANCIEN},

    // inserer_fixe: a word that would run past the end is refused, the words before it go in.
    {"inserer_fixe('rom.bin', 'table.tbl', 'fixe.txt', 17, 1, 1)", INSERTION_FIXE + HORS_ROM + FIN_INSERTION_FIXE,
     ROM, ANCIEN},
    {"inserer_fixe('rom.bin', 'table.tbl', 'fixe.txt', 2^31, 1, 1)", INSERTION_FIXE + HORS_ROM + FIN_INSERTION_FIXE,
     ROM, ANCIEN},
    {"inserer_fixe('rom.bin', 'table.tbl', 'fixe.txt', 1e300, 1e300, 0/0)", INSERTION_FIXE + FIN_INSERTION_FIXE, ROM,
     ANCIEN},
    {"inserer_fixe('rom.bin', 'table.tbl', 'fixe.txt', -1, 1, 1)", INSERTION_FIXE + HORS_ROM + FIN_INSERTION_FIXE,
     ROM, ANCIEN},
    {"inserer_fixe('rom.bin', 'table.tbl', 'fixe.txt', 14, 2, 4)",
     INSERTION_FIXE + "Erreur : le mot 1 ne sera pas inseré : il dépasse la fin de la rom\n" + FIN_INSERTION_FIXE,
     ROM, ANCIEN},
    {"inserer_fixe('rom.bin', 'table.tbl', 'fixe.txt', 12, 2, 4)",
     INSERTION_FIXE + "Erreur : le mot 2 ne sera pas inseré : il dépasse la fin de la rom\n" + FIN_INSERTION_FIXE,
     "ABCDEFGHIJKLABCD", ANCIEN},
    {"inserer_fixe('rom.bin', 'table.tbl', 'fixe.txt', 16, 1, 1)",
     INSERTION_FIXE + "Le mot 1 est trop long\nErreur : le mot 1 ne sera pas inseré : il dépasse la fin de la rom\n" +
         FIN_INSERTION_FIXE,
     ROM, ANCIEN},
    // A huge word length pads only until the word no longer fits: 4 letters and 13 padding
    // bytes pass the 16 bytes of the ROM.
    {"inserer_fixe('rom.bin', 'table.tbl', 'fixe.txt', 0, 2^31 - 1, 2^31 - 1)",
     INSERTION_FIXE + "Le mot 1 est trop court\n" + repeter(SOULIGNE, 13) +
         "Erreur : le mot 1 ne sera pas inseré : il dépasse la fin de la rom\n" + FIN_INSERTION_FIXE,
     ROM, ANCIEN},
    {"inserer_fixe('rom.bin', 'table.tbl', 'fixe.txt', 0, -1, 4)", INSERTION_FIXE + FIN_INSERTION_FIXE, ROM, ANCIEN},
    {"inserer_fixe('rom.bin', 'table.tbl', 'fixe.txt', 0, 2, 2^31)", INSERTION_FIXE + FIN_INSERTION_FIXE, ROM, ANCIEN},

    // optimiser_dte: a count of 0 or less chooses nothing; a huge one stops when no pair is left.
    {"optimiser_dte('script.txt', 'sortie.txt', -1)", DTE + "DTE\tApparitions\nScore : 0\n" + FIN_DTE, ROM, ""},
    {"optimiser_dte('script.txt', 'sortie.txt', 1e300)", DTE + "DTE\tApparitions\nScore : 0\n" + FIN_DTE, ROM, ""},
    {"optimiser_dte('script.txt', 'sortie.txt', 0/0)", DTE + "DTE\tApparitions\nScore : 0\n" + FIN_DTE, ROM, ""},
    {"optimiser_dte('script.txt', 'sortie.txt', 2^31 - 1)",
     DTE + "DTE\tApparitions\n\"AB\"\t2\n\" C\"\t1\n\"\0\0\"\t0\nScore : 3\n"s + FIN_DTE, ROM,
     "AB\n C\n\0\0\n"s},

    // optimiser_mte: counts are 16-bit numbers, checked before the result is opened.
    {"optimiser_mte('script.txt', 'sortie.txt', -1, 8)",
     DTE + "Taille mte : 2\nErreur, le nombre de MTE indiqué est incorrect\n" + FIN_DTE, ROM, ANCIEN},
    {"optimiser_mte('script.txt', 'sortie.txt', 65536, 8)",
     DTE + "Taille mte : 2\nErreur, le nombre de MTE indiqué est incorrect\n" + FIN_DTE, ROM, ANCIEN},
    {"optimiser_mte('script.txt', 'sortie.txt', 3, -1)",
     DTE + "Taille mte : 2\nErreur, la taille maximale d'une MTE doit être supérieure à 2\n" + FIN_DTE, ROM, ANCIEN},
    {"optimiser_mte('script.txt', 'sortie.txt', 3, 2^31, 1)",
     DTE + "Taille mte : 1\nErreur, la taille maximale d'une MTE doit être supérieure à 1\n" + FIN_DTE, ROM, ANCIEN},
    {"optimiser_mte('script.txt', 'sortie.txt', 3, 8, 1e300)",
     "Erreur, la taille de la mte dans la rom doit être 1 ou 2\n", ROM, ANCIEN},
    {"optimiser_mte('script.txt', 'sortie.txt', 3, 8, -1)",
     "Erreur, la taille de la mte dans la rom doit être 1 ou 2\n", ROM, ANCIEN},

    // mettre_en_forme: a width or box height of 0, negative or huge still gives every word.
    {"mettre_en_forme('script.txt', 'sortie.txt', 'police.tbl', -1, -1)", MISE_EN_FORME + FIN_MISE_EN_FORME, ROM,
     "<PT0001>\nABAB\nCD<END>\n"s},
    {"mettre_en_forme('script.txt', 'sortie.txt', 'police.tbl', 0, 0/0)", MISE_EN_FORME + FIN_MISE_EN_FORME, ROM,
     "<PT0001>\nABAB\nCD<END>\n"s},
    {"mettre_en_forme('script.txt', 'sortie.txt', 'police.tbl', 2^31 - 1, 2^31 - 1)",
     MISE_EN_FORME + FIN_MISE_EN_FORME, ROM, "<PT0001>\nABAB CD<END>\n"s},
};

TEST(EntreesHostiles, NumbersOutOfRangeAndBadFormulasAreReportedBeforeAnyWrite) {
    for (Cas_nombres const& c : CAS_NOMBRES) {
        Scratch s;
        preparer(s);
        auto const r = run_script(s, std::string(c.appel) + " print('suite')");
        EXPECT_EQ(r.status, statut_attendu(c.sortie)) << c.appel;
        EXPECT_EQ(r.out, c.sortie + "suite\n") << c.appel;
        EXPECT_EQ(s.read("rom.bin"), c.rom) << c.appel;
        EXPECT_EQ(s.read("sortie.txt"), c.resultat) << c.appel;
    }
}

// The closing line of a command, printed whether or not it succeeded.
std::string fin_de(std::string const& appel) {
    static std::map<std::string, std::string> const fins = {
        {"extraire", FIN_EXTRACTION},         {"inserer", FIN_INSERTION},
        {"extraire_fixe", FIN_EXTRACTION_FIXE}, {"inserer_fixe", FIN_INSERTION_FIXE},
        {"optimiser_dte", FIN_DTE},           {"optimiser_mte", FIN_DTE},
        {"supprimer_mots", "Suppression terminée !\n\n"}, {"mettre_en_forme", FIN_MISE_EN_FORME},
    };
    return fins.at(appel.substr(0, appel.find('(')));
}

// One of the files replaced by the given bytes before the call; the line that must be printed
// ("" when the command runs silently), and the ROM and result file after it.
struct Cas_contenu {
    char const* fichier;
    std::string contenu;
    char const* appel;
    std::string message;
    std::string rom;
    std::string resultat;
};

void verifier(std::vector<Cas_contenu> const& cas) {
    for (Cas_contenu const& c : cas) {
        Scratch s;
        preparer(s);
        s.write(c.fichier, c.contenu);
        std::string const contexte = std::string(c.appel) + " avec " + c.fichier;
        auto const r = run_script(s, std::string(c.appel) + " print('suite')");
        EXPECT_EQ(r.status, statut_attendu(r.out)) << contexte;
        std::string const fin = fin_de(c.appel) + "suite\n";
        ASSERT_GE(r.out.size(), fin.size()) << contexte;
        EXPECT_EQ(r.out.substr(r.out.size() - fin.size()), fin) << contexte << "\n" << r.out;
        EXPECT_NE(r.out.find(c.message), std::string::npos) << contexte << "\n" << r.out;
        EXPECT_EQ(s.read("rom.bin"), c.rom) << contexte;
        EXPECT_EQ(s.read("sortie.txt"), c.resultat) << contexte;
    }
}

TEST(EntreesHostiles, EmptyFilesAreReadAsEmptyAndNeverWrittenThrough) {
    std::vector<Cas_contenu> const cas = {
        {"rom.bin", "", "extraire('rom.bin', 'table.tbl', 'sortie.txt', 0, 0, 'SANS_POINTEURS')", HORS_ROM, "", ANCIEN},
        {"rom.bin", "", "inserer('rom.bin', 'table.tbl', 'script.txt', 0, 0, 'SANS_POINTEURS')", HORS_ROM, "", ANCIEN},
        {"rom.bin", "", "extraire_fixe('rom.bin', 'table.tbl', 'sortie.txt', 0, 2, 2)",
         "Attention, les mots dépassent la fin de la rom : seuls les 0 octets qui s'y trouvent seront lus\n"
         "Attention, les mots 1 à 2 sont situés hors de la rom, ils ne seront pas extraits\n",
         "", ""},
        {"rom.bin", "", "inserer_fixe('rom.bin', 'table.tbl', 'fixe.txt', 0, 2, 4)",
         "Erreur : le mot 1 ne sera pas inseré : il dépasse la fin de la rom\n", "", ANCIEN},
        // An empty table knows no byte: extraction writes every byte raw, insertion knows only raw bytes.
        {"table.tbl", "", "extraire('rom.bin', 'table.tbl', 'sortie.txt', 0, 3, 'SANS_POINTEURS')", "", ROM,
         "<41><42><43><44>"},
        {"table.tbl", "", "extraire_fixe('rom.bin', 'table.tbl', 'sortie.txt', 0, 2, 2)", "", ROM,
         "<41><42>\n<43><44>\n"},
        {"table.tbl", "", "inserer('rom.bin', 'table.tbl', 'fixe.txt', 0, 15, 'SANS_POINTEURS')",
         "Le caractère \"A\" est inconnu (\"ABCD\\nEFGH\\n\")...\n", std::string(16, '\0'), ANCIEN},
        {"table.tbl", "", "inserer_fixe('rom.bin', 'table.tbl', 'fixe.txt', 0, 2, 4)",
         "Le caractère \"A\" est inconnu (\"ABCD\")...\n", ROM, ANCIEN},
        // An empty script inserts nothing: the range is filled with zeros, as for any script.
        {"script.txt", "", "inserer('rom.bin', 'table.tbl', 'script.txt', 0, 3, 'SANS_POINTEURS')",
         "4 octets restants\n", "\0\0\0\0EFGHIJKLMNOP"s, ANCIEN},
        {"fixe.txt", "", "inserer_fixe('rom.bin', 'table.tbl', 'fixe.txt', 0, 2, 4)", "", ROM, ANCIEN},
        {"script.txt", "", "optimiser_dte('script.txt', 'sortie.txt', 3)", "DTE\tApparitions\n\"\0\0\"\t0\nScore : 0\n"s,
         ROM, "\0\0\n"s},
        {"script.txt", "", "optimiser_mte('script.txt', 'sortie.txt', 3, 8)", "Taille mte : 2\nEmpty text.\n", ROM, ""},
        {"script.txt", "", "supprimer_mots('script.txt', 'sortie.txt', 'liste.txt')",
         "Mot :         AB   Taille :  2   Apparitions : 0\n", ROM, ""},
        {"liste.txt", "", "supprimer_mots('script.txt', 'sortie.txt', 'liste.txt')", "", ROM, SCRIPT},
        {"script.txt", "", "mettre_en_forme('script.txt', 'sortie.txt', 'police.tbl', 120, 2)", "", ROM, ""},
        {"police.tbl", "", "mettre_en_forme('script.txt', 'sortie.txt', 'police.tbl', 120, 2)",
         "L'espace n'a pas été défini... Arrêt du programme...\n", ROM, ANCIEN},
    };
    verifier(cas);
}

std::string const LIGNE_300 = std::string(300, 'A');

TEST(EntreesHostiles, NulBytesLoneCarriageReturnsLongLinesAndNoFinalLineFeed) {
    std::vector<Cas_contenu> const cas = {
        // Character tables. A NUL byte ends a side: a side with nothing before it is an empty entry.
        {"table.tbl", "41=A\n42=\0X\n\0=C\n43\0=C\n"s,
         "extraire('rom.bin', 'table.tbl', 'sortie.txt', 0, 3, 'SANS_POINTEURS')",
         "Une entrée vide a été detectée (\"42=\")\nUne entrée vide a été detectée (\"=C\")\n", ROM, "A<42>C<44>"},
        {"table.tbl", "41=A\n\0=B\n42=B\0X\n"s,
         "inserer('rom.bin', 'table.tbl', 'script.txt', 0, 15, 0, 1, 2, 'X', true)",
         "Une entrée vide a été detectée (\"=B\")\n", "ABAB"s + std::string(12, '\0'), ANCIEN},
        // A padding entry of no byte would pad for ever: it is refused with the other empty entries.
        {"table.tbl", "41=A\n42=B\n\0=_\n"s, "inserer_fixe('rom.bin', 'table.tbl', 'fixe.txt', 0, 1, 2^31 - 1)",
         "Une entrée vide a été detectée (\"=_\")\n", ROM, ANCIEN},
        // Lone CRs are line ends; the CR LF after them is then a CR and a line feed: a blank
        // line, skipped (it used to become part of the next key).
        {"table.tbl", "41=A\r42=B\r43=C\r\n44=D\r", "extraire('rom.bin', 'table.tbl', 'sortie.txt', 0, 3, 'SANS_POINTEURS')",
         "", ROM, "ABCD"},
        {"table.tbl", "41=A\r42=B\r", "inserer_fixe('rom.bin', 'table.tbl', 'fixe.txt', 4, 1, 2)",
         "Le mot 1 est trop long\n", "ABCDABGHIJKLMNOP", ANCIEN},
        // A text of 300 characters is cut at 256, and said to be; the next entry is read as it
        // stands (the rest of the text used to spoil it).
        {"table.tbl", "41=" + std::string(300, 'y') + "\n42=B\n",
         "extraire('rom.bin', 'table.tbl', 'sortie.txt', 0, 1, 'SANS_POINTEURS')",
         "Attention, le texte de la ligne 1 de la table dépasse 256 caractères : il est coupé\n", ROM,
         std::string(256, 'y') + "B"},
        // A key of 300 characters (150 bytes) is refused with its line.
        {"table.tbl", "41=A\n" + repeter("42", 150) + "=B\n43=C\n",
         "extraire('rom.bin', 'table.tbl', 'sortie.txt', 0, 3, 'SANS_POINTEURS')",
         "Attention, la clé de la ligne 2 de la table dépasse 256 caractères : la ligne est ignorée\n", ROM,
         "A<42>C<44>"},
        {"table.tbl", "41=A\n42=B", "extraire('rom.bin', 'table.tbl', 'sortie.txt', 0, 3, 'SANS_POINTEURS')", "", ROM,
         "AB<43><44>"},

        // Scripts. A NUL byte is an unknown character; a tag without its line feed is text.
        {"script.txt", "<PT0001>\nAB\0C\n<PT0002>"s,
         "inserer('rom.bin', 'table.tbl', 'script.txt', 4, 15, 0, 2, 2, 'X', false)",
         "Le caractère \"\" est inconnu (\"\")...\n", "\0\x04" "CDABCP"s + std::string(8, '\0'), ANCIEN},
        {"script.txt", "<PT0001>\rAB\rC\r<PT0002>\r\nD",
         "inserer('rom.bin', 'table.tbl', 'script.txt', 4, 15, 0, 2, 2, 'X', false)",
         "Le caractère \"\\n\" est inconnu (\"\\nC\\n<PT0002\")...\n", "\0\x04\0\x07" "ABCD"s + std::string(8, '\0'),
         ANCIEN},
        {"script.txt", "<PT0001>\n" + LIGNE_300 + "\n",
         "inserer('rom.bin', 'table.tbl', 'script.txt', 4, 15, 0, 1, 2, 'X', false)",
         "Espace insuffisant, il manque 288 octets...\n", "\0\x04" "CD"s + std::string(12, 'A'), ANCIEN},
        {"fixe.txt", "AB\0C\nD"s, "inserer_fixe('rom.bin', 'table.tbl', 'fixe.txt', 0, 3, 3)",
         "Le caractère \"\" est inconnu (\"\")...\nLe mot 1 est trop long\n", "ABDDEFGHIJKLMNOP", ANCIEN},
        {"fixe.txt", "AB\rCD\rEF", "inserer_fixe('rom.bin', 'table.tbl', 'fixe.txt', 8, 3, 2)", "", "ABCDEFGHABCDEFOP",
         ANCIEN},
        {"fixe.txt", LIGNE_300 + "\nB", "inserer_fixe('rom.bin', 'table.tbl', 'fixe.txt', 0, 2, 2)",
         "Le mot 1 est trop long\n", "AABDEFGHIJKLMNOP", ANCIEN},
        {"script.txt", "AB\0AB\rAB<0\0>AB"s, "optimiser_dte('script.txt', 'sortie.txt', 2)",
         "DTE\tApparitions\n\"AB\"\t4\n\"\0\0\"\t0\nScore : 4\n"s, ROM, "AB\n\0\0\n"s},
        {"script.txt", "<PT0001>\n" + LIGNE_300, "optimiser_dte('script.txt', 'sortie.txt', 1)",
         "DTE\tApparitions\n\"AA\"\t299\nScore : 299\n", ROM, "AA\n"},
        {"script.txt", "ABCD\0ABCD\rABCD"s, "optimiser_mte('script.txt', 'sortie.txt', 2, 8)",
         "Taille :        4  Apparitions :        3  Score :        6   \"ABCD\"\nScore total : 6\n", ROM, "ABCD\n"},
        {"script.txt", "<PT0001>\n" + LIGNE_300, "optimiser_mte('script.txt', 'sortie.txt', 1, 300)",
         "Taille :      151  Apparitions :      150  Score :    22350   \"" + std::string(151, 'A') + "\"\n", ROM,
         std::string(151, 'A') + "\n"},
        {"script.txt", "AB\0AB\rAB"s, "supprimer_mots('script.txt', 'sortie.txt', 'liste.txt')",
         "Mot :         AB   Taille :  2   Apparitions : 3\n", ROM, "<AB>\0<AB>\n<AB>"s},
        {"script.txt", "<PT0001>\nAB\0 CD<END>\n<PT0002>\rAB"s,
         "mettre_en_forme('script.txt', 'sortie.txt', 'police.tbl', 20, 2)", "Le caractère '\0' est inconnu (\"\")\n"s,
         ROM, "<PT0001>\nAB\0\nCD<END>\n"s},
        {"script.txt", "<PT0001>\nAB AB AB AB AB AB<END>", "mettre_en_forme('script.txt', 'sortie.txt', 'police.tbl', 40, 2)",
         "Attention, le bloc du pointeur 1 n'a pas de balise de fin.", ROM,
         "<PT0001>\nAB AB\nAB AB<BOX>\nAB\nAB<END>"},

        // Word lists: a line of 300 bytes is two words, of 256 and 44 bytes.
        {"liste.txt", "A\0B\r\nC\rD"s, "supprimer_mots('script.txt', 'sortie.txt', 'liste.txt')",
         "Mot :          A   Taille :  3   Apparitions : 0\nMot :        C\rD   Taille :  3   Apparitions : 0\n", ROM,
         SCRIPT},
        {"liste.txt", LIGNE_300 + "\nCD", "supprimer_mots('script.txt', 'sortie.txt', 'liste.txt')",
         "   Taille : 44   Apparitions : 0\nMot :         CD   Taille :  2   Apparitions : 1\n", ROM,
         "<PT0001>\nABAB <CD><END>\n"},

        // Line-break tables. A width of 300 digits is cut at 256; the rest, with no "=" after
        // it, is an entry with an empty side.
        {"police.tbl", " =4\r\\n=LINEBREAK\r<BOX>\\n=NEW_DEFAUT\r<END>\\n=FIN\rA=8\0\rB=\08\rC=8"s,
         "mettre_en_forme('script.txt', 'sortie.txt', 'police.tbl', 20, 2)",
         "Une entrée vide a été detectée (\"B=\")\nLe caractère 'B' est inconnu", ROM, "<PT0001>\nABAB\nCD<END>\n"},
        {"police.tbl", POLICE + "E=" + std::string(300, '9') + "\n",
         "mettre_en_forme('script.txt', 'sortie.txt', 'police.tbl', 20, 2)",
         "Une entrée vide a été detectée (\"" + std::string(43, '9') + "\n=\")\n", ROM, "<PT0001>\nABAB\nCD<END>\n"},
    };
    verifier(cas);
}

TEST(EntreesHostiles, ExtractionNeverWritesItsScriptOverTheRomOrTheTable) {
    struct Cas {
        char const* appel;
        std::string message;
    } const cas[] = {
        {"extraire('rom.bin', 'table.tbl', 'rom.bin', 0, 15, 'SANS_POINTEURS')",
         "Extraction du fichier 'rom.bin' à partir du fichier 'rom.bin'...\n"
         "Erreur, le script 'rom.bin' est le fichier de la rom : il ne sera pas écrasé\n" +
             FIN_EXTRACTION},
        {"extraire('rom.bin', 'table.tbl', './table.tbl', 0, 15, 'SANS_POINTEURS')",
         "Extraction du fichier './table.tbl' à partir du fichier 'rom.bin'...\n"
         "Erreur, le script './table.tbl' est le fichier de la table : il ne sera pas écrasé\n" +
             FIN_EXTRACTION},
        {"extraire_fixe('rom.bin', 'table.tbl', '../' .. dossier .. '/rom.bin', 0, 2, 2)",
         "Extraction fixe du fichier '../DOSSIER/rom.bin' à partir du fichier 'rom.bin'...\n"
         "Erreur, le script '../DOSSIER/rom.bin' est le fichier de la rom : il ne sera pas écrasé\n" +
             FIN_EXTRACTION_FIXE},
    };
    for (auto const& c : cas) {
        Scratch s;
        preparer(s);
        std::string const dossier = s.dir().substr(s.dir().rfind('/') + 1);
        std::string attendu = c.message;
        for (std::size_t i; (i = attendu.find("DOSSIER")) != std::string::npos;) attendu.replace(i, 7, dossier);
        auto const r = run_script(s, "dossier = '" + dossier + "' " + c.appel + " print('suite')");
        EXPECT_EQ(r.out, attendu + "suite\n") << c.appel;
        EXPECT_EQ(s.read("rom.bin"), ROM) << c.appel;
        EXPECT_EQ(s.read("table.tbl"), TABLE) << c.appel;
    }
}

TEST(EntreesHostiles, PointerTagsBeyondTheIntRangeNameNoPointer) {
    // A table text of 30 characters widens the window enough for tags of 26 digits.
    std::string const table = TABLE + "4343=" + std::string(30, 'C') + "\n";
    std::string const refus =
        "Erreur : le pointeur numéro 2147483647 ne sera pas inseré : son numéro est supérieur au nombre de pointeurs\n";
    struct Cas {
        char const* script;
        std::string messages;
        std::string rom;
    } const cas[] = {
        {"<PT4294967297>\nAB", refus, "ABCDABGHIJKLMNOP"},
        {"<PT2147483648>\nAB", refus, "ABCDABGHIJKLMNOP"},
        {"<PT99999999999999999999999>\nAB", refus, "ABCDABGHIJKLMNOP"},
        {"<PT00000000000000000000001>\nAB", "", "\0\x04" "CDABGHIJKLMNOP"s},
    };
    for (auto const& c : cas) {
        Scratch s;
        preparer(s);
        s.write("table.tbl", table);
        s.write("script.txt", c.script);
        auto const r =
            run_script(s, "inserer('rom.bin', 'table.tbl', 'script.txt', 4, 5, 0, 2, 2, 'X', false) print('suite')");
        EXPECT_EQ(r.out, INSERTION + c.messages + "0 octets restants\n" + FIN_INSERTION + "suite\n") << c.script;
        EXPECT_EQ(s.read("rom.bin"), c.rom) << c.script;
    }
}

std::string const BANNIERE = "Vorlan-tool version 1.1";

TEST(EntreesHostiles, LuaScriptsThatCannotBeRunAreReportedAndTheProgramEndsNormally) {
    struct Cas {
        char const* nom;
        std::string contenu;  // written unless the name is that of a folder or of no file
        std::string attendu;  // what follows the banner line
    } const cas[] = {
        {"absent.lua", "", "cannot open absent.lua"},
        {"dossier", "", "cannot read dossier"},
        {"vide.lua", "", ""},
        {"nul.lua", "print('a')\0print('b')\n"s, "nul.lua:1: unexpected symbol"},
        {"cr.lua", "print('a')\rprint('b')", "a\nb\n"},
        {"long.lua", "print('" + std::string(300, 'x') + "') print('suite')", std::string(300, 'x') + "\nsuite\n"},
    };
    for (auto const& c : cas) {
        Scratch s;
        s.write("vorlan-tool.lua", "");
        if (std::string(c.nom) == "dossier")
            mkdir(s.path("dossier").c_str(), 0755);
        else if (std::string(c.nom) != "absent.lua")
            s.write(c.nom, c.contenu);
        auto const r = test_support::run_vorlan(s, {"-e", c.nom});
        // A script the interpreter cannot load or run to its end gives 1.
        EXPECT_EQ(r.status, c.attendu.rfind("cannot", 0) == 0 || c.attendu.rfind("nul.lua", 0) == 0 ? 1 : 0)
            << c.nom;
        EXPECT_EQ(r.out.substr(0, BANNIERE.size()), BANNIERE) << c.nom;
        EXPECT_EQ(r.out.substr(r.out.find('\n') + 1, c.attendu.size()), c.attendu) << c.nom;
    }
}

TEST(EntreesHostiles, ShellLinesWithNulBytesLoneCarriageReturnsAndLongLines) {
    struct Cas {
        std::string entree;
        std::string attendu;  // what the shell prints after the banner
    } const cas[] = {
        // A NUL byte ends the statement: the next line stays a statement of its own.
        {"x\0 = 1\nprint(2)\n"s, "> [string \"in\"]:1: '=' expected near '<eof>'\n> 2\n> "},
        {"print(1)\rprint(2)\n", "> 1\n2\n> "},
        {"print('" + std::string(300, 'x') + "')\nprint(2)", "> " + std::string(300, 'x') + "\n> 2\n> "},
    };
    for (auto const& c : cas) {
        Scratch s;
        s.write("vorlan-tool.lua", "");
        auto const r = test_support::run_vorlan(s, {"-i"}, c.entree);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, BANNIERE + "\n" + c.attendu);
    }
}

}  // namespace
