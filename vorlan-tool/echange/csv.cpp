#include "echange/csv.h"

namespace Echange {

namespace {

void champ(std::string& sortie, std::string const& texte) {
    if (texte.find_first_of(",\"\r\n") == std::string::npos) {
        sortie += texte;
        return;
    }
    sortie += '"';
    for (char c : texte) {
        if (c == '"') sortie += '"';
        sortie += c;
    }
    sortie += '"';
}

}  // namespace

std::string ecrire_csv(std::vector<Ligne_echange> const& lignes) {
    std::string sortie = marque_utf8;
    auto enregistrement = [&](Cellules const& c) {
        for (std::size_t k = 0; k < c.size(); ++k) {
            if (k > 0) sortie += ',';
            champ(sortie, c[k]);
        }
        sortie += "\r\n";
    };
    enregistrement(colonnes_tableur());
    for (Ligne_echange const& l : lignes) enregistrement(cellules(l));
    return sortie;
}

Enregistrements lire_enregistrements_csv(std::string const& octets) {
    Enregistrements e;
    std::size_t p = octets.compare(0, 3, marque_utf8) == 0 ? 3 : 0;
    std::size_t const n = octets.size();
    int ligne = 1;
    while (p < n) {
        Cellules c;
        e.lignes.push_back(ligne);
        for (;;) {
            std::string texte;
            if (p < n && octets[p] == '"') {
                ++p;
                for (;;) {
                    if (p >= n) {
                        e.defaut = e.lignes.back();
                        return e;
                    }
                    char const x = octets[p++];
                    if (x == '"') {
                        if (p < n && octets[p] == '"') {
                            texte += '"';
                            ++p;
                            continue;
                        }
                        break;
                    }
                    if (x == '\n') ++ligne;
                    texte += x;
                }
                if (p < n && octets[p] != ',' && octets[p] != '\n' && octets.compare(p, 2, "\r\n") != 0) {
                    e.defaut = ligne;
                    return e;
                }
            } else {
                while (p < n && octets[p] != ',' && octets[p] != '\n' && octets.compare(p, 2, "\r\n") != 0) {
                    if (octets[p] == '"') {
                        e.defaut = ligne;
                        return e;
                    }
                    texte += octets[p++];
                }
            }
            c.push_back(std::move(texte));
            if (p < n && octets[p] == ',') {
                ++p;
                continue;
            }
            if (p < n) p += octets[p] == '\r' ? 2 : 1;
            ++ligne;
            break;
        }
        e.cellules.push_back(std::move(c));
    }
    return e;
}

Lecture lire_csv(std::string const& octets) {
    Lecture lecture;
    Enregistrements e = lire_enregistrements_csv(octets);
    if (e.defaut != 0) {
        lecture.defaut = Defaut::syntaxe;
        lecture.ligne = e.defaut;
        return lecture;
    }
    lire_tableur(std::move(e.cellules), e.lignes, lecture);
    return lecture;
}

}  // namespace Echange
