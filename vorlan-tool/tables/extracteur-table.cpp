#include "tables/extracteur-table.h"

#include "lib/vorlan_tool_divers.h"
#include "tables/fichier-table.h"

namespace Extracteur {

Rapports Table_ext::charger(std::string const& octets) {
    Rapports rapports;
    std::string const contenu = Fichier_table::preparer(octets, Fichier_table::Syntaxe::caracteres, rapports);
    Fichier_table::lire(contenu, Fichier_table::Syntaxe::caracteres, rapports, [&](Fichier_table::Entree const& e) {
        if (e.sorte != Fichier_table::Sorte::table) ajouter(e, rapports);
    });
    return rapports;
}

Texte_ext* Table_ext::ajouter(Fichier_table::Entree const& e, Rapports& rapports) {
    Nb_ext_ins cle(reinterpret_cast<unsigned char const*>(e.hexa.c_str()));
    auto existante = entrees_.find(cle);
    if (existante != entrees_.end()) {
        Fichier_table::signaler_doublon(existante->first, existante->second.texte, e, rapports);
        return nullptr;
    }
    Texte_ext texte;
    texte.texte = e.texte;
    texte.fin = e.sorte == Fichier_table::Sorte::fin;
    texte.parametres = e.parametres;
    auto ajoutee = entrees_.emplace(cle, texte).first;
    index_.ajouter(ajoutee->first.octets(), static_cast<std::size_t>(cle.taille()), &ajoutee->second);
    if (static_cast<unsigned int>(cle.taille()) > taille_max_) taille_max_ = static_cast<unsigned int>(cle.taille());
    return &ajoutee->second;
}

Texte_ext const* Table_ext::chercher(Nb_ext_ins const& cle) const {
    return index_.chercher(cle.octets(), static_cast<std::size_t>(cle.taille()));
}

Texte_ext const* Table_ext::chercher(unsigned char const* octets, std::size_t longueur) const {
    return index_.chercher(octets, longueur);
}

std::vector<Nb_ext_ins> Table_ext::cles_du_texte(std::string const& texte) const {
    std::vector<Nb_ext_ins> cles;
    for (auto const& [cle, entree] : entrees_)
        if (entree.texte == texte) cles.push_back(cle);
    return cles;
}

std::string Table_ext::afficher() const {
    std::string liste;
    for (auto const& [cle, texte] : entrees_)
        liste += formater(Rapport(Message::liste_entree, {cle.hexa(), Vorlan_tool::afficher_chaine(texte.texte)}));
    return liste;
}

}  // namespace Extracteur
