#include "tables/insereur-table.h"

#include <cstdio>

#include "lib/vorlan_tool_divers.h"
#include "tables/fichier-table.h"

namespace Insereur {

Table_ins::Table_ins() {
    for (int b = 0; b < 256; ++b) {
        char texte[5];
        std::snprintf(texte, sizeof texte, "<%02X>", b);
        unsigned char const octet = static_cast<unsigned char>(b);
        ajouter(texte, Nb_ext_ins(&octet, 1));
    }
}

void Table_ins::ajouter(std::string const& texte, Nb_ext_ins const& code) {
    auto ajoutee = entrees_.emplace(texte, code).first;
    index_.ajouter(reinterpret_cast<unsigned char const*>(ajoutee->first.data()), ajoutee->first.size(),
                   &ajoutee->second);
    if (static_cast<int>(texte.size()) > taille_max_) taille_max_ = static_cast<int>(texte.size());
}

Rapports Table_ins::charger(std::string const& contenu) {
    Rapports rapports;
    Fichier_table::lire(contenu, rapports, [&](Fichier_table::Entree const& e) {
        auto existante = entrees_.find(e.texte);
        if (existante != entrees_.end()) {
            Fichier_table::signaler_doublon(existante->second, existante->first, e, rapports);
            return;
        }
        ajouter(e.texte, Nb_ext_ins(reinterpret_cast<unsigned char const*>(e.cle.c_str())));
    });
    return rapports;
}

Nb_ext_ins const* Table_ins::chercher(std::string_view texte) const {
    return index_.chercher(reinterpret_cast<unsigned char const*>(texte.data()), texte.size());
}

Nb_ext_ins const* Table_ins::plus_long(char const* texte, std::size_t disponible, std::size_t& longueur) const {
    return index_.plus_long(reinterpret_cast<unsigned char const*>(texte), disponible, longueur);
}

std::string Table_ins::afficher() const {
    std::string liste = formater(Rapport(Message::liste_taille_max, {taille_max_}));
    for (auto const& [texte, code] : entrees_)
        liste += formater(Rapport(Message::liste_entree, {code.hexa(), Vorlan_tool::afficher_chaine(texte)}));
    return liste;
}

}  // namespace Insereur
