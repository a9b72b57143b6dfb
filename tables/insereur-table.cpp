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
        ajouter(String(texte), Nb_ext_ins(&octet, 1));
    }
}

void Table_ins::ajouter(String const& texte, Nb_ext_ins const& code) {
    auto ajoutee = entrees_.emplace(texte, code).first;
    index_.ajouter(reinterpret_cast<unsigned char const*>(ajoutee->first.data()), ajoutee->first.length(),
                   &ajoutee->second);
    if (static_cast<int>(texte.length()) > taille_max_) taille_max_ = static_cast<int>(texte.length());
}

void Table_ins::charger(char const* fichier) {
    for (Fichier_table::Entree const& e : Fichier_table::lire(fichier)) {
        String texte(e.texte.c_str());
        auto existante = entrees_.find(texte);
        if (existante != entrees_.end()) {
            Fichier_table::signaler_doublon(existante->second, existante->first.data(), e);
            continue;
        }
        ajouter(texte, Nb_ext_ins(reinterpret_cast<unsigned char const*>(e.cle.c_str())));
    }
}

Nb_ext_ins const* Table_ins::chercher(String const& texte) const {
    return index_.chercher(reinterpret_cast<unsigned char const*>(texte.data()), texte.length());
}

Nb_ext_ins const* Table_ins::chercher(char const* texte, std::size_t longueur) const {
    return index_.chercher(reinterpret_cast<unsigned char const*>(texte), longueur);
}

Nb_ext_ins const* Table_ins::plus_long(char const* texte, std::size_t disponible, std::size_t& longueur) const {
    return index_.plus_long(reinterpret_cast<unsigned char const*>(texte), disponible, longueur);
}

void Table_ins::afficher() const {
    std::printf("Taille max : %d\n", taille_max_);
    for (auto const& [texte, code] : entrees_) {
        stdout << code;
        std::fputs("\t\"", stdout);
        Vorlan_tool::afficher_chaine(texte.data());
        std::fputs("\"\n", stdout);
    }
}

}  // namespace Insereur
