#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "extraction/extracteur.h"
#include "insertion/insereur.h"
#include "rom_generee.h"

namespace {

void ecrire(std::string const& chemin, std::string const& octets) {
    std::ofstream(chemin, std::ios::binary).write(octets.data(), static_cast<std::streamsize>(octets.size()));
}

// Sends what the operations print to /dev/null for as long as it lives, so that the report
// stays readable.
class Silence {
public:
    Silence() : sauve_(dup(fileno(stdout))) {
        std::fflush(stdout);
        int const nul = open("/dev/null", O_WRONLY);
        dup2(nul, fileno(stdout));
        close(nul);
    }
    ~Silence() {
        std::fflush(stdout);
        dup2(sauve_, fileno(stdout));
        close(sauve_);
    }
    Silence(Silence const&) = delete;
    Silence& operator=(Silence const&) = delete;

private:
    int sauve_;
};

// Pointer-driven insertion of the dump of a 4 MiB text range with 20,000 pointers back into
// its ROM, files included.
void BM_inserer(benchmark::State& state) {
    Rom_generee const g = generer_rom(4 << 20, 20000, 1);
    std::filesystem::path const dossier = std::filesystem::temp_directory_path() / "vorlan-bench-insertion";
    std::filesystem::create_directories(dossier);
    std::string const rom = (dossier / "rom.bin").string();
    std::string const table = (dossier / "table.tbl").string();
    std::string const script = (dossier / "script.txt").string();
    ecrire(rom, g.rom);
    ecrire(table, g.table);
    Silence const silence;
    if (Extracteur::extraire(rom.c_str(), table.c_str(), script.c_str(), g.debut, g.fin, g.adresse, g.nombre,
                             Rom_generee::taille, Rom_generee::formule, Rom_generee::ordre) != 1)
        state.SkipWithError("extraction failed");

    for (auto _ : state) {
        int const fin = Insereur::inserer(rom.c_str(), table.c_str(), script.c_str(), g.debut, g.fin, g.adresse,
                                          g.nombre, Rom_generee::taille, Rom_generee::formule, Rom_generee::ordre);
        if (fin == g.debut) state.SkipWithError("insertion failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * (g.fin - g.debut + 1));
    std::filesystem::remove_all(dossier);
}
BENCHMARK(BM_inserer)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
