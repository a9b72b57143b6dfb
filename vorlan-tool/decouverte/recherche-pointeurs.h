#pragma once
#include <vector>

#include "decouverte/correspondances.h"
#include "jeu/description.h"

// The pointer tables that designate given string starts, found from the ROM alone.
//
// Every slot size (2, 3 and 4 bytes), both byte orders, every stride from the slot size up to
// 16 and every mapping of Correspondance are tried; a split table (low bytes in one table, high
// bytes in another, 2-byte values) at each distance the request gives, strides from 1. A table
// is a run of slots at one stride whose values designate `minimum` distinct starts at least,
// with a few misses (see series.h: first and last slots reaching a start, at most one miss in
// any eight consecutive slots, never three equal values in a row), found from three
// consecutive slots that reach starts.
//
// What the mapping must be for a table to be found:
// - a fixed constant (plain offsets, value = offset; GBA; HiROM $C0 and $40; relative to the
//   slot, value = offset - P) or a fixed computation (LoROM banks $00 and $80): any order of
//   the table's entries;
// - a bank implied by 2-byte values (LoROM, HiROM, Game Boy, NES banks of $2000 and $4000):
//   any order, each bank found from the starts it holds at the values' positions; a value
//   outside the bank's window designates nothing, and the insertion reaches the bank only;
// - a constant to find (value = offset + k, or offset - P + k): the table must step through
//   three consecutive starts less than $10000 bytes apart somewhere, each slot designating the
//   start that follows the previous one's; k comes from there. A table in no string order and
//   with no fixed constant is out of reach.
// Values are unsigned: a relative pointer of 2 or 3 bytes cannot lead backwards (one of 4
// bytes can, going round 2^32).
// Headers: the SNES kinds take a copier's $200 bytes into account when the ROM's size is $200
// past a multiple of $400, the NES kinds the $10 of iNES when the ROM starts with "NES" $1A.
namespace Decouverte {

struct Demande_pointeurs {
    std::vector<long long> debuts;  // string starts (those outside the ROM are left out)
    int minimum = 8;                // distinct starts a table reaches, at least (1 below 1)
    // Distances from a split table's low bytes to its high bytes (either sign); none: no
    // split table is looked for.
    std::vector<long long> ecarts;
};

struct Groupe_trouve {
    // As a description's pointeurs takes it: a suite, or for a split table an eclate with
    // octets = {low bytes, high bytes}; formulas in X and P, decalage_ins = 0.
    Jeu::Groupe groupe;
    Correspondance correspondance = Correspondance::lineaire;
    long long constante = 0;  // value - offset (+ P when relative); for a bank, its window - its offset
    long long entete = 0;     // the header taken into account
    int atteintes = 0;        // distinct starts its slots designate
    int manques = 0;          // slots that designate none
};

// Best first (see classement.h); no two groups share a slot byte. `fils` threads work on it (0
// counts as 1); the result is the same whatever their number.
std::vector<Groupe_trouve> chercher_pointeurs(std::vector<unsigned char> const& rom, Demande_pointeurs const& d,
                                             unsigned fils);

}  // namespace Decouverte
