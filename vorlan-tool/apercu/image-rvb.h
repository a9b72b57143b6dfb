#pragma once
#include <cstddef>
#include <vector>

namespace Apercu {

struct Couleur {
    unsigned char r, v, b;
};

constexpr Couleur noir{0, 0, 0};
constexpr Couleur blanc{255, 255, 255};
constexpr Couleur rouge{255, 0, 0};
constexpr Couleur gris{128, 128, 128};

// A picture of RGB pixels, three bytes each, row after row from the top.
class Image_rvb {
public:
    Image_rvb(int largeur, int hauteur, Couleur fond);

    int largeur() const { return largeur_; }
    int hauteur() const { return hauteur_; }
    // Pixels outside the picture are left alone.
    void poser(int x, int y, Couleur c);
    Couleur lire(int x, int y) const;
    void remplir(int x, int y, int largeur, int hauteur, Couleur c);
    // The one-pixel outline of the rectangle.
    void cadre(int x, int y, int largeur, int hauteur, Couleur c);
    std::vector<unsigned char> const& octets() const { return octets_; }

private:
    int largeur_;
    int hauteur_;
    std::vector<unsigned char> octets_;
};

}  // namespace Apercu
