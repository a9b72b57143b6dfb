#pragma once
#include <optional>
#include <string>
#include <vector>

// What the exchange files hold, whatever their format: one row per text, in UTF-8.
namespace Echange {

struct Ligne_echange {
    std::string identifiant;
    std::string original;
    std::string traduction;  // empty: not translated
    bool flou = false;       // to be reviewed: the PO's fuzzy, the spreadsheets' "à revoir"
    std::string notes;       // where the text lies, its box: lines separated by line feeds
};

// Why a file could not be read: its kind and the line (from 1) where it was found.
enum class Defaut { syntaxe, en_tete, colonnes };

struct Lecture {
    std::vector<Ligne_echange> lignes;
    std::optional<Defaut> defaut;
    int ligne = 0;        // of the defect
    int colonnes = 0;     // the count a row must have, for Defaut::colonnes
};

}  // namespace Echange
