#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "lib/rapport.h"

// Multi-tile encoding: the dictionary words whose replacement by a one- or two-byte reference
// saves the most room in the game text.
namespace MTE {

// One candidate word of a search pass.
struct word_t {
    std::string texte;
    std::uint32_t apparitions = 0;
    // (length - reference size) * occurrences, in unsigned 32-bit arithmetic.
    std::uint32_t score = 0;

    // An ascending sort puts the highest score first.
    bool operator<(word_t const& autre) const { return score > autre.score; }
};

// What a search gives: the result file's text (one word per line) and the report.
struct Recherche {
    std::string resultat;
    Rapports rapports;
};

// The first failed check of a search's parameters (reference size 1 or 2, a count above 0, a
// maximum length above the reference size), or nothing.
std::optional<Rapport> verifier(short count, short max_length, int rom_size);

// The `count` best words of the script's text (at most `max_length` bytes each, replaced in the
// ROM by references of `rom_size` bytes), parameters checked by verifier.
Recherche optimiser(std::string text, short count, short max_length, int rom_size);

// The search on a cleaned text (see Clean). Each pass ranks every candidate by score, then by
// ascending bytes, and takes the best ones up to the first that overlaps a better one or until
// `remaining` words are taken; the words taken leave the text before the next pass. The search
// ends when `remaining` reaches 0 or the text has no candidate left. Adds each word and its
// report to `out`.
void FindMTE(std::string& text, Recherche& out, short& remaining, short max_length, int rom_size);

// Keeps, each on a line of its own, every run of three or more bytes from 0x20 to 0xFF that
// holds no "<"; tags (from "<" to the next ">", or to the end of the text) and control bytes
// end a run and vanish, and so do shorter runs.
void Clean(std::string& text);

// Turns the occurrences of the word (left to right, without overlap) into line ends, then cleans.
void CleanWord(std::string& text, std::string const& word);

// True when the two words can overlap in a text: one holds the other, or an end of one is the
// start of the other.
bool IsConflict(std::string const& a, std::string const& b);

}  // namespace MTE
