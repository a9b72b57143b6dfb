#include "apercu/chiffres.h"

namespace Apercu {

namespace {

// Five rows of three pixels each, the leftmost pixel as bit 2.
constexpr unsigned char formes[10][5] = {
    {7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 7, 1, 7}, {5, 5, 7, 1, 1},
    {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 1, 1, 1}, {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7},
};
constexpr unsigned char virgule[5] = {0, 0, 0, 2, 4};
constexpr unsigned char tiret[5] = {0, 0, 7, 0, 0};

}  // namespace

int ecrire_chiffres(Image_rvb& image, int x, int y, std::string const& texte, Couleur c) {
    int const debut = x;
    for (char caractere : texte) {
        unsigned char const* forme = nullptr;
        if (caractere >= '0' && caractere <= '9') forme = formes[caractere - '0'];
        else if (caractere == ',') forme = virgule;
        else if (caractere == '-') forme = tiret;
        if (forme != nullptr)
            for (int j = 0; j < hauteur_chiffres; ++j)
                for (int i = 0; i < 3; ++i)
                    if (forme[j] & (4 >> i)) image.poser(x + i, y + j, c);
        x += 4;
    }
    return x - debut;
}

}  // namespace Apercu
