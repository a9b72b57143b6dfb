#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "host/operations.h"
#include "remplacement/remplacement.h"
#include "rom_generee.h"
#include "silence.h"

namespace {

void ecrire(std::string const& chemin, std::string const& octets) {
    std::ofstream(chemin, std::ios::binary).write(octets.data(), static_cast<std::streamsize>(octets.size()));
}

// The whole insertion command, putting the dump of a 4 MiB text range with 20,000 pointers
// back into its ROM: the table, the ROM and the script read, the ROM written.
void BM_inserer(benchmark::State& state) {
    Rom_generee const g = generer_rom(4 << 20, 20000, 1);
    std::filesystem::path const dossier =
        std::filesystem::temp_directory_path() / ("vorlan-bench-insertion-" + std::to_string(getpid()));
    std::filesystem::create_directories(dossier);
    std::string const rom = (dossier / "rom.bin").string();
    std::string const table = (dossier / "table.tbl").string();
    std::string const script = (dossier / "script.txt").string();
    ecrire(rom, g.rom);
    ecrire(table, g.table);
    Table_pointeurs const pointeurs{g.adresse, g.nombre, Rom_generee::taille, ordre_octets(Rom_generee::ordre)};
    Silence const silence;
    Operations::extraire(rom.c_str(), table.c_str(), script.c_str(), g.debut, g.fin, pointeurs, Rom_generee::formule);
    std::error_code erreur;
    if (std::filesystem::file_size(script, erreur) == 0 || erreur) state.SkipWithError("extraction failed");

    for (auto _ : state) {
        int const fin = Operations::inserer(rom.c_str(), {table}, script.c_str(), g.debut, g.fin, pointeurs,
                                            Rom_generee::formule);
        if (fin == g.debut) state.SkipWithError("insertion failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * (g.fin - g.debut + 1));
    std::filesystem::remove_all(dossier);
}
BENCHMARK(BM_inserer)->Unit(benchmark::kMillisecond)->UseRealTime();

// What the replacement of a whole ROM costs: 64 MiB written to a temporary file beside it,
// synced to the disk and renamed over it.
void BM_remplacer_64_Mio(benchmark::State& state) {
    std::filesystem::path const dossier =
        std::filesystem::temp_directory_path() / ("vorlan-bench-remplacement-" + std::to_string(getpid()));
    std::filesystem::create_directories(dossier);
    std::string const rom = (dossier / "rom.bin").string();
    std::string const octets(64u << 20, '\x5A');
    ecrire(rom, octets);
    for (auto _ : state) {
        if (!Remplacement::remplacer(rom, octets.data(), octets.size()).remplace())
            state.SkipWithError("replacement failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(octets.size()));
    std::filesystem::remove_all(dossier);
}
BENCHMARK(BM_remplacer_64_Mio)->Unit(benchmark::kMillisecond)->UseRealTime();

// A small insertion into a 64 MiB ROM: what a translator waits for on a large cartridge, the
// whole ROM read and replaced for a few bytes changed.
void BM_inserer_dans_64_Mio(benchmark::State& state) {
    std::filesystem::path const dossier =
        std::filesystem::temp_directory_path() / ("vorlan-bench-grande-rom-" + std::to_string(getpid()));
    std::filesystem::create_directories(dossier);
    std::string const rom = (dossier / "rom.bin").string();
    std::string const table = (dossier / "table.tbl").string();
    std::string const script = (dossier / "script.txt").string();
    ecrire(rom, std::string(64u << 20, '\0'));
    ecrire(table, "41=A\n42=B\n");
    ecrire(script, "<PT0001>\nABBA");
    Table_pointeurs const pointeurs{0x100, 1, 3, Ordre_octets::petit_boutiste};
    Silence const silence;
    for (auto _ : state) {
        if (Operations::inserer(rom.c_str(), {table}, script.c_str(), 0x200000, 0x2000FF, pointeurs, "X") ==
            0x200000)
            state.SkipWithError("insertion failed");
    }
    std::filesystem::remove_all(dossier);
}
BENCHMARK(BM_inserer_dans_64_Mio)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
