#include "echange/glossaire.h"

#include "echange/csv.h"

namespace Echange {

std::variant<std::vector<Terme>, Lecture> lire_glossaire(std::string const& octets) {
    Lecture refus;
    Enregistrements e = lire_enregistrements_csv(octets);
    if (e.defaut != 0) {
        refus.defaut = Defaut::syntaxe;
        refus.ligne = e.defaut;
        return refus;
    }
    if (e.cellules.empty() || e.cellules.front() != Cellules{"original", "traduction"}) {
        refus.defaut = Defaut::en_tete;
        refus.ligne = 1;
        return refus;
    }
    std::vector<Terme> termes;
    for (std::size_t k = 1; k < e.cellules.size(); ++k) {
        if (e.cellules[k].size() != 2) {
            refus.defaut = Defaut::colonnes;
            refus.ligne = e.lignes[k];
            refus.colonnes = 2;
            return refus;
        }
        if (!e.cellules[k][0].empty()) termes.push_back({e.cellules[k][0], e.cellules[k][1]});
    }
    return termes;
}

}  // namespace Echange
