#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "extraction/extracteur.h"
#include "rom_generee.h"

namespace {

void ecrire(std::string const& chemin, std::string const& octets) {
    std::ofstream(chemin, std::ios::binary).write(octets.data(), static_cast<std::streamsize>(octets.size()));
}

// Pointer-driven extraction of a 4 MiB text range with 20,000 pointers, files included.
void BM_extraire(benchmark::State& state) {
    Rom_generee const g = generer_rom(4 << 20, 20000, 1);
    std::filesystem::path const dossier =
        std::filesystem::temp_directory_path() / ("vorlan-bench-extraction-" + std::to_string(getpid()));
    std::filesystem::create_directories(dossier);
    std::string const rom = (dossier / "rom.bin").string();
    std::string const table = (dossier / "table.tbl").string();
    std::string const script = (dossier / "script.txt").string();
    ecrire(rom, g.rom);
    ecrire(table, g.table);

    for (auto _ : state) {
        int const ok = Extracteur::extraire(rom.c_str(), table.c_str(), script.c_str(), g.debut, g.fin, g.adresse,
                                            g.nombre, Rom_generee::taille, Rom_generee::formule, Rom_generee::ordre);
        if (ok != 1) state.SkipWithError("extraction failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * (g.fin - g.debut + 1));
    std::filesystem::remove_all(dossier);
}
BENCHMARK(BM_extraire)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
