// The pointer finder on a generated 8 MiB ROM of random bytes with 5,000 strings in four ranges
// and one pointer table for each (LoROM $00 in 3 bytes, GBA in 4 bytes one slot in eight,
// a 2-byte table of plain offsets from a base found from string order, 2-byte pointers relative
// to their slots in no order), every reading and mapping searched, on 2 threads. Each run must
// find the four tables. The core is meant to stay under 1.5 s.
#include <benchmark/benchmark.h>

#include <vector>

#include "decouverte/recherche-pointeurs.h"
#include "rom_de_test.h"

namespace {

constexpr long long taille_rom = 8LL << 20;
constexpr unsigned fils = 2;
constexpr int par_plage = 1250;

struct Rom_generee {
    essai_pointeurs::Rom_de_test rom{taille_rom, 2024};
    std::vector<Jeu::Groupe> tables;
};

Rom_generee const& rom_generee() {
    static Rom_generee const r = [] {
        using essai_pointeurs::suite;
        Rom_generee g;
        auto plage = [&g](long long debut) { return g.rom.ecrire_textes(debut, par_plage, 4, 60); };
        std::vector<long long> const lorom = plage(0x100000);
        std::vector<long long> const gba = plage(0x280000);
        std::vector<long long> const base = plage(0x400000);
        std::vector<long long> const relative = plage(0x610000);
        auto poser = [&g](Jeu::Groupe const& table, std::vector<long long> const& cibles) {
            g.rom.ecrire_table(table, cibles);
            g.tables.push_back(table);
        };
        poser(suite(0x10000, par_plage, 3, 3, Ordre_octets::petit_boutiste, essai_pointeurs::lorom_00()), lorom);
        poser(suite(0x20000, par_plage, 4, 8, Ordre_octets::petit_boutiste, essai_pointeurs::gba()), g.rom.melanger(gba));
        poser(suite(0x3F0000, par_plage, 2, 2, Ordre_octets::grand_boutiste, essai_pointeurs::lineaire(-0x3FF000)), base);
        poser(suite(0x60E000, par_plage, 2, 2, Ordre_octets::petit_boutiste, essai_pointeurs::relative()),
              g.rom.melanger(relative));
        return g;
    }();
    return r;
}

void BM_chercher_pointeurs(benchmark::State& etat) {
    Rom_generee const& g = rom_generee();
    Decouverte::Demande_pointeurs d;
    d.debuts = g.rom.debuts();
    for (auto _ : etat) {
        std::vector<Decouverte::Groupe_trouve> const groupes = Decouverte::chercher_pointeurs(g.rom.octets(), d, fils);
        for (Jeu::Groupe const& t : g.tables) {
            bool trouvee = false;
            for (Decouverte::Groupe_trouve const& f : groupes)
                trouvee = trouvee || (f.groupe.adresse == t.adresse && f.groupe.nombre == t.nombre &&
                                      f.groupe.formule_ext == t.formule_ext);
            if (!trouvee) etat.SkipWithError("a planted table was not found");
        }
        etat.counters["groupes"] = static_cast<double>(groupes.size());
    }
}
BENCHMARK(BM_chercher_pointeurs)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
