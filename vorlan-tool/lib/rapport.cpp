#include "lib/rapport.h"

#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace {

// Appends one conversion printed by snprintf: `spec` is the whole conversion ("%8i", "%s"),
// length modifiers already replaced by the one the stored value needs.
template <typename T>
void ajouter(std::string& sortie, std::string const& spec, T valeur) {
    int const longueur = std::snprintf(nullptr, 0, spec.c_str(), valeur);
    if (longueur < 0) throw std::logic_error("formater: snprintf refused " + spec);
    std::size_t const avant = sortie.size();
    sortie.resize(avant + static_cast<std::size_t>(longueur) + 1);
    std::snprintf(&sortie[avant], static_cast<std::size_t>(longueur) + 1, spec.c_str(), valeur);
    // The count, not the terminator, says where the text ends: "%c" of 0 is one NUL byte.
    sortie.resize(avant + static_cast<std::size_t>(longueur));
}

// The message's own text, as the chosen coding writes it.
void ajouter_texte(std::string& sortie, char const* debut, std::size_t longueur, Codage codage) {
    if (codage == Codage::latin1) {
        sortie.append(debut, longueur);
        return;
    }
    for (std::size_t k = 0; k < longueur; ++k) {
        unsigned char const c = static_cast<unsigned char>(debut[k]);
        if (c < 0x80) {
            sortie += static_cast<char>(c);
        } else {
            sortie += static_cast<char>(0xC0 | (c >> 6));
            sortie += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
}

Argument const& suivant(Rapport const& rapport, std::size_t& rang, bool texte) {
    if (rang >= rapport.arguments.size())
        throw std::logic_error(std::string("formater: missing argument for ") + texte_du_message(rapport.message));
    Argument const& a = rapport.arguments[rang++];
    if (a.est_texte() != texte)
        throw std::logic_error(std::string("formater: wrong argument kind for ") + texte_du_message(rapport.message));
    return a;
}

}  // namespace

std::string formater(Rapport const& rapport, Codage codage) {
    char const* p = texte_du_message(rapport.message);
    std::string sortie;
    std::size_t rang = 0;
    while (*p != '\0') {
        char const* pourcent = std::strchr(p, '%');
        if (pourcent == nullptr) {
            ajouter_texte(sortie, p, std::strlen(p), codage);
            break;
        }
        ajouter_texte(sortie, p, static_cast<std::size_t>(pourcent - p), codage);
        p = pourcent + 1;
        if (*p == '%') {
            sortie += '%';
            ++p;
            continue;
        }
        // %[flags][width][.precision][length]conversion
        std::string spec = "%";
        while (*p != '\0' && std::strchr("-+ #0", *p) != nullptr) spec += *p++;
        while (*p >= '0' && *p <= '9') spec += *p++;
        if (*p == '.') {
            spec += *p++;
            while (*p >= '0' && *p <= '9') spec += *p++;
        }
        while (*p == 'h' || *p == 'l') ++p;
        char const conversion = *p;
        if (conversion == '\0') throw std::logic_error("formater: unfinished conversion");
        ++p;
        switch (conversion) {
        case 'd':
        case 'i':
            ajouter(sortie, spec + "ll" + conversion, suivant(rapport, rang, false).entier());
            break;
        case 'u':
        case 'x':
        case 'X':
        case 'o':
            // As printf shows an int given to an unsigned conversion: its 32 bits.
            ajouter(sortie, spec + conversion,
                    static_cast<unsigned int>(suivant(rapport, rang, false).entier()));
            break;
        case 'c':
            ajouter(sortie, spec + 'c', static_cast<int>(suivant(rapport, rang, false).entier()));
            break;
        case 's':
            ajouter(sortie, spec + 's', suivant(rapport, rang, true).texte().c_str());
            break;
        default:
            throw std::logic_error(std::string("formater: unknown conversion in ") + texte_du_message(rapport.message));
        }
    }
    if (rang != rapport.arguments.size())
        throw std::logic_error(std::string("formater: too many arguments for ") + texte_du_message(rapport.message));
    return sortie;
}

std::string formater(Rapports const& rapports) {
    std::string sortie;
    for (Rapport const& r : rapports) sortie += formater(r);
    return sortie;
}
