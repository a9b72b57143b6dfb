// The two encoders on the same generated script: 4 MiB of sentences cut by a pointer tag every
// 200 characters or so, through a table of 2,000 entries (letters, pairs under one byte and
// under two, words under two bytes).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "insertion/encodage-court.h"
#include "insertion/encodage.h"

namespace {

struct Jeu_genere {
    std::string table;
    std::string script;
};

std::string syllabe(std::mt19937& hasard) {
    static char const* const consonnes[] = {"b", "d", "f", "g", "l", "m", "n", "p", "r", "s", "t", "v", "ch", "qu"};
    static char const* const voyelles[] = {"a", "e", "i", "o", "u", "ou", "ai", "eu"};
    return std::string(consonnes[hasard() % 14]) + voyelles[hasard() % 8];
}

// Letters under 20..7E, pairs under 80..DF and 00..1F, then pairs and words under two bytes
// E0xx..FFxx; the words are the commonest of the script's vocabulary, a space after half of them.
Jeu_genere generer(std::size_t taille, unsigned graine) {
    std::mt19937 hasard(graine);
    std::vector<std::string> vocabulaire;
    for (int k = 0; k < 3000; ++k) {
        std::string mot;
        for (int n = 1 + static_cast<int>(hasard() % 3); n > 0; --n) mot += syllabe(hasard);
        vocabulaire.push_back(mot);
    }
    Jeu_genere g;
    char ligne[64];
    for (int c = 0x20; c < 0x7F; ++c) {
        std::snprintf(ligne, sizeof ligne, "%02X=%c\n", c, c);
        g.table += ligne;
    }
    std::string const lettres = "abdefgilmnopqrstuv ,.";
    std::set<std::string> paires;
    std::vector<int> cles_paires;
    for (int c = 0x80; c < 0xE0; ++c) cles_paires.push_back(c);
    for (int c = 0x00; c < 0x20; ++c) cles_paires.push_back(c);
    int suivante = 0xE000;
    auto cle_longue = [&] { return suivante++; };
    std::size_t entrees = 0x7F - 0x20;
    while (paires.size() < 400) {
        std::string const paire{lettres[hasard() % lettres.size()], lettres[hasard() % lettres.size()]};
        if (!paires.insert(paire).second) continue;
        if (paires.size() <= cles_paires.size())
            std::snprintf(ligne, sizeof ligne, "%02X=%s\n", cles_paires[paires.size() - 1], paire.c_str());
        else
            std::snprintf(ligne, sizeof ligne, "%04X=%s\n", cle_longue(), paire.c_str());
        g.table += ligne;
        ++entrees;
    }
    for (std::size_t k = 0; entrees < 2000; ++k, ++entrees) {
        std::string const mot = vocabulaire[k] + (k % 2 ? " " : "");
        std::snprintf(ligne, sizeof ligne, "%04X=%s\n", cle_longue(), mot.c_str());
        g.table += ligne;
    }
    // Zipf-like: the first words of the vocabulary come most often.
    std::uniform_real_distribution<double> uniforme(0.0, 1.0);
    int numero = 0;
    std::size_t depuis_balise = 0;
    while (g.script.size() < taille) {
        if (depuis_balise > 200) {
            char balise[32];
            std::snprintf(balise, sizeof balise, "<PT%04d>\n", numero++);
            g.script += balise;
            depuis_balise = 0;
        }
        double const u = uniforme(hasard);
        std::string const& mot = vocabulaire[static_cast<std::size_t>(3000 * u * u * u) % 3000];
        g.script += mot;
        g.script += hasard() % 8 == 0 ? ", " : " ";
        depuis_balise += mot.size() + 1;
    }
    return g;
}

Jeu_genere const& jeu() {
    static Jeu_genere const g = generer(4u << 20, 1);
    return g;
}

std::size_t octets(Insereur::Encodage const& e) {
    std::size_t n = 0;
    for (auto const& t : e.textes) n += t.octets.size();
    return n;
}

void BM_encoder_plus_long(benchmark::State& state) {
    Insereur::Table_ins table;
    table.charger(jeu().table);
    std::size_t taille = 0;
    for (auto _ : state) {
        Insereur::Encodage const e = Insereur::encoder(jeu().script, table);
        taille = octets(e);
        benchmark::DoNotOptimize(taille);
    }
    state.counters["octets"] = static_cast<double>(taille);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(jeu().script.size()));
}
BENCHMARK(BM_encoder_plus_long)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(3)->DisplayAggregatesOnly(true);

void BM_encoder_court(benchmark::State& state) {
    Insereur::Table_courte table;
    table.charger(jeu().table);
    std::size_t taille = 0;
    for (auto _ : state) {
        Insereur::Encodage const e = Insereur::encoder_court(jeu().script, table);
        taille = octets(e);
        benchmark::DoNotOptimize(taille);
    }
    state.counters["octets"] = static_cast<double>(taille);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(jeu().script.size()));
}
BENCHMARK(BM_encoder_court)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(3)->DisplayAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
