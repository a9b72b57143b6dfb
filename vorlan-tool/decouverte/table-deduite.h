#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "decouverte/motif.h"
#include "decouverte/recherche-relative.h"
#include "lib/entiers.h"

// The character table a hit of the relative search implies: every letter of each alphabet whose
// base the hit fixes, and each other character of the phrase with its value; and what the ROM
// reads through it.
namespace Decouverte {

// What a hit fixes, as creer_table rebuilds it from the script's table of a hit.
struct Codes_connus {
    std::vector<Alphabet> alphabets;
    std::vector<std::optional<long long>> bases;          // per alphabet
    std::vector<std::pair<Caractere, long long>> autres;  // each other character and its value
    // The alphabet and rank of each letter the phrase holds: these keep a code that a letter the
    // phrase lacks would share.
    std::vector<std::pair<std::size_t, long long>> lettres_de_la_phrase;
};

Codes_connus codes_de(Motif const& motif, Trouvaille const& trouvaille);

struct Table_deduite {
    std::string texte;  // "HEX=c" lines in value order, as table files hold them
    // Not written: a code below 0 or beyond the largest value...
    std::vector<std::pair<Caractere, long long>> hors_limites;
    // ...a character that loses its code to one that claims it first: the phrase's own characters
    // (its letters in alphabet order, then the others), then the other letters in alphabet order...
    std::vector<std::pair<Caractere, long long>> doublons;
    // ...and a character no table line can hold (NUL, carriage return), whose code is still taken.
    std::vector<std::pair<Caractere, long long>> non_inscrits;
};

// The keys are the value's bytes in the ROM's order, two hexadecimal digits each: value 0x0123
// of 2 bytes little-endian is "2301". A line feed is written "\n", the syntax's one escape.
Table_deduite deduire_table(Codes_connus const& codes, int largeur, Ordre_octets ordre);

// The `nombre` values from `adresse` decoded through the codes, as the table has them: a known
// value as its character, an unknown one as <XX> (<XXXX> for 2 bytes: the value, in capitals).
// A value whose bytes are not all in the ROM is not shown.
std::string decoder(std::vector<unsigned char> const& rom, long long adresse, std::size_t nombre, int largeur,
                    Ordre_octets ordre, Codes_connus const& codes);

}  // namespace Decouverte
