#pragma once
#include <cstddef>
#include <string>
#include <variant>
#include <vector>

// What a relative search looks for: a phrase seen on screen, its characters sorted into
// alphabets (letters whose codes follow each other, as the alphabet lists them), other
// characters (one code each, unknown) and the joker (any value); or, for a value scan, the
// positions of a few letters in one alphabet.
namespace Decouverte {

// One character: its bytes in the encoding of the text it was read from.
using Caractere = std::string;

// The text's characters: UTF-8 sequences when the whole text is valid UTF-8 (`utf8` set),
// else one per byte, as Latin-1 reads it.
std::vector<Caractere> caracteres(std::string const& texte, bool& utf8);

// Letters in code order: the letter of rank r has the code base + r, the base being the code of
// lettres[0], which names the alphabet.
struct Alphabet {
    std::vector<Caractere> lettres;
};

// "A" to "Z", "a" to "z", "0" to "9".
std::vector<Alphabet> alphabets_de_base();

// What one character of the phrase is.
struct Position {
    enum class Sorte { lettre, autre, joker };
    Sorte sorte = Sorte::joker;
    std::size_t indice = 0;  // lettre: its alphabet in Motif::alphabets; autre: its place in Motif::autres
    long long rang = 0;      // lettre: its rank in that alphabet (a value scan: the value given)
};

struct Motif {
    std::vector<Alphabet> alphabets;    // the three of base, then the lists given; a value scan: one, empty
    std::vector<Caractere> caracteres;  // the phrase; a value scan: none
    std::vector<Position> positions;    // one per value searched
    std::vector<Caractere> autres;      // the characters of no alphabet, in order of first appearance
    bool utf8 = true;                   // how the phrase was read
};

enum class Motif_refuse {
    vide,                 // no character, or no value
    sans_difference,      // no alphabet has two letters (or a single value): nothing to compare
    joker_incorrect,      // the joker is more than one character
    valeur_hors_limites,  // a value scan's value beyond what a script number holds exactly
};

// A value scan's values lie within plus or minus this bound.
constexpr long long valeur_max = 1LL << 53;

// Reads the phrase, its joker (one character, or empty for none) and the lists of alphabets,
// each read as caracteres() reads it. A character belongs to the first list given that holds
// it, else to the alphabet of base that does (a list given names letters more precisely); the
// first of its ranks there counts. The joker wins over every alphabet.
std::variant<Motif, Motif_refuse> lire_motif(std::string const& texte, std::string const& joker,
                                             std::vector<std::string> const& alphabets_donnes);

// The value scan: the values are ranks in one alphabet, whose base is then the constant ROM
// value minus given value.
std::variant<Motif, Motif_refuse> motif_de_valeurs(std::vector<long long> const& valeurs);

}  // namespace Decouverte
