#include "tables/extracteur-table.h"

#include <cstdio>

#include "lib/vorlan_tool_divers.h"
#include "tables/fichier-table.h"

namespace Extracteur {

void Table_ext::charger(char const* fichier) {
    for (Fichier_table::Entree const& e : Fichier_table::lire(fichier)) {
        Nb_ext_ins cle(reinterpret_cast<unsigned char const*>(e.cle.c_str()));
        auto existante = entrees_.find(cle);
        if (existante != entrees_.end()) {
            Fichier_table::signaler_doublon(existante->first, existante->second.data(), e);
            continue;
        }
        auto ajoutee = entrees_.emplace(cle, String(e.texte.c_str())).first;
        index_.ajouter(ajoutee->first.octets(), static_cast<std::size_t>(cle.taille()), &ajoutee->second);
        if (static_cast<unsigned int>(cle.taille()) > taille_max_) taille_max_ = static_cast<unsigned int>(cle.taille());
    }
}

String const* Table_ext::chercher(Nb_ext_ins const& cle) const {
    return index_.chercher(cle.octets(), static_cast<std::size_t>(cle.taille()));
}

String const* Table_ext::chercher(unsigned char const* octets, std::size_t longueur) const {
    return index_.chercher(octets, longueur);
}

void Table_ext::afficher() const {
    for (auto const& [cle, texte] : entrees_) {
        stdout << cle;
        std::fputs("\t\"", stdout);
        Vorlan_tool::afficher_chaine(texte.data());
        std::fputs("\"\n", stdout);
    }
}

}  // namespace Extracteur
