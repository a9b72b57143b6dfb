#pragma once
#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "apercu/mise-en-page.h"
#include "echange/codage.h"
#include "echange/entrees-script.h"
#include "lib/catalogue.h"

// A proof sheet's content: every text of a translated script, beside its original, with the
// boxes the preview laid it out in and the problems it found, ready to be written as a page.
namespace Epreuve {

// A line of one of the text's boxes that a problem names, both counted from 1.
struct Ligne_fautive {
    int boite = 0;
    int ligne = 0;
};

struct Section {
    std::string identifiant;
    std::string ancre;
    std::vector<long long> pointeurs;
    std::optional<std::string> original;  // in UTF-8, when there is an original
    std::string traduction;               // in UTF-8
    bool traduit = true;                  // false: the same text as the original
    std::vector<std::size_t> boites;      // indexes in the layout, in order
    std::vector<std::string> problemes;   // in words, in UTF-8, as the preview prints them
    int nombre_de_problemes = 0;          // of them, those of the kind "probleme"
    std::vector<Ligne_fautive> lignes_fautives;
};

struct Comptes {
    int textes = 0;
    int boites = 0;
    int problemes = 0;
    std::map<Message, int> par_sorte;  // the problems by message
    bool avec_original = false;
    int traduits = 0;
    int non_traduits = 0;
};

struct Feuille {
    std::string titre;  // in UTF-8
    std::vector<Section> sections;
    Comptes comptes;
};

// The sheet of the translation's texts, in script order. `originaux`, when given, holds the
// original of each of the translation's entries (paired by identifier beforehand). Texts, title
// and the problems' quotations are in `encodage`, and come out in UTF-8. A box, and a problem,
// belongs to the first text whose first tag is its block's first tag.
Feuille composer(std::string const& titre, Echange::Script_en_entrees const& traduction,
                 std::vector<std::string> const* originaux, Apercu::Mise_en_page const& mise_en_page,
                 Echange::Encodage encodage);

}  // namespace Epreuve
