#pragma once
#include <string>

class Fichier;

namespace bench_optimiseurs {

// The MTE search done the plain way, to check the shipped one against: every pass counts every
// candidate again in an ordered map of byte strings, sorts them all (stable, by score) and
// takes the best up to the first overlap. Same search as MTE::FindMTE, but it prints its report
// with printf and writes its words to `out` itself, so that the check compares the shipped
// search's returned texts with bytes made without the message catalogue.
void FindMTE_simple(std::string& text, Fichier& out, short& remaining, short max_length, int rom_size);

// The MTE command with the plain search, files included: load, clean, search.
void optimiser_simple(char const* input, char const* output, short count, short max_length, int rom_size);

}  // namespace bench_optimiseurs
