#include "echange/codage.h"

namespace Echange {

namespace {

// The length of the UTF-8 character at `p`, 0 when it is not well formed.
std::size_t caractere(std::string const& s, std::size_t p) {
    auto const octet = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    unsigned char const c = octet(p);
    if (c < 0x80) return 1;
    std::size_t n = 0;
    unsigned long valeur = 0;
    if (c >= 0xC2 && c <= 0xDF) {
        n = 2;
        valeur = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        valeur = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        valeur = c & 0x07;
    } else {
        return 0;
    }
    if (s.size() - p < n) return 0;
    for (std::size_t k = 1; k < n; ++k) {
        if ((octet(p + k) & 0xC0) != 0x80) return 0;
        valeur = (valeur << 6) | (octet(p + k) & 0x3F);
    }
    bool const trop_long = (n == 3 && valeur < 0x800) || (n == 4 && valeur < 0x10000);
    bool const substitut = valeur >= 0xD800 && valeur <= 0xDFFF;
    if (trop_long || substitut || valeur > 0x10FFFF) return 0;
    return n;
}

// The code point of the well-formed character of `n` bytes at `p`; a byte that starts none
// stands for itself.
long point_de_code(std::string const& s, std::size_t p, std::size_t n) {
    auto const c = static_cast<unsigned char>(s[p]);
    if (n <= 1) return c;
    long valeur = c & (0x7F >> n);
    for (std::size_t k = 1; k < n; ++k) valeur = (valeur << 6) | (static_cast<unsigned char>(s[p + k]) & 0x3F);
    return valeur;
}

}  // namespace

std::optional<std::size_t> erreur_utf8(std::string const& texte) {
    for (std::size_t p = 0; p < texte.size();) {
        std::size_t const n = caractere(texte, p);
        if (n == 0) return p;
        p += n;
    }
    return std::nullopt;
}

std::string latin1_vers_utf8(std::string const& texte) {
    std::string utf8;
    utf8.reserve(texte.size() + texte.size() / 8);
    for (char c : texte) {
        auto const u = static_cast<unsigned char>(c);
        if (u < 0x80) {
            utf8 += c;
        } else {
            utf8 += static_cast<char>(0xC0 | (u >> 6));
            utf8 += static_cast<char>(0x80 | (u & 0x3F));
        }
    }
    return utf8;
}

std::optional<std::string> depuis_utf8(std::string const& texte, Encodage encodage, long& refuse) {
    if (encodage == Encodage::utf8) return texte;
    std::string latin1;
    latin1.reserve(texte.size());
    for (std::size_t p = 0; p < texte.size();) {
        auto const c = static_cast<unsigned char>(texte[p]);
        std::size_t const n = caractere(texte, p);
        if (n == 1) {
            latin1 += static_cast<char>(c);
        } else if (n == 2 && c <= 0xC3) {
            latin1 += static_cast<char>(((c & 0x03) << 6) | (static_cast<unsigned char>(texte[p + 1]) & 0x3F));
        } else {
            refuse = point_de_code(texte, p, n);
            return std::nullopt;
        }
        p += n;
    }
    return latin1;
}

std::string vers_utf8(std::string const& texte, Encodage encodage) {
    return encodage == Encodage::utf8 ? texte : latin1_vers_utf8(texte);
}

}  // namespace Echange
