#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "lib/rapport.h"
#include "reformat/auto_lb-table.h"

// Automatic reformatting: re-breaks the lines of an extracted script so that every line fits
// a width and every box holds a number of lines, measuring words with the widths of a
// line-break table.
namespace Auto_LB {

// One token of the script: a special sequence of the table (pointer tag, space, "<Centrer>",
// LINEBREAK, NEW, NEW_DEFAUT or FIN text) or a run of ordinary characters.
struct Mot {
    std::string texte;       // the token's bytes as they stand in the script
    std::int64_t largeur;    // sum of its characters' widths; the space width for a space
    Infos_entree infos;      // its kind; the pointer number for a pointer tag, else 0
};

// What a reformatting gives: the new script's text and the report, in order.
struct Mise_en_forme {
    std::string texte;
    Rapports rapports;
};

// Re-breaks the script's text with a utilisable table: lines of at most `largeur_max`, boxes
// of `lignes_par_boite` lines.
Mise_en_forme remettre_en_forme(Table_ALB& table, std::string const& texte, int largeur_max, int lignes_par_boite);

// The tokens of the whole text, in order; unknown characters are reported in `rapports`.
std::vector<Mot> charger_texte(unsigned char const* texte, int longueur, Table_ALB& table, Rapports& rapports);

// One token from the start of `texte`, looking up at most `fenetre` bytes at a time.
void prendre_mot(unsigned char const* texte, int longueur, Table_ALB& table, int fenetre, Mot& mot,
                 Rapports& rapports);

// Appends `blancs` blanks, then the texts of tokens `premier` to `dernier` inclusive.
void ecrire_espaces_mots(std::string& sortie, std::vector<Mot> const& mots, int blancs, int premier, int dernier);

}  // namespace Auto_LB
