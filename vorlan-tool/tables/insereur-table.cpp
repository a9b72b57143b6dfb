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

void Table_ins::ajouter_variante(std::string const& texte, Nb_ext_ins const& code) {
    if (!texte.empty() && entrees_.find(texte) == entrees_.end()) ajouter(texte, code);
}

Rapports Table_ins::charger(std::string const& octets) {
    Rapports rapports;
    std::string const contenu = Fichier_table::preparer(octets, Fichier_table::Syntaxe::caracteres, rapports);
    Fichier_table::lire(contenu, Fichier_table::Syntaxe::caracteres, rapports, [&](Fichier_table::Entree const& e) {
        // The tables of a file are read as one; a switch entry's label stands for its code, as a
        // control code's does, and an empty label stands for nothing that can be written.
        if (e.sorte == Fichier_table::Sorte::table) return;
        if (e.sorte == Fichier_table::Sorte::bascule && e.texte.empty()) return;
        Nb_ext_ins const code(reinterpret_cast<unsigned char const*>(e.hexa.c_str()));
        // An end token's text with or without the line feed extraction writes after it, a
        // line break's with or without its own.
        bool const a_variante = e.sorte == Fichier_table::Sorte::fin || e.sorte == Fichier_table::Sorte::saut_de_ligne;
        std::string variante;
        if (a_variante && !e.texte.empty())
            variante = e.texte.back() == '\n' ? e.texte.substr(0, e.texte.size() - 1) : e.texte + '\n';
        auto existante = entrees_.find(e.texte);
        if (existante != entrees_.end()) {
            // A bare end token's raw form is already known, as the byte it stands for.
            if (!e.texte_brut) Fichier_table::signaler_doublon(existante->second, existante->first, e, rapports);
        } else {
            ajouter(e.texte, code);
        }
        if (a_variante && (existante == entrees_.end() || e.texte_brut)) ajouter_variante(variante, code);
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
