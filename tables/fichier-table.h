#pragma once
#include <functional>
#include <string>

#include "lib/rapport.h"
#include "tables/nb_ext_ins.h"

// The line syntax of table files, shared by the character tables of both directions and the
// line-break table: key "=" value LF, each side at most 256 characters (prendre_jusqu_a), no
// comments, no trimming; backslash + "n" in the value is the only escape.
namespace Fichier_table {

struct Entree {
    std::string cle;       // left side, as written
    std::string valeur;    // right side, as written
    std::string texte;     // right side with "\n" turned into line feeds
};

// Walks the entries of a table file's content in file order. An entry with an empty side is
// reported ("Une entrée vide...") and skipped; every other one is handed to `ajouter`, which
// adds its own reports: so the reports follow the order of the lines that cause them.
void lire(std::string const& contenu, Rapports& rapports, std::function<void(Entree const&)> const& ajouter);

// The two reports made when an entry collides with one already held, which stays.
void signaler_doublon(Nb_ext_ins const& code_existant, std::string const& texte_existant, Entree const& ignoree,
                      Rapports& rapports);

}  // namespace Fichier_table
