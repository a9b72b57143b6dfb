// The pointer finder on ROMs of up to 2 KiB of any bytes, with string starts, a minimum and split
// distances from the input, and a few tables of the finder's kinds written over the bytes so
// that runs exist to be found. Whatever the input, every group lies in the ROM and shares no
// byte with another, reaches `minimum` starts, starts and ends on one, never holds two misses
// within eight slots nor three equal values in a row; the starts reached and the misses it
// reports are what its slots read through its own formulas give; its insertion formula gives
// back every start reached; groups come by starts reached; and 3 threads give what 1 gives.
#include <algorithm>
#include <cstdint>
#include <iterator>
#include <optional>
#include <set>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>

#include "decouverte/recherche-pointeurs.h"
#include "jeu/conversion.h"
#include "jeu/emplacements.h"

namespace {

constexpr long long rom_max = 2048;
// Two misses of a run lie this many slots apart at least.
constexpr int espacement = 8;

struct Paire {
    char const* ext;
    char const* ins;
};
// Tables the finder knows, small enough for the ROM: plain offsets, plus or minus a constant,
// relative to the slot, the SNES and GBA spaces, banks of $2000 and $4000.
constexpr Paire formules[] = {
    {"X", "X"},
    {"X+$100", "X-$100"},
    {"X-$10", "X+$10"},
    {"X+P", "X-P"},
    {"X+P+$2", "X-P-$2"},
    {"X-$8000000", "X+$8000000"},
    {"X-$C00000", "X+$C00000"},
    {"(X/$10000)*$8000+X%$8000", "((X/$8000)*$10000)+(X%$8000)+$8000"},
    {"(X/$10000-$80)*$8000+X%$8000", "(((X/$8000)+$80)*$10000)+(X%$8000)+$8000"},
    {"X-$A000+($BFFF-X)*0", "X+$A000"},
    {"X-$4000+($7FFF-X)*0+$10", "X-$10+$4000"},
};
constexpr int nombre_de_formules = static_cast<int>(std::size(formules));

void ecrire_octet(std::vector<unsigned char>& rom, long long o, unsigned char octet) {
    if (o >= 0 && o < static_cast<long long>(rom.size())) rom[static_cast<std::size_t>(o)] = octet;
}

// A table laid out from the input, each slot made to designate one of the starts when its
// formulas reach it (its value from the input otherwise); bytes past the ROM are left out.
void planter(FuzzedDataProvider& in, std::vector<unsigned char>& rom, std::vector<long long> const& debuts,
             std::vector<long long> const& ecarts) {
    Jeu::Groupe g;
    auto const taille_rom = static_cast<long long>(rom.size());
    bool const eclatee = !ecarts.empty() && in.ConsumeBool();
    g.nombre = in.ConsumeIntegralInRange<int>(0, 24);
    g.pas = in.ConsumeIntegralInRange<long long>(1, 16);
    long long const debut = in.ConsumeIntegralInRange<long long>(0, taille_rom);
    if (eclatee) {
        g.disposition = Jeu::Disposition::eclate;
        g.taille = 2;
        g.octets = {debut, debut + ecarts[in.ConsumeIntegralInRange<std::size_t>(0, ecarts.size() - 1)]};
    } else {
        g.taille = in.ConsumeIntegralInRange<int>(2, 4);
        g.pas = std::max<long long>(g.pas, g.taille);
        g.adresse = debut;
        g.ordre = in.ConsumeBool() ? Ordre_octets::petit_boutiste : Ordre_octets::grand_boutiste;
    }
    Paire const& f = formules[in.ConsumeIntegralInRange<int>(0, nombre_de_formules - 1)];
    g.formule_ext = f.ext;
    g.formule_ins = f.ins;
    Jeu::Conversion const conversion(g);
    bool const en_ordre = in.ConsumeBool();
    std::size_t suivante = debuts.empty() ? 0 : in.ConsumeIntegralInRange<std::size_t>(0, debuts.size() - 1);
    for (int i = 0; i < g.nombre; ++i) {
        std::uint32_t v = in.ConsumeIntegral<std::uint32_t>();
        if (!debuts.empty()) {
            std::size_t const k = en_ordre ? suivante++ % debuts.size()
                                           : in.ConsumeIntegralInRange<std::size_t>(0, debuts.size() - 1);
            if (std::optional<std::uint32_t> const u = conversion.valeur(debuts[k], Jeu::emplacement(g, i))) v = *u;
        }
        for (int b = 0; b < g.taille; ++b)
            ecrire_octet(rom, Jeu::octet_du_pointeur(g, i, b), static_cast<unsigned char>(v >> Jeu::decalage_de_l_octet(g, b)));
    }
}

bool memes(std::vector<Decouverte::Groupe_trouve> const& a, std::vector<Decouverte::Groupe_trouve> const& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](auto const& x, auto const& y) {
        Jeu::Groupe const& g = x.groupe;
        Jeu::Groupe const& h = y.groupe;
        return g.disposition == h.disposition && g.adresse == h.adresse && g.octets == h.octets &&
               g.nombre == h.nombre && g.taille == h.taille && g.pas == h.pas && g.ordre == h.ordre &&
               g.formule_ext == h.formule_ext && g.formule_ins == h.formule_ins &&
               x.correspondance == y.correspondance && x.constante == y.constante && x.entete == y.entete &&
               x.atteintes == y.atteintes && x.manques == y.manques;
    });
}

