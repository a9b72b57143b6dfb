#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "lib/rapport.h"

// Dual-tile encoding: the character pairs that, coded as one byte each, save the most room.
namespace DTE {

// How often each pair of bytes (first, second) occurs, row by row: index = first * 256 + second.
class Infos_DTE {
public:
    Infos_DTE();
    void initialiser();
    void ajouter(unsigned char premier, unsigned char second);
    void retirer(unsigned char premier, unsigned char second);
    std::uint32_t lire(unsigned char premier, unsigned char second) const;
    // Index of the most frequent pair. Ties go to the smallest first byte, then the smallest
    // second byte; pairs whose second byte is 0 never win, and when every counter is 0 the
    // result is 0 (the pair of two zero bytes).
    int max() const;

private:
    std::vector<std::uint32_t> compteurs_;
};

// Turns every tag, from "<" to the next ">" (or to the end of the text when none follows),
// into line feeds, so that no pair spans or touches a tag.
void supprimer_balises(std::string& texte);

// Counts every pair of adjacent bytes of which neither is a line feed; pairs overlap.
void compter(std::string const& texte, Infos_DTE& paires);

// Turns the occurrences of the pair into line feeds, left to right without overlap, and takes
// off the counters every pair that vanishes with them, so that the counters stay those of
// the text.
void supprimer(std::string& texte, unsigned char premier, unsigned char second, Infos_DTE& paires);

// What a choice of pairs gives: the result file's text (each pair and a line feed) and the
// report (a heading, one line per pair, the score).
struct Optimisation {
    std::string resultat;
    Rapports rapports;
};

// Chooses `nombre` pairs in a row from the script's text, each time the most frequent, whose
// occurrences are then removed.
Optimisation optimiser(std::string texte, int nombre);

}  // namespace DTE
