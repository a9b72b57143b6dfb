#pragma once
#include <string>

#include "apercu/image-rvb.h"

namespace Apercu {

// Hauteur of the small digits that label the boxes.
constexpr int hauteur_chiffres = 5;

// Writes the text (digits, commas and dashes; anything else is a blank) in 3 × 5 digits,
// one pixel apart, from (x, y); returns the width taken.
int ecrire_chiffres(Image_rvb& image, int x, int y, std::string const& texte, Couleur c);

}  // namespace Apercu