void verifier(Decouverte::Groupe_trouve const& t, std::vector<unsigned char> const& rom, std::set<long long> const& debuts,
              int minimum, std::set<long long>& pris) {
    Jeu::Groupe const& g = t.groupe;
    if (g.nombre < minimum || g.decalage_ins != 0) __builtin_trap();
    for (int i = 0; i < g.nombre; ++i)
        for (int k = 0; k < g.taille; ++k) {
            long long const o = Jeu::octet_du_pointeur(g, i, k);
            if (o < 0 || o >= static_cast<long long>(rom.size()) || !pris.insert(o).second) __builtin_trap();
        }
    Jeu::Conversion const conversion(g);
    std::set<long long> atteints;
    int manques = 0;
    int derniere_manque = -espacement;
    for (int i = 0; i < g.nombre; ++i) {
        long long const p = Jeu::emplacement(g, i);
        std::uint32_t const v = Jeu::lire_pointeur(rom, g, i);
        if (i >= 2 && Jeu::lire_pointeur(rom, g, i - 1) == v && Jeu::lire_pointeur(rom, g, i - 2) == v) __builtin_trap();
        std::optional<long long> const o = conversion.position(v, p);
        if (o && debuts.count(*o) != 0) {
            atteints.insert(*o);
            if (!conversion.valeur(*o, p)) __builtin_trap();
            continue;
        }
        if (i == 0 || i == g.nombre - 1 || i - derniere_manque < espacement) __builtin_trap();
        derniere_manque = i;
        ++manques;
    }
    if (static_cast<int>(atteints.size()) != t.atteintes || manques != t.manques || t.atteintes < minimum)
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    auto const taille_rom = in.ConsumeIntegralInRange<long long>(0, rom_max);
    Decouverte::Demande_pointeurs d;
    for (int n = in.ConsumeIntegralInRange<int>(0, 64); n > 0; --n)
        d.debuts.push_back(in.ConsumeIntegralInRange<long long>(-2, taille_rom + 2));
    std::sort(d.debuts.begin(), d.debuts.end());
    d.debuts.erase(std::unique(d.debuts.begin(), d.debuts.end()), d.debuts.end());
    d.minimum = in.ConsumeIntegralInRange<int>(-1, 10);
    for (int n = in.ConsumeIntegralInRange<int>(0, 3); n > 0; --n)
        d.ecarts.push_back(in.ConsumeIntegralInRange<long long>(-64, 64));
    std::vector<long long> dans_la_rom;
    for (long long o : d.debuts)
        if (o >= 0 && o < taille_rom) dans_la_rom.push_back(o);
    std::vector<long long> ecarts_utiles;
    for (long long e : d.ecarts)
        if (e != 0) ecarts_utiles.push_back(e);

    int const tables = in.ConsumeIntegralInRange<int>(0, 3);
    std::vector<unsigned char> rom = in.ConsumeBytes<unsigned char>(static_cast<std::size_t>(taille_rom));
    rom.resize(static_cast<std::size_t>(taille_rom), 0);
    for (int t = 0; t < tables; ++t) planter(in, rom, dans_la_rom, ecarts_utiles);

    std::vector<Decouverte::Groupe_trouve> const groupes = Decouverte::chercher_pointeurs(rom, d, 1);
    if (!memes(groupes, Decouverte::chercher_pointeurs(rom, d, 3))) __builtin_trap();
    std::set<long long> const debuts(dans_la_rom.begin(), dans_la_rom.end());
    std::set<long long> pris;
    for (std::size_t k = 0; k < groupes.size(); ++k) {
        verifier(groupes[k], rom, debuts, std::max(d.minimum, 1), pris);
        if (k > 0 && groupes[k].atteintes > groupes[k - 1].atteintes) __builtin_trap();
    }
    return 0;
}
