// exporter and importer on a script of 4 MiB and 20,000 texts, each run as the command runs it:
// the files read, the exchange unit, the reports printed, the output committed. Each must stay
// well under a second. The import's file is the export's, every translation its original, with
// a table and a glossary to check against.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include <unistd.h>

#include "host/operations_echange.h"

namespace {

constexpr int nombre_de_textes = 20000;
constexpr std::size_t taille_visee = 4u << 20;

// Dialogue-like texts: words of Latin-1 letters, codes, line breaks, quotes and commas.
std::string script_genere() {
    std::mt19937 hasard(23);
    char const* const mots[] = {"le", "roi", "attend", "\xE9p\xE9\x65", "\"Karst\"", "pont,", "Mira", "<ROUGE>",
                                "<BLANC>", "for\xEAt", "village", "nord", "porte", "garde", "\\"};
    std::size_t const par_texte = taille_visee / nombre_de_textes;
    std::string s;
    s.reserve(taille_visee + 4096);
    char balise[32];
    for (int k = 1; k <= nombre_de_textes; ++k) {
        std::snprintf(balise, sizeof balise, "<PT%04d>\n", k);
        s += balise;
        std::size_t const debut = s.size();
        while (s.size() - debut + 12 < par_texte - 10) {
            s += mots[hasard() % (sizeof mots / sizeof mots[0])];
            s += hasard() % 9 == 0 ? '\n' : ' ';
        }
        s += "<FIN>\n";
    }
    return s;
}

struct Dossier {
    std::string chemin;
    Dossier() {
        char modele[] = "/tmp/echange-bench-XXXXXX";
        chemin = mkdtemp(modele);
        ecrire("script.txt", script_genere());
        // Every printable ASCII character, the codes, the accents and the line break.
        std::string table;
        char ligne[16];
        for (int c = 0x21; c < 0x7F; ++c) {
            if (c == '<' || c == '>') continue;
            std::snprintf(ligne, sizeof ligne, "%02X=%c\n", c, c);
            table += ligne;
        }
        table += "20= \n0A=\\n\nF0=<ROUGE>\nF1=<BLANC>\nFF=<FIN>\nE9=\xE9\nEA=\xEA\n";
        ecrire("jeu.tbl", table);
        ecrire("glossaire.csv", "original,traduction\r\nroi,roi\r\nvillage,village\r\n");
    }
    ~Dossier() { std::system(("rm -rf '" + chemin + "'").c_str()); }
    std::string nom(char const* fichier) const { return chemin + "/" + fichier; }
    void ecrire(char const* fichier, std::string const& octets) const {
        std::FILE* f = std::fopen(nom(fichier).c_str(), "wb");
        std::fwrite(octets.data(), 1, octets.size(), f);
        std::fclose(f);
    }
};

Dossier const& dossier() {
    static Dossier const d;
    return d;
}

void exporter(benchmark::State& state, char const* sortie) {
    Dossier const& d = dossier();
    for (auto _ : state) {
        Operations::Demande_exporter demande;
        demande.script = d.nom("script.txt");
        demande.traduction = d.nom("script.txt");
        demande.sortie = d.nom(sortie);
        demande.echange.format = *Echange::format_du_nom(sortie);
        demande.echange.en_tete = {"script.txt", "fr"};
        Operations::exporter(demande);
    }
}

void importer(benchmark::State& state, char const* fichier) {
    Dossier const& d = dossier();
    {
        Operations::Demande_exporter demande;
        demande.script = d.nom("script.txt");
        demande.traduction = d.nom("script.txt");
        demande.sortie = d.nom(fichier);
        demande.echange.format = *Echange::format_du_nom(fichier);
        Operations::exporter(demande);
    }
    for (auto _ : state) {
        Operations::Demande_importer demande;
        demande.fichier = d.nom(fichier);
        demande.script = d.nom("script.txt");
        demande.sortie = d.nom("retour.txt");
        demande.table = d.nom("jeu.tbl");
        demande.glossaire = d.nom("glossaire.csv");
        demande.echange.format = *Echange::format_du_nom(fichier);
        std::optional<Echange::Comptes> const c = Operations::importer(demande);
        if (!c || c->traduits != nombre_de_textes) state.SkipWithError("the import did not apply every text");
    }
}

}  // namespace

BENCHMARK_CAPTURE(exporter, po, "jeu.po")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(exporter, csv, "jeu.csv")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(exporter, tsv, "jeu.tsv")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(importer, po, "import.po")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(importer, csv, "import.csv")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(importer, tsv, "import.tsv")->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
