#pragma once
#include <string>

// Word removal: encloses every occurrence of the listed words in "<" and ">", so that the
// tools that skip tags (the DTE and MTE statistics) leave those words out.
namespace Suppr_mots {

// Reads the script `entree` and the word list `liste` (one word per line), and writes the
// marked script to `sortie`, reporting each word's length and occurrences. On a failure
// nothing is written.
void supprimer(char const* entree, char const* sortie, char const* liste);

// In place: every byte of every tag, from "<" up to and including the next ">" (or to the
// end of the text when there is none), becomes a line feed.
void supprimer_balises(char* texte, int longueur);

// The first `longueur` bytes of the text.
std::string copier(char const* texte, int longueur);

}  // namespace Suppr_mots
