#include "tables/fichier-table.h"

#include <cstring>

#include "lib/vorlan_tool_divers.h"

namespace Fichier_table {

void lire(std::string const& contenu, Rapports& rapports, std::function<void(Entree const&)> const& ajouter) {
    int const longueur = static_cast<int>(contenu.size());
    int position = 0;
    while (position < longueur) {
        Entree e;
        e.cle = Vorlan_tool::prendre_jusqu_a(contenu.data(), '=', longueur, position);
        e.valeur = Vorlan_tool::prendre_jusqu_a(contenu.data(), '\n', longueur, position);
        // Both sides are used as C texts: a NUL byte ends them here, so that a side holding
        // nothing before it is reported as empty rather than giving a sequence of no byte
        // (a character that insertion would drop silently) or an empty text.
        e.cle.resize(std::strlen(e.cle.c_str()));
        e.valeur.resize(std::strlen(e.valeur.c_str()));
        if (e.cle.empty() || e.valeur.empty()) {
            rapports.push_back(Rapport(Message::entree_vide, {e.cle, e.valeur}));
            continue;
        }
        e.texte = e.valeur;
        Vorlan_tool::convertir(e.texte);
        ajouter(e);
    }
}

void signaler_doublon(Nb_ext_ins const& code_existant, std::string const& texte_existant, Entree const& ignoree,
                      Rapports& rapports) {
    rapports.push_back(Rapport(Message::entree_existante, {code_existant.hexa(), texte_existant}));
    rapports.push_back(Rapport(Message::entree_ignoree, {ignoree.cle, ignoree.valeur}));
}

}  // namespace Fichier_table
