#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "lib/entiers.h"

// Where a game keeps its text: the ranges that hold it, the room a translation may use, and
// every group of pointers that designates it. extraire_jeu and inserer_jeu work from one
// description, so that a game is described once for both directions.
namespace Jeu {

// ROM offsets of a first and a last byte, both included. A range of textes may hold strings
// that carry their length: each is a prefix of `longueur` bytes (1 or 2) giving the number of
// bytes after it, with no end code; such strings follow each other through the whole range.
struct Plage {
    long long debut = 0;
    long long fin = 0;
    int longueur = 0;  // 0: the strings end with the table's end codes
    Ordre_octets ordre = Ordre_octets::petit_boutiste;  // of the prefix
};

// How a group lays out its slots.
enum class Disposition {
    suite,   // slot i at adresse + i * pas, its bytes one after another
    eclate,  // byte k of slot i at octets[k] + i * pas
    liste,   // slot i at liste[i], its bytes one after another
};

// One group of pointers; the groups of a description number their pointers on, in order.
struct Groupe {
    Disposition disposition = Disposition::suite;
    long long adresse = 0;             // suite
    std::vector<long long> octets;     // eclate: one base per byte of a slot
    std::vector<long long> liste;      // liste: one offset per slot
    int nombre = 0;                    // slots in the group
    int taille = 2;                    // bytes of a slot: 1 to 4
    long long pas = 2;                 // distance between slots (suite, eclate)
    Ordre_octets ordre = Ordre_octets::petit_boutiste;  // for eclate: byte 0 of octets is the low one when petit
    // Formulas in X (the pointer's value, or the ROM offset) and P (the offset of the slot's
    // first byte): raw value to ROM offset, and ROM offset to raw value.
    std::string formule_ext = "X";
    std::string formule_ins = "X";
    // Added to the offset before the insertion formula is applied: a profile's shift, given
    // once as "plus" and "moins" for both directions, is undone this way (moins - plus).
    long long decalage_ins = 0;
    // Its pointers designate the first character of a string that carries its length, past
    // the prefix, rather than the prefix.
    bool debut_texte = false;
};

// A control code of the table whose parameters hold a pointer to another text: from the
// parameter byte `position`, `taille` bytes. Their formulas are a group's, P being the offset
// of the pointer's first byte.
struct Integre {
    std::vector<unsigned char> code;  // the table key, one byte or more
    int taille = 2;
    int position = 0;
    Ordre_octets ordre = Ordre_octets::petit_boutiste;
    std::string formule_ext = "X";
    std::string formule_ins = "X";
    long long decalage_ins = 0;
};

// A range as the reports name it, counted from 1: "textes[2]", "espace[1]".
inline std::string nom_de_plage(char const* champ, std::size_t i) {
    return std::string(champ) + "[" + std::to_string(i + 1) + "]";
}

struct Description {
    std::string rom;
    std::string table;
    std::vector<Plage> textes;   // the game's text, in script order
    std::vector<Plage> espace;   // the room for the translation, in order of preference
    unsigned char remplissage = 0;
    std::vector<Groupe> groupes;
    std::vector<Integre> integres;  // numbered after every group's pointers, by offset
};

enum class Mode_placement {
    ordre,    // script order, never going back to an earlier block
    compact,  // largest text first, into the block it fills best
};

enum class Encodage_texte {
    long_,  // longest match, the bytes every other insertion writes
    court,  // the fewest bytes the table allows
};

struct Options_insertion {
    Mode_placement placement = Mode_placement::ordre;
    bool fusionner = false;   // identical texts stored once
    bool partiel = false;     // write what fits even when some text does not
    bool simulation = false;  // report everything, write nothing
    Encodage_texte encodage = Encodage_texte::long_;
};

// What inserer_jeu did, or would do when simulated.
struct Bilan {
    struct Bloc {
        long long debut = 0;
        long long fin = 0;
        long long utilise = 0;
        long long libre = 0;
    };
    struct Manquant {
        std::vector<int> pointeurs;
        long long taille = 0;
    };

    bool ecrit = false;
    std::vector<Bloc> blocs;            // one per block of espace, in its order
    std::vector<Manquant> manquants;    // the texts that found no room, in script order
};

}  // namespace Jeu
