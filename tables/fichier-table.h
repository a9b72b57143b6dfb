#pragma once
#include <string>
#include <vector>

#include "tables/nb_ext_ins.h"

// The line syntax of table files, shared by the character tables of both directions:
// key "=" value LF, each side at most 256 characters (prendre_jusqu_a), no comments, no
// trimming; backslash + "n" in the value is the only escape.
namespace Fichier_table {

struct Entree {
    std::string cle;       // left side, as written
    std::string valeur;    // right side, as written
    std::string texte;     // right side with "\n" turned into line feeds
};

// Every entry of the file, in file order. Entries with an empty side are reported with
// "Une entrée vide a été detectée (\"%s=%s\")\n" and left out. Throws fopen_error
// ("Impossible d'ouvrir le fichier \"NAME\"\n") when the file cannot be opened.
std::vector<Entree> lire(char const* fichier);

// The two lines printed when an entry collides with one already held, which stays.
void signaler_doublon(Nb_ext_ins const& code_existant, char const* texte_existant, Entree const& ignoree);

}  // namespace Fichier_table
