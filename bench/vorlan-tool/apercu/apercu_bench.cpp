#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "apercu/mise-en-page.h"
#include "apercu/png-rvb.h"
#include "host/operations.h"
#include "jeu_genere.h"
#include "silence.h"

namespace {

constexpr std::size_t taille_script = 1u << 20;

Apercu::Parametres parametres() {
    Apercu::Parametres p;
    p.largeur = 176;
    p.lignes = 3;
    return p;
}

struct Monde {
    Jeu_genere jeu = generer_jeu(taille_script, 7);
    std::vector<unsigned char> rom{jeu.rom.begin(), jeu.rom.end()};
    Insereur::Table_ins codes;
    Auto_LB::Table_ALB largeurs;
    Apercu::Police police{rom, Jeu_genere::adresse_police, 0x20};

    Monde() {
        codes.charger(jeu.table);
        largeurs.charger(jeu.largeurs);
    }
};

// The layout of every box of the 1 MiB script, with its problems.
void BM_mettre_en_page_1_Mio(benchmark::State& state) {
    Monde monde;
    std::size_t boites = 0;
    for (auto _ : state) {
        Apercu::Mise_en_page const m =
            Apercu::mettre_en_page(monde.jeu.script, monde.codes, monde.largeurs, monde.police, parametres());
        boites = m.boites.size();
        benchmark::DoNotOptimize(m.problemes);
    }
    state.counters["boites"] = static_cast<double>(boites);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * monde.jeu.script.size()));
}
BENCHMARK(BM_mettre_en_page_1_Mio)->Unit(benchmark::kMillisecond);

// Every page drawn and encoded as PNG, in memory.
void BM_dessiner_1_Mio(benchmark::State& state) {
    Monde monde;
    Apercu::Mise_en_page const m =
        Apercu::mettre_en_page(monde.jeu.script, monde.codes, monde.largeurs, monde.police, parametres());
    std::size_t octets = 0;
    for (auto _ : state) {
        octets = 0;
        for (std::size_t page = 0; page < m.pages.size(); ++page)
            octets += Apercu::png_rvb(Apercu::dessiner(m, page, monde.police, parametres())).size();
    }
    state.counters["pages"] = static_cast<double>(m.pages.size());
    state.counters["octets_png"] = static_cast<double>(octets);
}
BENCHMARK(BM_dessiner_1_Mio)->Unit(benchmark::kMillisecond);

void ecrire(std::filesystem::path const& chemin, std::string const& octets) {
    std::ofstream(chemin, std::ios::binary).write(octets.data(), static_cast<std::streamsize>(octets.size()));
}

// The whole command: the files read, the pages drawn, encoded and each written through the
// commit path (synced to the disk).
void BM_apercu_1_Mio(benchmark::State& state) {
    Jeu_genere const jeu = generer_jeu(taille_script, 7);
    std::filesystem::path const dossier =
        std::filesystem::temp_directory_path() / ("vorlan-bench-apercu-" + std::to_string(getpid()));
    std::filesystem::create_directories(dossier);
    Operations::Demande_apercu d;
    d.script = (dossier / "script.txt").string();
    d.table = (dossier / "jeu.tbl").string();
    d.rom = (dossier / "jeu.rom").string();
    d.largeurs = (dossier / "largeurs.tbl").string();
    d.sortie = (dossier / "apercu.png").string();
    d.adresse = Jeu_genere::adresse_police;
    d.premier = 0x20;
    d.parametres = parametres();
    ecrire(d.script, jeu.script);
    ecrire(d.table, jeu.table);
    ecrire(d.rom, jeu.rom);
    ecrire(d.largeurs, jeu.largeurs);
    Silence const silence;
    for (auto _ : state) {
        if (!Operations::apercu(d)) state.SkipWithError("preview refused");
    }
    std::filesystem::remove_all(dossier);
}
BENCHMARK(BM_apercu_1_Mio)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
