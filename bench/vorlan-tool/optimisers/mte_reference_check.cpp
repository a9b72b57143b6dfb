// Checks that the shipped MTE search writes the same words, the same report and leaves the
// same text as the plain search, on many small random scripts and on a generated game script.
// With "--script-de-jeu" it also checks the 1 MiB benchmark script (minutes: the plain search
// is the slow one).
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "mte_simple.h"
#include "redirection.h"
#include "script_aleatoire.h"
#include "lib/fichiers.h"
#include "lib/rapport.h"
#include "optimisers/mte.h"

namespace {

using namespace bench_optimiseurs;

struct Cas {
    std::string nom;
    std::string script;
    short nombre;
    short taille_max;
    int taille_rom;
};

std::string lire(std::string const& chemin) {
    std::string contenu;
    if (std::FILE* f = std::fopen(chemin.c_str(), "rb")) {
        char bloc[4096];
        std::size_t n;
        while ((n = std::fread(bloc, 1, sizeof bloc, f)) > 0) contenu.append(bloc, n);
        std::fclose(f);
    }
    return contenu;
}

struct Resultat {
    std::string mots, rapport, texte;
    short restants;
};

// The shipped search returns its words and reports; the report's bytes are what the command
// prints.
Resultat chercher_livre(std::string texte, Cas const& cas) {
    Resultat r;
    r.restants = cas.nombre;
    MTE::Recherche recherche;
    MTE::FindMTE(texte, recherche, r.restants, cas.taille_max, cas.taille_rom);
    r.mots = recherche.resultat;
    r.rapport = formater(recherche.rapports);
    r.texte = texte;
    return r;
}

// The plain search prints its report and writes its words itself: both are read back.
Resultat chercher_simple(std::string texte, Cas const& cas, std::string const& dossier) {
    std::string const mots = dossier + "/mots.txt", rapport = dossier + "/rapport.txt";
    Resultat r;
    r.restants = cas.nombre;
    {
        Fichier sortie(mots.c_str(), "w");
        Redirection redirection(rapport.c_str());
        FindMTE_simple(texte, sortie, r.restants, cas.taille_max, cas.taille_rom);
    }
    r.mots = lire(mots);
    r.rapport = lire(rapport);
    r.texte = texte;
    return r;
}

bool verifier(Cas const& cas, std::string const& dossier) {
    std::string texte = cas.script;
    MTE::Clean(texte);
    Resultat livre = chercher_livre(texte, cas);
    Resultat simple = chercher_simple(texte, cas, dossier);
    if (livre.mots == simple.mots && livre.rapport == simple.rapport && livre.texte == simple.texte &&
        livre.restants == simple.restants)
        return true;
    std::printf("%s (%d words, at most %d bytes, references of %d): the searches differ\n", cas.nom.c_str(), cas.nombre,
                cas.taille_max, cas.taille_rom);
    std::printf("shipped report:\n%s\nplain report:\n%s\n", livre.rapport.c_str(), simple.rapport.c_str());
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    bool const script_de_jeu_complet = argc > 1 && std::string(argv[1]) == "--script-de-jeu";
    char modele[] = "/tmp/mte_reference_check.XXXXXX";
    char const* dossier = mkdtemp(modele);
    if (dossier == nullptr) return 2;

    std::vector<Cas> cas;
    for (std::uint32_t graine = 1; graine <= 400; ++graine) {
        int t = 1 + static_cast<int>(graine % 2);
        cas.push_back(Cas{"small script " + std::to_string(graine), petit_script(graine),
                          static_cast<short>(1 + graine % 23), static_cast<short>(t + 1 + graine % 7), t});
    }
    cas.push_back(Cas{"16 KiB game script", script_de_jeu(16 * 1024, 7), 64, 12, 2});
    cas.push_back(Cas{"16 KiB game script, one-byte references", script_de_jeu(16 * 1024, 8), 40, 6, 1});
    // Lines and words longer than the 255 bytes the counter keeps of a run or a common start.
    std::string longues;
    for (int ligne = 0; ligne < 6; ++ligne) {
        for (int k = 0; k < 40; ++k) longues += "Le roi dort ce soir. " + std::string(1, static_cast<char>('a' + (ligne * k) % 5));
        longues += '\n';
    }
    cas.push_back(Cas{"long lines, words up to 300 bytes", longues, 6, 300, 2});
    if (script_de_jeu_complet) cas.push_back(Cas{"1 MiB game script", script_de_jeu(1024 * 1024, 1), 64, 12, 2});

    int echecs = 0;
    for (Cas const& c : cas)
        if (!verifier(c, dossier)) ++echecs;
    std::remove((std::string(dossier) + "/mots.txt").c_str());
    std::remove((std::string(dossier) + "/rapport.txt").c_str());
    std::remove(dossier);
    std::printf("%zu scripts, %d with differences\n", cas.size(), echecs);
    return echecs == 0 ? 0 : 1;
}
