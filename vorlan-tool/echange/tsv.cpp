#include "echange/tsv.h"

#include "echange/tableur.h"

namespace Echange {

namespace {

void champ(std::string& sortie, std::string const& texte) {
    for (char c : texte) {
        switch (c) {
        case '\t': sortie += "\\t"; break;
        case '\n': sortie += "\\n"; break;
        case '\r': sortie += "\\r"; break;
        case '\\': sortie += "\\\\"; break;
        default: sortie += c;
        }
    }
}

}  // namespace

std::string ecrire_tsv(std::vector<Ligne_echange> const& lignes) {
    std::string sortie = marque_utf8;
    auto enregistrement = [&](Cellules const& c) {
        for (std::size_t k = 0; k < c.size(); ++k) {
            if (k > 0) sortie += '\t';
            champ(sortie, c[k]);
        }
        sortie += '\n';
    };
    enregistrement(colonnes_tableur());
    for (Ligne_echange const& l : lignes) enregistrement(cellules(l));
    return sortie;
}

Lecture lire_tsv(std::string const& octets) {
    Lecture lecture;
    std::vector<Cellules> enregistrements;
    std::vector<int> lignes;
    std::size_t p = octets.compare(0, 3, marque_utf8) == 0 ? 3 : 0;
    int numero = 0;
    while (p < octets.size()) {
        std::size_t fin = octets.find('\n', p);
        if (fin == std::string::npos) fin = octets.size();
        std::size_t dernier = fin;
        if (dernier > p && octets[dernier - 1] == '\r') --dernier;
        ++numero;
        Cellules c(1);
        for (std::size_t k = p; k < dernier; ++k) {
            char const x = octets[k];
            if (x == '\t') {
                c.emplace_back();
            } else if (x != '\\') {
                c.back() += x;
            } else {
                char const e = k + 1 < dernier ? octets[++k] : '\0';
                if (e == 't') c.back() += '\t';
                else if (e == 'n') c.back() += '\n';
                else if (e == 'r') c.back() += '\r';
                else if (e == '\\') c.back() += '\\';
                else {
                    lecture.defaut = Defaut::syntaxe;
                    lecture.ligne = numero;
                    return lecture;
                }
            }
        }
        enregistrements.push_back(std::move(c));
        lignes.push_back(numero);
        p = fin + 1;
    }
    lire_tableur(std::move(enregistrements), lignes, lecture);
    return lecture;
}

}  // namespace Echange
