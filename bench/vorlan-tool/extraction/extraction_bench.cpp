#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include <unistd.h>

#include "host/operations.h"
#include "tables/extracteur-table.h"
#include "tables/insereur-table.h"
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

// Loading a community table of 2,000 lines, every form of line among them: comments, blank
// lines, end tokens, line breaks, control codes with parameters, two-byte keys.
void BM_charger_table_2000_lignes(benchmark::State& state) {
    std::string table = "# Table du jeu\n\n";
    char ligne[64];
    for (int k = 0; table.size() < 60000 && k < 1990; ++k) {
        int const code = 0x1000 + k;
        switch (k % 10) {
        case 0: std::snprintf(ligne, sizeof ligne, "// bloc %d\n", k); break;
        case 1: std::snprintf(ligne, sizeof ligne, "/%04X=<FIN%d>\n", code, k); break;
        case 2: std::snprintf(ligne, sizeof ligne, "*%04X=<LIGNE%d>\n", code, k); break;
        case 3: std::snprintf(ligne, sizeof ligne, "$%04X=<CODE%d>,2\n", code, k); break;
        default: std::snprintf(ligne, sizeof ligne, "%04X=mot%d\n", code, k); break;
        }
        table += ligne;
    }
    for (auto _ : state) {
        Insereur::Table_ins insertion;
        Extracteur::Table_ext extraction;
        benchmark::DoNotOptimize(insertion.charger(table));
        benchmark::DoNotOptimize(extraction.charger(table));
    }
}
BENCHMARK(BM_charger_table_2000_lignes)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
