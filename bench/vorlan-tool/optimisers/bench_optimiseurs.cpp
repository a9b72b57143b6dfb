// Times the MTE command (64 words of at most 12 bytes, 2-byte references) and the DTE command
// (256 pairs) on a generated 1 MiB game script, script read and result written, and the plain
// MTE search for comparison.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "mte_simple.h"
#include "redirection.h"
#include "script_aleatoire.h"
#include "host/operations.h"

namespace {

using namespace bench_optimiseurs;

// The script file, written once for every benchmark of the run.
std::string const& script() {
    static std::string const chemin = [] {
        std::string c = "/tmp/bench_optimiseurs_script.txt";
        std::string const contenu = script_de_jeu(1024 * 1024, 1);
        std::FILE* f = std::fopen(c.c_str(), "wb");
        std::fwrite(contenu.data(), 1, contenu.size(), f);
        std::fclose(f);
        return c;
    }();
    return chemin;
}

char const* const resultat = "/tmp/bench_optimiseurs_resultat.txt";

void MTE_64_mots(benchmark::State& state) {
    for (auto _ : state) {
        Redirection silence("/dev/null");
        Operations::optimiser_mte(script().c_str(), resultat, 64, 12, 2);
    }
}
BENCHMARK(MTE_64_mots)->Unit(benchmark::kMillisecond);

void MTE_64_mots_recherche_simple(benchmark::State& state) {
    for (auto _ : state) {
        Redirection silence("/dev/null");
        optimiser_simple(script().c_str(), resultat, 64, 12, 2);
    }
}
BENCHMARK(MTE_64_mots_recherche_simple)->Unit(benchmark::kMillisecond)->Iterations(1);

void DTE_256_paires(benchmark::State& state) {
    for (auto _ : state) {
        Redirection silence("/dev/null");
        Operations::optimiser_dte(script().c_str(), resultat, 256);
    }
}
BENCHMARK(DTE_256_paires)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
