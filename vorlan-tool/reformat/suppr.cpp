#include "reformat/suppr.h"

#include <algorithm>

namespace Suppr_mots {

std::vector<std::string> lire_liste(std::string const& contenu) {
    constexpr std::size_t taille_max_mot = 256;
    std::vector<std::string> mots;
    std::size_t debut = 0;
    while (debut < contenu.size()) {
        std::size_t fin = contenu.find('\n', debut);
        std::size_t suite = contenu.size();
        if (fin == std::string::npos) {
            fin = contenu.size();
        } else {
            suite = fin + 1;
            if (fin > debut && contenu[fin - 1] == '\r') --fin;
        }
        std::size_t p = debut;
        do {
            std::size_t const n = std::min(taille_max_mot, fin - p);
            mots.push_back(contenu.substr(p, n));
            p += n;
        } while (p < fin);
        debut = suite;
    }
    return mots;
}

namespace {

// Start positions of the non-overlapping occurrences, left to right.
std::vector<std::size_t> chercher(std::string const& masque, std::string const& mot) {
    std::vector<std::size_t> positions;
    // An empty word would match everywhere: it is never searched.
    if (mot.empty()) return positions;
    for (std::size_t p = masque.find(mot); p != std::string::npos; p = masque.find(mot, p + mot.size()))
        positions.push_back(p);
    return positions;
}

std::string encadrer(std::string const& texte, std::vector<std::size_t> const& positions, std::size_t taille) {
    std::string resultat;
    resultat.reserve(texte.size() + 2 * positions.size());
    std::size_t copie = 0;
    for (std::size_t p : positions) {
        resultat.append(texte, copie, p - copie);
        resultat += '<';
        resultat.append(texte, p, taille);
        resultat += '>';
        copie = p + taille;
    }
    resultat.append(texte, copie, std::string::npos);
    return resultat;
}

std::string masquer(std::string const& texte) {
    std::string masque = copier(texte.data(), static_cast<int>(texte.size()));
    supprimer_balises(masque.data(), static_cast<int>(masque.size()));
    return masque;
}

}  // namespace

void supprimer_balises(char* texte, int longueur) {
    for (int i = 0; i < longueur; ++i) {
        if (texte[i] != '<') continue;
        while (i < longueur && texte[i] != '>') texte[i++] = '\n';
        if (i < longueur) texte[i] = '\n';
    }
}

std::string copier(char const* texte, int longueur) {
    return longueur <= 0 ? std::string() : std::string(texte, static_cast<std::size_t>(longueur));
}

Suppression supprimer(std::string texte, std::vector<std::string> const& mots) {
    Suppression suppression;
    std::string masque = masquer(texte);
    for (std::string const& mot : mots) {
        std::vector<std::size_t> const positions = chercher(masque, mot);
        suppression.rapports.push_back(Rapport(Message::mot_supprime, {mot, static_cast<int>(mot.size()),
                                                                       static_cast<int>(positions.size())}));
        if (positions.empty()) continue;
        texte = encadrer(texte, positions, mot.size());
        masque = masquer(texte);
    }
    suppression.texte = std::move(texte);
    return suppression;
}

}  // namespace Suppr_mots
