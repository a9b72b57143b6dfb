// Patch creation on generated ROM pairs: a translation (the text half of a 2 MiB ROM
// rewritten), a few scattered fixes, and a ROM expanded to 4 MiB with its text moved. The patch
// sizes are counters: `octets`, and `pourcent` of the new text where there is some; for BPS, the
// target bytes each kind of action makes.
#include <benchmark/benchmark.h>

#include "paires_roms.h"
#include "patchs/bps-decodeur.h"
#include "patchs/bps-encodeur.h"
#include "patchs/ips-decodeur.h"
#include "patchs/ips-encodeur.h"

namespace {

enum Cas { traduction, corrections, agrandissement };

Paire const& paire(int cas) {
    static Paire const traduite = paire_traduite();
    static Paire const corrigee = paire_corrigee(12);
    static Paire const agrandie = paire_agrandie();
    return cas == traduction ? traduite : cas == corrections ? corrigee : agrandie;
}

char const* nom(int cas) {
    return cas == traduction ? "traduction" : cas == corrections ? "corrections" : "agrandissement";
}

void tailles(benchmark::State& state, Paire const& p, std::size_t taille) {
    state.counters["octets"] = static_cast<double>(taille);
    if (p.texte_nouveau > 0)
        state.counters["pourcent"] = 100.0 * static_cast<double>(taille) / static_cast<double>(p.texte_nouveau);
    state.SetLabel(nom(static_cast<int>(state.range(0))));
}

void BM_bps_creer(benchmark::State& state) {
    Paire const& p = paire(static_cast<int>(state.range(0)));
    BPS::Creation creation;
    for (auto _ : state) {
        creation = BPS::creer(p.original, p.modifie);
        benchmark::DoNotOptimize(creation.patch.data());
    }
    BPS::Application const retour = BPS::appliquer(p.original, creation.patch);
    if (retour.statut != BPS::Statut::ok || retour.cible != p.modifie) state.SkipWithError("round trip failed");
    tailles(state, p, creation.patch.size());
    for (int genre = 0; genre < 4; ++genre) {
        static char const* const noms[] = {"lecture_source", "lecture_cible", "copie_source", "copie_cible"};
        state.counters[noms[genre]] = static_cast<double>(creation.octets[genre]);
    }
}
BENCHMARK(BM_bps_creer)
    ->Arg(traduction)
    ->Arg(corrections)
    ->Arg(agrandissement)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_bps_appliquer(benchmark::State& state) {
    Paire const& p = paire(static_cast<int>(state.range(0)));
    BPS::Creation const creation = BPS::creer(p.original, p.modifie);
    BPS::Application retour;
    for (auto _ : state) {
        retour = BPS::appliquer(p.original, creation.patch);
        benchmark::DoNotOptimize(retour.cible.data());
    }
    if (retour.statut != BPS::Statut::ok || retour.cible != p.modifie) state.SkipWithError("round trip failed");
    tailles(state, p, creation.patch.size());
}
BENCHMARK(BM_bps_appliquer)->Arg(traduction)->Arg(agrandissement)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ips_creer(benchmark::State& state) {
    Paire const& p = paire(static_cast<int>(state.range(0)));
    IPS::Creation creation;
    for (auto _ : state) {
        creation = IPS::creer(p.original, p.modifie);
        benchmark::DoNotOptimize(creation.patch.data());
    }
    IPS::Application const retour = IPS::appliquer(p.original, creation.patch);
    if (creation.statut != IPS::Statut_creation::ok || retour.statut != IPS::Statut::ok || retour.rom != p.modifie)
        state.SkipWithError("round trip failed");
    tailles(state, p, creation.patch.size());
    state.counters["enregistrements"] = static_cast<double>(creation.enregistrements);
}
BENCHMARK(BM_ips_creer)->Arg(corrections)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
