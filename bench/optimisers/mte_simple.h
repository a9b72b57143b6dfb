#pragma once
#include <string>

class Fichier;

namespace bench_optimiseurs {

// The MTE search done the plain way, to check the shipped one against: every pass counts every
// candidate again in an ordered map of byte strings, sorts them all (stable, by score) and
// takes the best up to the first overlap. Same contract and output as MTE::FindMTE.
void FindMTE_simple(std::string& text, Fichier& out, short& remaining, short max_length, int rom_size);

// MTE::optimiser with the plain search: load, clean, search.
void optimiser_simple(char const* input, char const* output, short count, short max_length, int rom_size);

}  // namespace bench_optimiseurs
