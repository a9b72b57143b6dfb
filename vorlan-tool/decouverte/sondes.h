#pragma once
#include <cstdint>
#include <vector>

#include "decouverte/correspondances.h"
#include "decouverte/index-debuts.h"
#include "decouverte/lecture-pointeurs.h"

// Every reading and mapping the pointer finder tries, with the indexes it tries them with.
namespace Decouverte {

// A mapping tried on every slot of a reading. A fixed one has its whole Forme (its constant
// known: plain offsets, a console's address space, or a bank found through the bank index); a
// free one (lineaire or relative with a constant to find) has only its kind, the constant
// coming from consecutive slots that step as consecutive starts do.
struct Sonde {
    Forme forme;
    bool libre = false;
    Index_banques const* banques = nullptr;  // the banked kinds
    // The values a seed may hold: a bank's windows, the LoROM half of a bank ($8000-$FFFF);
    // once found, a run counts whatever its formula designates.
    std::uint32_t valeur_min = 0;
    std::uint32_t valeur_max = UINT32_MAX;
    std::uint32_t bit_requis = 0;
    // A fixed sonde neither banked nor relative: the values that reach a start through it are
    // known beforehand (see valeurs_utiles).
    bool par_valeur = false;
};

constexpr int pas_max = 16;

// What every block and every run is searched with, built once and shared by the threads.
struct Recherche {
    Recherche(std::vector<unsigned char> const& rom, Index_debuts const& index, std::vector<long long> const& ecarts);
    Recherche(Recherche const&) = delete;
    Recherche& operator=(Recherche const&) = delete;

    std::vector<unsigned char> const& rom;
    Index_debuts const& index;
    std::vector<Lecture> lectures;
    std::vector<Index_banques> banques;
    std::vector<Sonde> sondes;
    std::vector<std::vector<int>> sondes_par_taille;  // indices into sondes, by slot size 0-4
    // By slot size: one bit per value >> decalage_valeurs(taille) that some par_valeur sonde of
    // that size maps onto a start, so that a slot is looked at once for all of them and most
    // slots not at all.
    std::vector<std::vector<std::uint64_t>> valeurs_utiles;
    static int decalage_valeurs(int taille) { return taille == 2 ? 0 : taille == 3 ? 4 : 12; }
    bool valeur_utile(int taille, std::uint32_t v) const {
        std::uint32_t const cle = v >> decalage_valeurs(taille);
        return (valeurs_utiles[static_cast<std::size_t>(taille)][cle >> 6] >> (cle & 63) & 1) != 0;
    }
    // By stride p: one bit per difference d + 16 of two slot values (-16 <= d < 65536) for
    // which d (read plain) or d + p (read relative to the slots) is a distance between
    // consecutive starts.
    std::vector<std::vector<std::uint64_t>> ecarts_par_pas;
    static constexpr std::uint32_t decalage_ecart = pas_max;
    // Every such d lies in ecart_bas .. ecart_bas + etendue (round 2^32): one comparison sets
    // most differences aside before the bits are looked at. An empty span when no distance is.
    std::uint32_t ecart_bas = 1;
    std::uint32_t etendue = 0;
    bool sans_ecarts = true;
};

// The header a ROM's start or size shows: $10 after "NES" $1A (iNES), $200 when the size is
// $200 past a multiple of $400 (a copier's). The NES kinds take the first, the SNES kinds the
// second; the others have none.
long long entete_ines(std::vector<unsigned char> const& rom);
long long entete_copieur(std::vector<unsigned char> const& rom);

}  // namespace Decouverte
