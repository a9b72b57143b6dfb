#include <benchmark/benchmark.h>

#include <filesystem>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>

#include <unistd.h>

#include "host/operations.h"
#include "jeu_genere.h"
#include "silence.h"

namespace {

constexpr std::size_t taille_script = 1u << 20;

void ecrire(std::filesystem::path const& chemin, std::string const& octets) {
    std::ofstream(chemin, std::ios::binary).write(octets.data(), static_cast<std::streamsize>(octets.size()));
}

// The whole command on a 1 MiB script and its original: the files read, the texts paired, the
// pictures drawn, encoded and written, and the page written, each through the commit path. The
// page is left in VORLAN_EPREUVE_DOSSIER when that is set, to be opened in a browser.
void BM_epreuve_1_Mio(benchmark::State& state) {
    Jeu_genere const jeu = generer_jeu(taille_script, 7);
    char const* const garde = std::getenv("VORLAN_EPREUVE_DOSSIER");
    std::filesystem::path const dossier =
        garde != nullptr ? std::filesystem::path(garde)
                         : std::filesystem::temp_directory_path() / ("vorlan-bench-epreuve-" + std::to_string(getpid()));
    std::filesystem::create_directories(dossier);
    Operations::Demande_epreuve d;
    Operations::Demande_apercu& a = d.apercu;
    a.script = (dossier / "script-fr.txt").string();
    a.table = (dossier / "jeu.tbl").string();
    a.rom = (dossier / "jeu.rom").string();
    a.largeurs = (dossier / "largeurs.tbl").string();
    a.sortie = (dossier / "epreuve.html").string();
    a.adresse = Jeu_genere::adresse_police;
    a.premier = 0x20;
    a.parametres.largeur = 176;
    a.parametres.lignes = 3;
    d.original = (dossier / "script.txt").string();
    d.titre = "Banc d'essai";
    ecrire(a.script, jeu.script);
    ecrire(*d.original, jeu.script);
    ecrire(a.table, jeu.table);
    ecrire(a.rom, jeu.rom);
    ecrire(a.largeurs, jeu.largeurs);
    Silence const silence;
    std::size_t boites = 0;
    for (auto _ : state) {
        std::optional<Operations::Epreuve_ecrite> const e = Operations::epreuve(d);
        if (!e) state.SkipWithError("proof sheet refused");
        else boites = e->mise_en_page.boites.size();
    }
    state.counters["boites"] = static_cast<double>(boites);
    state.counters["octets_page"] = static_cast<double>(std::filesystem::file_size(a.sortie));
    if (garde == nullptr) std::filesystem::remove_all(dossier);
}
BENCHMARK(BM_epreuve_1_Mio)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
