#pragma once
#include <string>
#include <vector>

#include "lib/rapport.h"

// Word removal: encloses every occurrence of the listed words in "<" and ">", so that the
// tools that skip tags (the DTE and MTE statistics) leave those words out.
namespace Suppr_mots {

// The words of a word list file's bytes, one per line. A CR just before the line feed belongs
// to the line end, whatever the platform; a line longer than a word (256 bytes) gives several
// words; an empty line is an empty word.
std::vector<std::string> lire_liste(std::string const& contenu);

// What a word removal gives: the marked script's text and the report, a line per word.
struct Suppression {
    std::string texte;
    Rapports rapports;
};

// Marks every occurrence of each word of the list, in list order, in the script's text,
// reporting each word's length and occurrences.
Suppression supprimer(std::string texte, std::vector<std::string> const& mots);

// In place: every byte of every tag, from "<" up to and including the next ">" (or to the
// end of the text when there is none), becomes a line feed.
void supprimer_balises(char* texte, int longueur);

// The first `longueur` bytes of the text.
std::string copier(char const* texte, int longueur);

}  // namespace Suppr_mots
