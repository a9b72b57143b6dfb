// The relative search on a generated 64 MiB ROM of random bytes, on 2 threads: a 10-character
// phrase with one joker among byte values, and the same phrase among 16-bit values searched at
// both alignments. The phrase is planted a few times under an encoding of its own (capitals and
// small letters at unrelated bases), and each run must find those places. The core is meant to
// stay under 0.15 s for bytes, under 0.6 s for 16-bit values.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <variant>
#include <vector>

#include "decouverte/motif.h"
#include "decouverte/recherche-relative.h"
#include "lib/entiers.h"

namespace {

constexpr std::size_t taille_rom = 64u << 20;
constexpr unsigned fils = 2;
constexpr char const phrase[] = "Forte*esse";
constexpr long long base_capitales = 0x61;
constexpr long long base_minuscules = 0x83;
constexpr int plantations = 6;

Decouverte::Motif motif() { return std::get<Decouverte::Motif>(Decouverte::lire_motif(phrase, "*", {})); }

struct Rom_plantee {
    std::vector<unsigned char> octets;
    std::vector<long long> adresses;  // where the phrase was planted, in ROM order
};

// Random bytes, the phrase written every tenth of the ROM or so, at odd offsets too for 2 bytes.
Rom_plantee planter(int largeur, Ordre_octets ordre) {
    Rom_plantee r;
    r.octets.resize(taille_rom);
    std::mt19937_64 alea(12345);
    for (std::size_t k = 0; k < taille_rom; k += 8) {
        std::uint64_t const x = alea();
        for (int b = 0; b < 8; ++b) r.octets[k + static_cast<std::size_t>(b)] = static_cast<unsigned char>(x >> 8 * b);
    }
    for (int i = 0; i < plantations; ++i) {
        long long const adresse = static_cast<long long>(taille_rom / (plantations + 1)) * (i + 1) + i;
        for (std::size_t k = 0; phrase[k] != '\0'; ++k) {
            char const c = phrase[k];
            long long code = static_cast<long long>(alea() % 0x100);
            if (c >= 'A' && c <= 'Z') code = base_capitales + (c - 'A');
            if (c >= 'a' && c <= 'z') code = base_minuscules + (c - 'a');
            ecrire_entier_borne(r.octets, adresse + static_cast<long long>(k) * largeur, largeur, ordre,
                                static_cast<std::uint32_t>(code));
        }
        r.adresses.push_back(adresse);
    }
    return r;
}

void chercher(benchmark::State& state, int largeur, Ordre_octets ordre) {
    Rom_plantee const rom = planter(largeur, ordre);
    Decouverte::Motif const m = motif();
    Decouverte::Recherche r;
    r.largeur = largeur;
    r.ordre = ordre;
    for (auto _ : state) {
        Decouverte::Resultat_relatif const resultat = Decouverte::chercher_relatif(rom.octets, m, r, fils);
        std::vector<long long> trouvees;
        for (Decouverte::Trouvaille const& t : resultat.trouvailles)
            if (t.bases[0] == base_capitales && t.bases[1] == base_minuscules) trouvees.push_back(t.adresse);
        if (trouvees != rom.adresses) state.SkipWithError("the planted phrases were not all found");
        benchmark::DoNotOptimize(resultat);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(taille_rom));
}

void BM_relatif_octets(benchmark::State& state) { chercher(state, 1, Ordre_octets::petit_boutiste); }
void BM_relatif_16_bits(benchmark::State& state) { chercher(state, 2, Ordre_octets::grand_boutiste); }

}  // namespace

BENCHMARK(BM_relatif_octets)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_relatif_16_bits)->Unit(benchmark::kMillisecond)->UseRealTime();
