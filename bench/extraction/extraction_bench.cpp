#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include <unistd.h>

#include "host/operations.h"
#include "rom_generee.h"
#include "silence.h"

namespace {

void ecrire(std::string const& chemin, std::string const& octets) {
    std::ofstream(chemin, std::ios::binary).write(octets.data(), static_cast<std::streamsize>(octets.size()));
}

// Every byte of the range gives at least one character of script, so a shorter script means
// the command refused its arguments or could not write.
bool script_complet(std::string const& script, Rom_generee const& g) {
    std::error_code erreur;
    auto const taille = std::filesystem::file_size(script, erreur);
    return !erreur && taille >= static_cast<std::uintmax_t>(g.fin - g.debut + 1);
}

// The whole extraction command on a 4 MiB text range with 20,000 pointers: the table and the
// ROM read, the script written.
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
    Table_pointeurs const pointeurs{g.adresse, g.nombre, Rom_generee::taille, ordre_octets(Rom_generee::ordre)};

    {
        Silence const silence;
        for (auto _ : state)
            Operations::extraire(rom.c_str(), table.c_str(), script.c_str(), g.debut, g.fin, pointeurs,
                                 Rom_generee::formule);
    }
    if (!script_complet(script, g)) state.SkipWithError("extraction failed");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * (g.fin - g.debut + 1));
    std::filesystem::remove_all(dossier);
}
BENCHMARK(BM_extraire)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
