#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "tables/extracteur-table.h"

// Where a ROM's text lies: the runs of strings that read as text through a character table,
// and where each string starts. A string is what ends at one of the end codes given; it reads
// as text when it holds at least one value and no more than one unknown value in four (so a
// string under four values has none): a table found from one phrase knows its letters but
// rarely the game's control codes and punctuation, while random data decodes to about one
// known value in five through a table of letters. A run of several such strings is text.
namespace Decouverte {

struct Demande_textes {
    std::vector<std::vector<unsigned char>> fins;  // the end codes, each one or more bytes
    int minimum = 4;                               // strings in a row that make a range
    long long debut = 0;
    long long fin = -1;  // the last byte searched; -1: the ROM's last
};

struct Plage_de_textes {
    long long debut = 0;
    long long fin = 0;           // the last byte of the last string's end code
    std::size_t premier = 0;     // index of its first string in Textes_trouves::debuts
    std::size_t nombre = 0;      // its strings
    std::string apercu;          // its first string as the table decodes it, cut short
    // Where its first string may start at the earliest: where the unreadable string before it
    // began (its own start when none is), and whether that first string was cut out of it.
    long long tete = 0;
    bool premier_rogne = false;
};

struct Textes_trouves {
    std::vector<Plage_de_textes> plages;  // in ROM order
    std::vector<long long> debuts;        // every string's first byte, in ROM order
};

// Known values a string needs per unknown one.
constexpr std::size_t valeurs_par_inconnue = 4;
// Characters of a range's preview.
constexpr std::size_t longueur_d_apercu = 40;

// Decodes debut..fin as extraction does (longest match, a control code's parameters taken
// with it, each byte no entry starts an unknown value), an end code ending the string
// wherever one begins. The first string of a range may start inside what precedes it: it
// starts after its last unknown value.
Textes_trouves chercher_textes(Extracteur::Table_ext const& table, std::vector<unsigned char> const& rom,
                               Demande_textes const& demande);

// The string at `debut` as a range's preview shows it.
std::string apercu(Extracteur::Table_ext const& table, std::vector<unsigned char> const& rom,
                   Demande_textes const& demande, long long debut);

}  // namespace Decouverte
