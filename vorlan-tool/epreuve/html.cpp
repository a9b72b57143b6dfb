#include "epreuve/html.h"

#include <cctype>
#include <cstdio>

namespace Epreuve {

namespace {

bool alphanumerique(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; }

}  // namespace

std::string echapper(std::string_view texte) {
    std::string sortie;
    sortie.reserve(texte.size() + texte.size() / 8);
    for (char c : texte) {
        switch (c) {
            case '&': sortie += "&amp;"; break;
            case '<': sortie += "&lt;"; break;
            case '>': sortie += "&gt;"; break;
            case '"': sortie += "&quot;"; break;
            case '\'': sortie += "&#39;"; break;
            default: sortie += c;
        }
    }
    return sortie;
}

std::string ancre(std::string const& identifiant) {
    std::string nom;
    std::size_t p = 0;
    std::string const plage = "PLAGE $";
    std::string const ligne = "LIGNE ";
    if (identifiant.compare(0, plage.size(), plage) == 0 || identifiant.compare(0, ligne.size(), ligne) == 0) {
        nom = identifiant.substr(0, 5) + "-";
        p = identifiant[5] == ' ' && identifiant[6] == '$' ? 7 : 6;
        while (p < identifiant.size() && alphanumerique(identifiant[p])) nom += identifiant[p++];
    } else {
        while (p < identifiant.size() && identifiant[p] != ' ') {
            if (alphanumerique(identifiant[p])) nom += identifiant[p];
            ++p;
        }
    }
    std::size_t const rang = identifiant.find(" #");
    if (rang != std::string::npos) {
        nom += '-';
        for (std::size_t k = rang + 2; k < identifiant.size() && alphanumerique(identifiant[k]); ++k) nom += identifiant[k];
    }
    return nom.empty() ? "TEXTE" : nom;
}

std::string en_url(std::string const& chemin) {
    std::string sortie;
    for (char c : chemin) {
        if (alphanumerique(c) || c == '-' || c == '.' || c == '_' || c == '/') {
            sortie += c;
        } else {
            char code[4];
            std::snprintf(code, sizeof code, "%%%02X", static_cast<unsigned char>(c));
            sortie += code;
        }
    }
    return sortie;
}

}  // namespace Epreuve
