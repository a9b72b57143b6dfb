// What a game layout costs against the single-table commands, on the extraction benchmark's
// generated ROM (4 MiB of text, 20,000 pointers): BM_inserer puts its dump back through its one
// pointer table; the game benches lay the same pointers out again as three groups (a strided
// table, a strided table relative to its slots, a split big-endian table with a shift), give
// the text room plus three free areas added at the end of the ROM as four blocks, and run the
// whole extraire_jeu and inserer_jeu commands (files read, ROM or script written), the latter
// once placing the texts in script order and once largest first into the block they fill best.
// inserer_jeu with compact is meant to stay within 1.3 times the time of inserer.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include <unistd.h>

#include "host/operations.h"
#include "jeu/conversion.h"
#include "jeu/emplacements.h"
#include "jeu/extraction-jeu.h"
#include "jeu/verification.h"
#include "tables/extracteur-table.h"
#include "rom_generee.h"
#include "silence.h"

namespace {

void ecrire(std::string const& chemin, std::string const& octets) {
    std::ofstream(chemin, std::ios::binary).write(octets.data(), static_cast<std::streamsize>(octets.size()));
}

std::string lire(std::string const& chemin) {
    std::ifstream f(chemin, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

// A folder of its own for each bench, since the insertions rewrite their ROM.
class Dossier {
public:
    explicit Dossier(std::string const& nom)
        : chemin_(std::filesystem::temp_directory_path() /
                  ("vorlan-bench-jeu-" + nom + "-" + std::to_string(getpid()))) {
        std::filesystem::create_directories(chemin_);
    }
    ~Dossier() {
        std::error_code erreur;
        std::filesystem::remove_all(chemin_, erreur);
    }
    Dossier(Dossier const&) = delete;
    Dossier& operator=(Dossier const&) = delete;

    std::string fichier(char const* nom) const { return (chemin_ / nom).string(); }

private:
    std::filesystem::path chemin_;
};

Rom_generee const& rom_generee() {
    static Rom_generee const g = generer_rom(4 << 20, 20000, 1);
    return g;
}

// The offset each pointer of the generated table designates.
std::vector<long long> cibles(Rom_generee const& g) {
    std::vector<long long> resultat;
    for (int i = 0; i < g.nombre; ++i) {
        long long valeur = 0;
        for (int k = 0; k < Rom_generee::taille; ++k)
            valeur |= static_cast<long long>(static_cast<unsigned char>(g.rom[static_cast<std::size_t>(
                          g.adresse + i * Rom_generee::taille + k)]))
                      << (8 * k);
        resultat.push_back(valeur);
    }
    return resultat;
}

Jeu::Groupe suite(long long adresse, int nombre, char const* ext, char const* ins) {
    Jeu::Groupe g;
    g.adresse = adresse;
    g.nombre = nombre;
    g.taille = 3;
    g.pas = 3;
    g.formule_ext = ext;
    g.formule_ins = ins;
    return g;
}

// The generated table's room, cut in three: a third as it was, a third relative to each slot,
// the rest as three byte tables, high byte first.
std::vector<Jeu::Groupe> groupes(Rom_generee const& g) {
    int const tiers = (g.nombre + 2) / 3;
    std::vector<Jeu::Groupe> resultat{suite(g.adresse, tiers, "X", "X"),
                                      suite(g.adresse + 3LL * tiers, tiers, "X+P", "X-P")};
    Jeu::Groupe eclate;
    eclate.disposition = Jeu::Disposition::eclate;
    eclate.nombre = g.nombre - 2 * tiers;
    long long const base = g.adresse + 6LL * tiers;
    eclate.octets = {base, base + eclate.nombre, base + 2LL * eclate.nombre};
    eclate.taille = 3;
    eclate.pas = 1;
    eclate.ordre = Ordre_octets::grand_boutiste;
    eclate.formule_ext = "X-$80000";
    eclate.formule_ins = "X+$80000";
    resultat.push_back(eclate);
    return resultat;
}

// Other data, then a free area, three times over at the end of the ROM.
std::vector<Jeu::Plage> ajouter_zones_libres(std::string& rom) {
    std::vector<Jeu::Plage> zones;
    for (long long taille : {0x4000LL, 0x8000LL, 0x10000LL}) {
        rom.append(0x1000, '\x5A');
        long long const debut = static_cast<long long>(rom.size());
        zones.push_back({debut, debut + taille - 1});
        rom.append(static_cast<std::size_t>(taille), '\xFF');
    }
    return zones;
}

// Each pointer of the description given the value that designates its generated target.
bool poser_pointeurs(std::string& rom, Jeu::Description const& jeu, std::vector<long long> const& cible) {
    std::vector<Jeu::Pointeur_jeu> const pointeurs = Jeu::numeroter(jeu);
    for (std::size_t n = 0; n < pointeurs.size(); ++n) {
        Jeu::Groupe const& g = jeu.groupes[static_cast<std::size_t>(pointeurs[n].groupe)];
        int const i = pointeurs[n].rang;
        std::optional<std::uint32_t> const v = Jeu::Conversion(g).valeur(cible[n], Jeu::emplacement(g, i));
        if (!v) return false;
        for (int k = 0; k < g.taille; ++k)
            rom[static_cast<std::size_t>(Jeu::octet_du_pointeur(g, i, k))] =
                static_cast<char>(*v >> Jeu::decalage_de_l_octet(g, k));
    }
    return true;
}

// The generated game as a description: its files in `dossier`, its script extracted there.
struct Jeu_genere {
    Jeu::Description description;
    std::string rom;
    std::string script;  // the extraction, as the commands write it
    std::string script_fichier;
    std::string defaut;  // empty when the layout holds: every pointer tagged
};

Jeu_genere preparer(Dossier const& dossier) {
    Rom_generee const& g = rom_generee();
    Jeu_genere j;
    Jeu::Description& d = j.description;
    d.rom = dossier.fichier("rom.bin");
    d.table = dossier.fichier("table.tbl");
    j.script_fichier = dossier.fichier("script.txt");
    d.groupes = groupes(g);
    d.textes = {{g.debut, g.fin}};
    d.remplissage = 0xFF;
    j.rom = g.rom;
    d.espace = d.textes;
    for (Jeu::Plage const& p : ajouter_zones_libres(j.rom)) d.espace.push_back(p);
    if (!Jeu::verifier(d, static_cast<long long>(j.rom.size())).empty()) return j.defaut = "description refused", j;
    if (!poser_pointeurs(j.rom, d, cibles(g))) return j.defaut = "a pointer cannot reach its text", j;

    Extracteur::Table_ext table;
    table.charger(g.table);
    Extracteur::Extraction const e = Jeu::extraire(table, std::vector<unsigned char>(j.rom.begin(), j.rom.end()), d);
    if (!e.rapports.empty()) return j.defaut = "some pointer designates no text", j;
    j.script = e.script;
    ecrire(d.rom, j.rom);
    ecrire(d.table, g.table);
    ecrire(j.script_fichier, j.script);
    return j;
}

std::int64_t octets_de_texte() { return rom_generee().fin - rom_generee().debut + 1; }

// The single-table insertion command's files, its script extracted.
struct Insertion_simple {
    std::string rom;
    std::string table;
    std::string script;
    Table_pointeurs pointeurs;
};

Insertion_simple preparer_simple(Dossier const& dossier) {
    Rom_generee const& g = rom_generee();
    Insertion_simple s{dossier.fichier("simple.bin"), dossier.fichier("simple.tbl"), dossier.fichier("simple.txt"),
                       {g.adresse, g.nombre, Rom_generee::taille, ordre_octets(Rom_generee::ordre)}};
    ecrire(s.rom, g.rom);
    ecrire(s.table, g.table);
    Silence const silence;
    Operations::extraire(s.rom.c_str(), s.table.c_str(), s.script.c_str(), g.debut, g.fin, s.pointeurs,
                         Rom_generee::formule);
    return s;
}

int inserer_simple(Insertion_simple const& s) {
    Rom_generee const& g = rom_generee();
    return Operations::inserer(s.rom.c_str(), {s.table}, s.script.c_str(), g.debut, g.fin, s.pointeurs,
                               Rom_generee::formule);
}

// The whole insertion command, putting the dump of the 4 MiB text range with its 20,000
// pointers back into its ROM through its one table.
void BM_inserer(benchmark::State& state) {
    Dossier const dossier("inserer");
    Insertion_simple const s = preparer_simple(dossier);
    std::error_code erreur;
    if (std::filesystem::file_size(s.script, erreur) == 0 || erreur) state.SkipWithError("extraction failed");
    Silence const silence;
    for (auto _ : state)
        if (inserer_simple(s) == rom_generee().debut) state.SkipWithError("insertion failed");
    state.SetBytesProcessed(state.iterations() * octets_de_texte());
}
BENCHMARK(BM_inserer)->Unit(benchmark::kMillisecond)->UseRealTime();

// In script order the texts follow one another from the start of the text room, as the
// single-table insertion writes them. The generated table is not one to one ("s", "d", "c"
// read back as the one code "sdc"), so both come out shorter than the dump: the ROM is not
// the one extracted, and the single-table command is the reference.
bool comme_l_insertion_simple(Dossier const& dossier, std::string const& rom_jeu) {
    Insertion_simple const s = preparer_simple(dossier);
    Silence const silence;
    int const fin = inserer_simple(s);
    int const debut = rom_generee().debut;
    if (fin <= debut) return false;
    std::size_t const d = static_cast<std::size_t>(debut);
    std::size_t const longueur = static_cast<std::size_t>(fin - debut);
    return rom_jeu.compare(d, longueur, lire(s.rom), d, longueur) == 0;
}

// The whole game insertion command on the generated game's unchanged script.
void inserer_jeu(benchmark::State& state, Jeu::Mode_placement placement, char const* nom) {
    Dossier const dossier(nom);
    Jeu_genere const j = preparer(dossier);
    if (!j.defaut.empty()) {
        state.SkipWithError(j.defaut.c_str());
        return;
    }
    Jeu::Options_insertion options;
    options.placement = placement;
    Silence const silence;
    for (auto _ : state) {
        std::optional<Jeu::Bilan> const bilan =
            Operations::inserer_jeu(j.description, j.script_fichier.c_str(), options);
        if (!bilan || !bilan->ecrit || !bilan->manquants.empty()) {
            state.SkipWithError("insertion refused, not written, or some text left without room");
            return;
        }
    }
    if (placement == Jeu::Mode_placement::ordre && !comme_l_insertion_simple(dossier, lire(j.description.rom)))
        state.SkipWithError("in script order the texts are not where inserer puts them");
    state.SetBytesProcessed(state.iterations() * octets_de_texte());
}

void BM_inserer_jeu_compact(benchmark::State& state) { inserer_jeu(state, Jeu::Mode_placement::compact, "compact"); }
BENCHMARK(BM_inserer_jeu_compact)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_inserer_jeu_ordre(benchmark::State& state) { inserer_jeu(state, Jeu::Mode_placement::ordre, "ordre"); }
BENCHMARK(BM_inserer_jeu_ordre)->Unit(benchmark::kMillisecond)->UseRealTime();

// The whole game extraction command: the table and the ROM read, every group's pointers
// converted and tagged, the script written.
void BM_extraire_jeu(benchmark::State& state) {
    Dossier const dossier("extraire");
    Jeu_genere const j = preparer(dossier);
    if (!j.defaut.empty()) {
        state.SkipWithError(j.defaut.c_str());
        return;
    }
    std::string const sortie = dossier.fichier("extrait.txt");
    {
        Silence const silence;
        for (auto _ : state) Operations::extraire_jeu(j.description, sortie.c_str());
    }
    if (lire(sortie) != j.script) state.SkipWithError("the command's script differs from the extraction's");
    state.SetBytesProcessed(state.iterations() * octets_de_texte());
}
BENCHMARK(BM_extraire_jeu)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
