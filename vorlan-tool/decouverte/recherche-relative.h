#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "decouverte/motif.h"
#include "lib/entiers.h"

// The relative search: where the ROM holds the phrase under some encoding unknown but for its
// alphabets' order. A hit is a place where, for each alphabet, the ROM value minus the letter's
// rank is one constant (the alphabet's base, the code of its first letter), each other
// character has one value throughout, and two different characters never share a value, as a
// real encoding gives distinct characters distinct codes. The joker matches any value.
namespace Decouverte {

struct Trouvaille {
    long long adresse = 0;                        // the first character's first byte
    std::vector<std::uint32_t> valeurs;           // one per character of the phrase
    std::vector<std::optional<long long>> bases;  // per alphabet of the motif; none when the phrase has no letter of it
    std::vector<std::uint32_t> autres;            // the value of each of Motif::autres
};

struct Recherche {
    int largeur = 1;  // bytes per value, 1 or 2; 2 is searched at even and odd offsets alike
    Ordre_octets ordre = Ordre_octets::petit_boutiste;
    long long debut = 0;  // a hit's bytes all lie from debut to fin, both included
    long long fin = -1;   // negative: the ROM's last byte
    std::size_t maximum = 1000;  // hits kept, the first in ROM order
};

struct Resultat_relatif {
    std::vector<Trouvaille> trouvailles;  // in ROM order
    std::size_t total = 0;                // every hit, those kept and the others
};

// The search on `fils` threads (0 counts as 1); the result does not depend on their number.
Resultat_relatif chercher_relatif(std::vector<unsigned char> const& rom, Motif const& motif, Recherche const& r,
                                  unsigned fils);

// The hits grouped by the bases and other characters' values they imply, that is by the table
// they imply: indexes into the result's hits, each group in ROM order, groups in the order of
// their first hit.
std::vector<std::vector<std::size_t>> grouper(Resultat_relatif const& resultat);

}  // namespace Decouverte
