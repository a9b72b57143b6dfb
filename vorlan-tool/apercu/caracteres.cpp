#include "apercu/caracteres.h"

namespace Apercu {

namespace {

// The length a lead byte announces, or 0 for a byte that cannot start a character.
std::size_t longueur_annoncee(unsigned char octet) {
    if (octet < 0x80) return 1;
    if (octet >= 0xC2 && octet <= 0xDF) return 2;
    if (octet >= 0xE0 && octet <= 0xEF) return 3;
    if (octet >= 0xF0 && octet <= 0xF4) return 4;
    return 0;
}

bool suite(unsigned char octet) { return (octet & 0xC0) == 0x80; }

}  // namespace

bool utf8_valide(std::string_view texte) {
    std::size_t i = 0;
    while (i < texte.size()) {
        unsigned char const tete = static_cast<unsigned char>(texte[i]);
        std::size_t const n = longueur_annoncee(tete);
        if (n == 0 || i + n > texte.size()) return false;
        for (std::size_t k = 1; k < n; ++k)
            if (!suite(static_cast<unsigned char>(texte[i + k]))) return false;
        if (n >= 3) {
            unsigned char const second = static_cast<unsigned char>(texte[i + 1]);
            if (tete == 0xE0 && second < 0xA0) return false;   // overlong
            if (tete == 0xED && second >= 0xA0) return false;  // surrogate
            if (tete == 0xF0 && second < 0x90) return false;   // overlong
            if (tete == 0xF4 && second >= 0x90) return false;  // past U+10FFFF
        }
        i += n;
    }
    return true;
}

std::size_t longueur_caractere(std::string_view texte, std::size_t position, bool utf8) {
    if (!utf8 || position >= texte.size()) return 1;
    std::size_t const n = longueur_annoncee(static_cast<unsigned char>(texte[position]));
    return n == 0 || position + n > texte.size() ? 1 : n;
}

std::string_view debut_du_texte(std::string_view texte, std::size_t nombre, bool utf8) {
    std::size_t fin = 0;
    for (std::size_t k = 0; k < nombre && fin < texte.size(); ++k) fin += longueur_caractere(texte, fin, utf8);
    return texte.substr(0, fin);
}

}  // namespace Apercu
