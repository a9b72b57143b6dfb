// exporter and importer run by the built program: round trips through PO, CSV and TSV, the
// gettext tools and Python's csv module reading what we write, a msgmerge of a newer dump, and
// the refusals that change no file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "support/scratch.h"
#include "support/vorlan.h"

namespace {

using test_support::run_script;
using test_support::Scratch;

// Every awkward text, in Latin-1: quotes, backslashes, tabs, commas, line breaks, codes,
// accents, a text of its end code only, a text two pointers share, long lines.
std::string const script_latin1 =
    "<PT0001>\n\"Bonjour\", dit-il \\ <FIN>\n"
    "<PT0002>\n<PT0003>\n<Aldo> : \tVoici l'\xE9p\xE9\x65 du roi,\nprends-la.<ROUGE>!<BLANC><FIN>\n"
    "<PT0004>\n<FIN>\n"
    "<PT0005>\nUne tr\xE8s longue ligne de dialogue qui d\xE9passe nettement les soixante-dix-neuf colonnes, "
    "vraiment tr\xE8s longue.<FIN>\n"
    "<PT0006>\n\n\nvide avant<00><FF><FIN>\n";

std::string const script_utf8 =
    "<PLAGE $10-$1F>\nd\xC3\xA9\x62ut libre\n<PT0001>\n\xC5\x93uvre \xE2\x80\xA6 \xE6\x97\xA5\xE6\x9C\xAC<FIN>\n"
    "<PLAGE $20-$2F>\n<PT0002>\n\xC3\xA9t\xC3\xA9\n";

std::string const mots = "Potion__\n\"Ep,e\"__\n\n\tX\\\n";

// Runs a script that must succeed and print no error.
std::string lancer(Scratch const& s, std::string const& lua) {
    test_support::RunResult const r = run_script(s, lua);
    EXPECT_EQ(r.status, 0) << r.out;
    return r.out;
}

bool outil_present(char const* nom) { return std::system((std::string("command -v ") + nom + " >/dev/null 2>&1").c_str()) == 0; }

// Runs a shell command in the scratch folder: its status, its standard error in `erreurs`.
int shell(Scratch const& s, std::string const& commande, std::string& erreurs) {
    int const statut = std::system(("cd '" + s.dir() + "' && " + commande + " 2>erreurs.txt").c_str());
    erreurs = s.read("erreurs.txt");
    return statut;
}

// msgfmt --check reads the file without a word, and msgcat writes it back unchanged.
void verifier_po(Scratch const& s, std::string const& nom) {
    ASSERT_TRUE(outil_present("msgfmt") && outil_present("msgcat"))
        << "msgfmt and msgcat (Debian's gettext) are needed: scripts/install-deps.sh installs them";
    std::string erreurs;
    EXPECT_EQ(shell(s, "msgfmt --check -o /dev/null '" + nom + "'", erreurs), 0) << nom;
    EXPECT_EQ(erreurs, "") << nom;
    EXPECT_EQ(shell(s, "msgcat -o copie.po '" + nom + "'", erreurs), 0) << nom;
    EXPECT_EQ(erreurs, "") << nom;
    EXPECT_EQ(s.read("copie.po"), s.read(nom)) << nom;
}

TEST(CommandesEchange, RoundTripsGiveTheIdenticalScript) {
    struct Cas {
        char const* nom;
        std::string script;
        char const* options;
    };
    Cas const cas[] = {
        {"latin1", script_latin1, ""},
        {"utf8 and markers", script_utf8, ", encodage = 'utf8'"},
        {"fixed list", mots, ", fixe = true"},
    };
    for (Cas const& c : cas) {
        for (char const* fin : {"po", "csv", "tsv"}) {
            Scratch s;
            s.write("script.txt", c.script);
            std::string const o = c.options;
            lancer(s, "exporter{ script = 'script.txt', traduction = 'script.txt', sortie = 'jeu." + std::string(fin) +
                          "', langue = 'fr'" + o + " }\n"
                          "local r = importer{ fichier = 'jeu." + fin + "', script = 'script.txt', sortie = 'retour.txt'" +
                          o + " }\n"
                          "assert(r.refuses == 0 and r.avertissements == 0 and r.flous == 0)\n"
                          "exporter{ script = 'script.txt', sortie = 'vide." + fin + "'" + o + " }\n"
                          "importer{ fichier = 'vide." + fin + "', script = 'script.txt', sortie = 'vide.txt'" + o + " }\n");
            EXPECT_EQ(s.read("retour.txt"), c.script) << c.nom << " " << fin;
            EXPECT_EQ(s.read("vide.txt"), c.script) << c.nom << " " << fin;
            if (std::string(fin) == "po") verifier_po(s, "jeu.po");
        }
    }
}

// The PO files a case folder pins, byte for byte what exporter writes.
TEST(CommandesEchange, GettextToolsReadTheCaseFoldersPo) {
    Scratch s;
    std::string const dossier = std::string(CASES_DIR) + "/echange-aller-retour/attendu/";
    for (char const* nom : {"script.txt.po", "boite.pot"}) s.write(nom, test_support::read_file(dossier + nom));
    verifier_po(s, "script.txt.po");
    std::string erreurs;
    EXPECT_EQ(shell(s, "msgfmt --check -o /dev/null boite.pot", erreurs), 0);
    EXPECT_EQ(erreurs, "boite.pot:2: warning: header field 'Language' still has the initial default value\n");
    EXPECT_EQ(shell(s, "msgcat -o copie.po boite.pot", erreurs), 0);
    EXPECT_EQ(s.read("copie.po"), s.read("boite.pot"));
}

TEST(CommandesEchange, GettextToolsReadOurPoUnchanged) {
    ASSERT_TRUE(outil_present("msgfmt") && outil_present("msgcat"))
        << "msgfmt and msgcat (Debian's gettext) are needed: scripts/install-deps.sh installs them";
    Scratch s;
    s.write("script.txt", script_latin1);
    s.write("utf8.txt", script_utf8);
    s.write("mots.txt", mots);
    lancer(s,
           "exporter{ script = 'script.txt', traduction = 'script.txt', sortie = 'a.po', langue = 'fr' }\n"
           "exporter{ script = 'utf8.txt', sortie = 'b.po', encodage = 'utf8', langue = 'ja' }\n"
           "exporter{ script = 'mots.txt', sortie = 'c.pot', fixe = true, langue = 'fr' }\n"
           "exporter{ script = 'script.txt', sortie = 'd.po' }\n");
    for (char const* nom : {"a.po", "b.po", "c.pot"}) verifier_po(s, nom);
    std::string erreurs;
    EXPECT_EQ(shell(s, "msgfmt --check -o /dev/null d.po", erreurs), 0);
    EXPECT_EQ(erreurs, "d.po:2: warning: header field 'Language' still has the initial default value\n");
}

TEST(CommandesEchange, MsgmergeOfANewerDumpMarksChangedTextsFuzzy) {
    ASSERT_TRUE(outil_present("msgmerge")) << "msgmerge (Debian's gettext) is needed: scripts/install-deps.sh installs it";
    Scratch s;
    s.write("ancien.txt", "<PT0001>\nBonjour, voyageur.<FIN>\n<PT0002>\nLe roi attend au nord.<FIN>\n<PT0003>\nNon<FIN>\n");
    s.write("ancien-en.txt", "<PT0001>\nHello, traveller.<FIN>\n<PT0002>\nThe king waits in the north.<FIN>\n<PT0003>\nNo<FIN>\n");
    s.write("nouveau.txt", "<PT0001>\nBonjour, voyageur.<FIN>\n<PT0002>\nLe roi attend au nord !<FIN>\n<PT0003>\nNon<FIN>\n");
    lancer(s,
           "exporter{ script = 'ancien.txt', traduction = 'ancien-en.txt', sortie = 'en.po', langue = 'en' }\n"
           "exporter{ script = 'nouveau.txt', sortie = 'jeu.pot' }\n");
    std::string erreurs;
    ASSERT_EQ(shell(s, "msgmerge --quiet -o fusion.po en.po jeu.pot", erreurs), 0) << erreurs;
    std::string const sortie = lancer(s,
                                      "local r = importer{ fichier = 'fusion.po', script = 'nouveau.txt', sortie = 'en.txt' }\n"
                                      "print(r.traduits, r.flous, r.non_traduits, r.refuses, r.pourcentage)\n");
    EXPECT_NE(sortie.find("2\t1\t0\t0\t66,7\n"), std::string::npos) << sortie;
    EXPECT_EQ(s.read("en.txt"),
              "<PT0001>\nHello, traveller.<FIN>\n<PT0002>\nThe king waits in the north.<FIN>\n<PT0003>\nNo<FIN>\n");
    // Without the fuzzy ones, the changed text keeps its new original.
    lancer(s, "importer{ fichier = 'fusion.po', script = 'nouveau.txt', sortie = 'en2.txt', appliquer_flous = false }\n");
    EXPECT_EQ(s.read("en2.txt"), "<PT0001>\nHello, traveller.<FIN>\n<PT0002>\nLe roi attend au nord !<FIN>\n<PT0003>\nNo<FIN>\n");
}

TEST(CommandesEchange, PythonCsvReadsOurCells) {
    ASSERT_TRUE(outil_present("python3")) << "python3 is needed: scripts/install-deps.sh installs it";
    Scratch s;
    s.write("script.txt", script_latin1);
    lancer(s, "exporter{ script = 'script.txt', traduction = 'script.txt', sortie = 'jeu.csv' }\n"
              "exporter{ script = 'script.txt', traduction = 'script.txt', sortie = 'jeu.tsv' }\n");
    // The TSV's cells, unescaped, are the cells our own reader gives back (round trips above).
    s.write("lire.py",
            "import csv, sys\n"
            "with open('jeu.csv', newline='', encoding='utf-8-sig') as f:\n"
            "    lignes = list(csv.reader(f))\n"
            "def cellule(c):\n"
            "    d = {'t': '\\t', 'n': '\\n', 'r': '\\r', '\\\\': '\\\\'}\n"
            "    s, k = '', 0\n"
            "    while k < len(c):\n"
            "        if c[k] == '\\\\':\n"
            "            s += d[c[k + 1]]; k += 2\n"
            "        else:\n"
            "            s += c[k]; k += 1\n"
            "    return s\n"
            "with open('jeu.tsv', encoding='utf-8-sig', newline='') as f:\n"
            "    attendu = [[cellule(c) for c in l.rstrip('\\n').split('\\t')] for l in f]\n"
            "sys.exit(0 if lignes == attendu and len(lignes) == 6 else 1)\n");
    std::string erreurs;
    EXPECT_EQ(shell(s, "python3 lire.py", erreurs), 0) << erreurs;
}

TEST(CommandesEchange, RefusalsChangeNoFile) {
    struct Cas {
        char const* nom;
        std::string lua;
        std::string message;
    };
    Cas const cas[] = {
        {"unknown field", "exporter{ script = 'script.txt', sortie = 'a.po', langage = 'fr' }",
         "Erreur, exporter ne connaît pas le champ 'langage'\n"},
        {"format", "exporter{ script = 'script.txt', sortie = 'a.txt' }",
         "Erreur, le champ 'sortie' de exporter doit nommer un fichier .po, .pot, .csv ou .tsv\n"},
        {"encoding", "exporter{ script = 'script.txt', sortie = 'a.po', encodage = 'latin9' }",
         "Erreur, le champ 'encodage' de exporter doit valoir \"latin1\" ou \"utf8\"\n"},
        {"box", "exporter{ script = 'script.txt', sortie = 'a.po', largeur = 176 }",
         "Erreur, les champs 'largeurs', 'largeur' et 'lignes' de exporter vont ensemble\n"},
        {"output is the script", "exporter{ script = 'jeu.po', sortie = 'jeu.po' }",
         "Erreur, le fichier 'jeu.po' à écrire est le fichier 'jeu.po' que la commande lit"},
        {"tags differ", "exporter{ script = 'script.txt', traduction = 'autre.txt', sortie = 'a.po' }",
         "Erreur, le script traduit 'autre.txt' n'a pas le texte PT0002 du script 'script.txt' : rien n'est écrit\n"},
        {"not utf8", "exporter{ script = 'script.txt', sortie = 'a.csv', encodage = 'utf8' }",
         "Erreur, le fichier 'script.txt' n'est pas de l'UTF-8 valide (octet 9) : rien n'est écrit\n"},
        {"import output is an input", "importer{ fichier = 'bon.csv', script = 'script.txt', sortie = 'script.txt' }",
         "Erreur, le fichier 'script.txt' à écrire est le fichier 'script.txt' que la commande lit"},
        {"unreadable file", "importer{ fichier = 'mauvais.csv', script = 'script.txt', sortie = 'b.txt' }",
         "Erreur, la ligne 2 du fichier 'mauvais.csv' n'est pas du CSV valide : rien n'est écrit\n"},
        {"glossary header", "importer{ fichier = 'bon.csv', script = 'script.txt', sortie = 'b.txt', glossaire = 'g.csv' }",
         "Erreur, le fichier 'g.csv' ne commence pas par la ligne d'en-tête 'original,traduction' : rien n'est écrit\n"},
        {"import format", "importer{ fichier = 'script.txt', script = 'script.txt', sortie = 'b.txt' }",
         "Erreur, le champ 'fichier' de importer doit nommer un fichier .po, .pot, .csv ou .tsv\n"},
    };
    for (Cas const& c : cas) {
        Scratch s;
        s.write("script.txt", "<PT0001>\n\xE9t\xE9<FIN>\n<PT0002>\nB<FIN>\n");
        s.write("autre.txt", "<PT0001>\nSummer<FIN>\n");
        s.write("bon.csv", "id,original,traduction,statut,notes\r\nPT0001,\xC3\xA9t\xC3\xA9<FIN>,Summer<FIN>,,\r\n");
        s.write("mauvais.csv", "id,original,traduction,statut,notes\r\nPT0001,\"a\r\n");
        s.write("g.csv", "terme,traduction\r\n");
        s.write("jeu.po", "<PT0001>\nA\n");
        auto const avant = test_support::snapshot_without_scripts(s);
        test_support::RunResult const r = run_script(s, c.lua);
        EXPECT_NE(r.out.find(c.message), std::string::npos) << c.nom << "\n" << r.out;
        EXPECT_EQ(r.status, 2) << c.nom;
        EXPECT_EQ(test_support::snapshot_without_scripts(s), avant) << c.nom;
    }
}

TEST(CommandesEchange, ImportPrintsItsChecksAndCounts) {
    Scratch s;
    s.write("script.txt", "<PT0001>\nBonjour<FIN>\n<PT0002>\nLe roi<FIN>\n<PT0003>\nNon<FIN>\n");
    s.write("jeu.tbl", "42=B\n48=H\n4C=L\n65=e\n6C=l\n6F=o\n72=r\n79=y\n20= \nFF=<FIN>\n");
    s.write("g.csv", "\xEF\xBB\xBForiginal,traduction\r\nroi,king\r\n");
    s.write("jeu.csv", "id,original,traduction,statut,notes\r\n"
                       "PT0001,Bonjour<FIN>,Hello<FIN>,,\r\n"
                       "PT0002,Le roi<FIN>,Le roy,\xC3\xA0 revoir,\r\n"
                       "PT0003,Non<FIN>,Nope<FIN>,,\r\n"
                       "PT0004,x,y,,\r\n");
    test_support::RunResult const r = run_script(
        s, "local r = importer{ fichier = 'jeu.csv', script = 'script.txt', sortie = 'fr.txt', table = 'jeu.tbl', "
           "glossaire = 'g.csv' }\n"
           "print(r.traduits, r.flous, r.non_traduits, r.refuses, r.avertissements)\n");
    EXPECT_EQ(r.out,
              "Importation du fichier 'jeu.csv' dans le script 'script.txt'...\n"
              "Attention, les codes de contrôle de la traduction de PT0002 ne sont pas ceux de l'original : rien au lieu "
              "de <FIN>\n"
              "Attention, la traduction de PT0002 ne contient pas 'king', que le glossaire impose pour 'roi'\n"
              "Erreur, la traduction de PT0003 contient \"N\", que la table ne sait pas encoder : elle n'est pas "
              "appliquée\n"
              "Erreur, l'entrée PT0004 n'est pas un texte du script : elle est refusée\n"
              "1 traduit(s), 1 flou(s), 0 non traduit(s), 2 refusé(s), 2 avertissement(s) : 25,0 % traduit\n"
              "Importation terminée !\n\n"
              "1\t1\t0\t2\t2\n");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(s.read("fr.txt"), "<PT0001>\nHello<FIN>\n<PT0002>\nLe roy\n<PT0003>\nNon<FIN>\n");
}

}  // namespace
