#include "reformat/auto_lb-table.h"

#include <algorithm>
#include <cstdio>

#include "lib/vorlan_lib.h"
#include "lib/vorlan_tool_divers.h"
#include "tables/fichier-table.h"

namespace Auto_LB {

namespace {

// A width is written as char_to_int reads numbers: "$" or "0x" and hexadecimal digits, or
// decimal digits.
bool est_largeur(char const* valeur) {
    auto const chiffres = reinterpret_cast<unsigned char const*>(valeur);
    if (valeur[0] == '$') return Chaine::est_hexa(chiffres + 1);
    if (valeur[0] == '0' && valeur[1] == 'x') return Chaine::est_hexa(chiffres + 2);
    return Chaine::est_dec(chiffres);
}

}  // namespace

std::string info_to_char(Infos_entree infos) {
    switch (infos.type) {
    case CENTRER: return "CENTRER";
    case CARACTERE: {
        char largeur[16];
        std::snprintf(largeur, sizeof largeur, "%d", infos.valeur);
        return largeur;
    }
    case ESPACE: return "ESPACE";
    case POINTEUR: return "POINTEUR";
    case LINEBREAK: return "LINEBREAK";
    case NEW: return "NEW";
    case FIN: return "FIN";
    case NEW_DEFAUT: return "NEW_DEFAUT";
    default: return "ERREUR";
    }
}

Table_ALB::Table_ALB()
    : taille_max_(0), taille_espace_(0), linebreak_(""), def_new_(""), pointeur_{POINTEUR, 0} {
    ajouter("<Centrer>", Infos_entree{CENTRER, 0});
}

void Table_ALB::ajouter(std::string const& cle, Infos_entree infos) {
    if (!entrees_.emplace(cle, infos).second || cle.empty()) return;
    std::size_t& plus_longue = plus_longues_[static_cast<unsigned char>(cle[0])];
    plus_longue = std::max(plus_longue, cle.size());
}

Infos_entree Table_ALB::analyser_entree(char const* valeur) const {
    if (est_largeur(valeur)) return Infos_entree{CARACTERE, static_cast<int>(Chaine::char_to_int(valeur))};
    // Not a width: then it must be one of the keywords, written exactly.
    std::string_view const mot(valeur);
    if (mot == "LINEBREAK") return Infos_entree{LINEBREAK, 0};
    if (mot == "NEW") return Infos_entree{NEW, 0};
    if (mot == "FIN") return Infos_entree{FIN, 0};
    if (mot == "NEW_DEFAUT") return Infos_entree{NEW_DEFAUT, 0};
    return Infos_entree{ERREUR, 0};
}

Rapports Table_ALB::charger(std::string const& octets) {
    Rapports rapports;
    std::string const contenu = Fichier_table::preparer(octets, Fichier_table::Syntaxe::largeurs, rapports);
    bool linebreak_vu = false;
    bool def_new_vu = false;
    Fichier_table::lire(contenu, Fichier_table::Syntaxe::largeurs, rapports, [&](Fichier_table::Entree const& ligne) {
        std::string cle = ligne.cle;
        Vorlan_tool::convertir(cle);

        Infos_entree infos = analyser_entree(ligne.valeur.c_str());
        if (infos.type == ERREUR) {
            rapports.push_back(Rapport(Message::alb_entree_erronee, {ligne.cle, ligne.valeur}));
            return;
        }
        auto const existante = entrees_.find(cle);
        if (existante != entrees_.end()) {
            rapports.push_back(
                Rapport(Message::alb_entree_existante, {existante->first, info_to_char(existante->second)}));
            rapports.push_back(Rapport(Message::entree_ignoree, {ligne.cle, ligne.valeur}));
            return;
        }
        if (infos.type == LINEBREAK) {
            if (linebreak_vu) {
                rapports.push_back(Rapport(Message::alb_linebreak_deja_defini, {cle, ligne.cle}));
                return;
            }
            linebreak_vu = true;
        }
        if (infos.type == NEW_DEFAUT) {
            if (def_new_vu) {
                rapports.push_back(Rapport(Message::alb_defaut_deja_defini, {ligne.cle, ligne.valeur}));
                infos.type = NEW;
            }
            def_new_vu = true;
        }
        ajouter(cle, infos);
        if (static_cast<int>(cle.size()) > taille_max_) taille_max_ = static_cast<int>(cle.size());
    });

    for (auto const& [texte, infos] : entrees_) {
        if (infos.type == NEW_DEFAUT) def_new_ = texte;
        if (infos.type == LINEBREAK) linebreak_ = texte;
    }
    utilisable_ = false;
    auto const espace = entrees_.find(std::string_view(" "));
    if (espace == entrees_.end()) {
        rapports.push_back(Rapport(Message::alb_espace_absent));
        return rapports;
    }
    taille_espace_ = espace->second.valeur;
    espace->second.type = ESPACE;
    if (!def_new_vu) {
        rapports.push_back(Rapport(Message::alb_new_defaut_absent));
        return rapports;
    }
    if (!linebreak_vu) {
        rapports.push_back(Rapport(Message::alb_linebreak_absent));
        return rapports;
    }
    utilisable_ = true;
    return rapports;
}

Infos_entree const* Table_ALB::chercher(std::string_view texte) {
    // A pointer tag is the whole line "<PT" digits ">" LF; a NUL inside would hide the rest
    // of the text from the line scanner.
    bool const forme_de_balise = texte.size() >= 6 && texte.substr(0, 3) == "<PT" &&
                                 texte.substr(texte.size() - 2) == ">\n" &&
                                 texte.find('\0') == std::string_view::npos;
    if (forme_de_balise) {
        int numero = 0;
        if (Vorlan_tool::scan_pointeur(std::string(texte).c_str(), numero)) {
            pointeur_ = Infos_entree{POINTEUR, numero};
            return &pointeur_;
        }
    }
    // Most lookups ask for a text longer than any entry that starts as it does.
    if (!texte.empty() && texte.size() > plus_longues_[static_cast<unsigned char>(texte[0])]) return nullptr;
    auto const entree = entrees_.find(texte);
    return entree == entrees_.end() ? nullptr : &entree->second;
}

std::string Table_ALB::afficher() const {
    std::string liste = formater(Rapport(Message::alb_liste_entete, {taille_max_, taille_espace_,
                                                                     Vorlan_tool::afficher_chaine(linebreak_),
                                                                     Vorlan_tool::afficher_chaine(def_new_)}));
    for (auto const& [texte, infos] : entrees_)
        liste += formater(Rapport(Message::alb_liste_entree, {Vorlan_tool::afficher_chaine(texte), info_to_char(infos)}));
    return liste;
}

}  // namespace Auto_LB
