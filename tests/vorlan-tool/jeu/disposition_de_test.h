#pragma once
#include <map>
#include <string>
#include <vector>

#include "jeu/description.h"
#include "jeu/insertion-jeu.h"

// A game laid out as real ones are, built in memory: three ranges of text designated by four
// groups of pointers of every kind (a strided table, a split one, listed slots, a profile
// with a shift, a relative formula), and a fourth free block.
namespace essai_jeu {

// One byte per letter, "#" for the end code 0x00; F5 and F6, codes followed by two and three
// parameter bytes, for embedded pointers; FE a line break.
extern std::string const table;

struct Jeu_de_test {
    Jeu::Description description;
    std::vector<unsigned char> rom;
    // The text each pointer designates, as the script shows it.
    std::map<int, std::string> textes;
};

Jeu_de_test construire();

// The texts of a script by pointer: what follows its tag up to the next tag or marker.
std::map<int, std::string> textes_par_pointeur(std::string const& script);

// The script with every text of a pointer grown by a third (letters added before its end code).
std::string agrandir(std::string const& script);

std::string extraire(std::vector<unsigned char> const& rom, Jeu::Description const& jeu, std::string* rapports = nullptr);

struct Resultat_insertion {
    Jeu::Insertion_jeu insertion;
    std::vector<unsigned char> rom;  // the image after the insertion
    std::string rapports;
};
Resultat_insertion inserer(std::vector<unsigned char> const& rom, Jeu::Description const& jeu,
                           std::string const& script, Jeu::Options_insertion const& options = {});

}  // namespace essai_jeu
