#pragma once
#include <optional>
#include <vector>

#include "decouverte/germes.h"

// Runs of slots at one stride, read and mapped one way, that designate string starts: the
// tables the pointer finder proposes. A run's first and last slots designate a start, and no
// eight consecutive slots of it hold more than one that does not (a miss: a pointer to text
// outside the starts given, or to none). A table reaches `minimum` distinct starts at least: a
// run of random bytes that happens to step as the starts do for a few slots, in a range of text
// say, seldom reaches that many. No three consecutive slots of a run hold the same value: a
// stretch of equal bytes (padding) designates one start over and over, or, read relative to
// its slots, evenly spaced ones; it ends a run and starts none.
namespace Decouverte {

constexpr int espacement_manques = 8;

struct Serie {
    int lecture = 0;
    Forme forme;
    long long pas = 0;
    long long premier = 0;  // the first slot's offset
    int nombre = 0;
    int atteintes = 0;      // distinct starts designated
    int manques = 0;        // slots designating none

    long long emplacement(int i) const { return premier + static_cast<long long>(i) * pas; }
    long long dernier() const { return emplacement(nombre - 1); }
};

// The start the slot at x designates, or nothing.
std::optional<long long> designe(Recherche const& r, Lecture const& lecture, Forme const& forme, long long x);

// Counts atteintes and manques over the run's slots.
void compter(Recherche const& r, Serie& serie);

// The runs of one chain's seeds (sorted by offset, see avant): a seed that no run found from an
// earlier one covers is grown both ways as far as the rule on misses allows, once for each
// constant its slots give a free sonde. Runs reaching fewer than `minimum` starts are left out.
std::vector<Serie> series_de_la_chaine(Recherche const& r, Germe const* debut, Germe const* fin, int minimum);

}  // namespace Decouverte
