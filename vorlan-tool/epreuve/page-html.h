#pragma once
#include <string>
#include <vector>

#include "apercu/mise-en-page.h"
#include "echange/codage.h"
#include "epreuve/feuille.h"

// The proof sheet as one self-contained HTML page: its styles and its script inside, its
// pictures the layout's pages in files beside it, named relative to the page.
namespace Epreuve {

// The pictures are shown at twice their size, unsmoothed.
constexpr int agrandissement = 2;

// The page in UTF-8. `images` holds the relative URL of each of the layout's pages, in order;
// the boxes' lines are in `encodage`.
// Each section is a <section class="texte"> with the anchor as id, data-problemes (its count of
// problems) and, with an original, data-traduit ("oui" or "non"); each box an <img> cut out of
// its page, with data-largeur and data-hauteur, the page's size. The page's script shows the
// sections of the filter the fragment names (#tout, #problemes, #non-traduits; any other shows
// all) and of the search field, marks the root with data-script="pret" once it ran and
// data-erreurs with any error it met, and each image with data-naturel="WxH" once loaded
// ("erreur" when it failed).
std::string page_html(Feuille const& feuille, Apercu::Mise_en_page const& mise_en_page,
                      std::vector<std::string> const& images, Echange::Encodage encodage);

}  // namespace Epreuve
