#pragma once
#include <cstdint>
#include <vector>

#include "decouverte/sondes.h"

// Where the pointer finder starts its runs: three consecutive slots at one stride whose values,
// read one way and mapped one way, designate string starts, two of them different at least,
// and whose values are not one value thrice (for a free sonde, each differs from the one
// before). Slots that begin a stretch of more than 32 equal values start none. The ROM is
// scanned in blocks, each block once per reading, every mapping and stride at a time.
namespace Decouverte {

// Three slots from `o` at stride `pas` that start a run.
struct Germe {
    int lecture = 0;
    int sonde = 0;
    int pas = 0;
    long long base = 0;     // the bank, for a banked sonde
    long long fenetre = 0;  // the window the three values lie in, for a banked sonde
    long long o = 0;
};

// Seeds ordered by chain, then by first slot. A chain is one reading, sonde, bank, window and
// stride with first slots at one offset modulo the stride: the slots of one table.
bool avant(Germe const& a, Germe const& b);
bool meme_chaine(Germe const& a, Germe const& b);

// The seeds whose first slot lies in debut..fin - 1, appended in no set order.
void semer(Recherche const& r, long long debut, long long fin, std::vector<Germe>& germes);

}  // namespace Decouverte
