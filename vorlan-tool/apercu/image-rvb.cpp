#include "apercu/image-rvb.h"

namespace Apercu {

Image_rvb::Image_rvb(int largeur, int hauteur, Couleur fond)
    : largeur_(largeur), hauteur_(hauteur),
      octets_(static_cast<std::size_t>(largeur) * static_cast<std::size_t>(hauteur) * 3) {
    for (std::size_t k = 0; k < octets_.size(); k += 3) {
        octets_[k] = fond.r;
        octets_[k + 1] = fond.v;
        octets_[k + 2] = fond.b;
    }
}

void Image_rvb::poser(int x, int y, Couleur c) {
    if (x < 0 || y < 0 || x >= largeur_ || y >= hauteur_) return;
    std::size_t const k = (static_cast<std::size_t>(y) * static_cast<std::size_t>(largeur_) + static_cast<std::size_t>(x)) * 3;
    octets_[k] = c.r;
    octets_[k + 1] = c.v;
    octets_[k + 2] = c.b;
}

Couleur Image_rvb::lire(int x, int y) const {
    if (x < 0 || y < 0 || x >= largeur_ || y >= hauteur_) return noir;
    std::size_t const k = (static_cast<std::size_t>(y) * static_cast<std::size_t>(largeur_) + static_cast<std::size_t>(x)) * 3;
    return Couleur{octets_[k], octets_[k + 1], octets_[k + 2]};
}

void Image_rvb::remplir(int x, int y, int largeur, int hauteur, Couleur c) {
    for (int j = y; j < y + hauteur; ++j)
        for (int i = x; i < x + largeur; ++i) poser(i, j, c);
}

void Image_rvb::cadre(int x, int y, int largeur, int hauteur, Couleur c) {
    for (int i = x; i < x + largeur; ++i) {
        poser(i, y, c);
        poser(i, y + hauteur - 1, c);
    }
    for (int j = y; j < y + hauteur; ++j) {
        poser(x, j, c);
        poser(x + largeur - 1, j, c);
    }
}

}  // namespace Apercu
