#include "reformat/auto_lb-table.h"

#include <cstdio>
#include <string>
#include <vector>

#include "lib/erreur.h"
#include "lib/vorlan_lib.h"
#include "lib/vorlan_tool_divers.h"
#include "tables/fichier-table.h"

namespace Auto_LB {

String info_to_char(Infos_entree infos) {
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
    entrees_.emplace(String("<Centrer>"), Infos_entree{CENTRER, 0});
}

Infos_entree Table_ALB::analyser_entree(char const* valeur) const {
    try {
        return Infos_entree{CARACTERE, static_cast<int>(Chaine::char_to_int(valeur))};
    } catch (erreur_nombre const&) {
        // Not a width: then it must be one of the keywords, written exactly.
    }
    std::string_view const mot(valeur);
    if (mot == "LINEBREAK") return Infos_entree{LINEBREAK, 0};
    if (mot == "NEW") return Infos_entree{NEW, 0};
    if (mot == "FIN") return Infos_entree{FIN, 0};
    if (mot == "NEW_DEFAUT") return Infos_entree{NEW_DEFAUT, 0};
    return Infos_entree{ERREUR, 0};
}

bool Table_ALB::charger(char const* nom) {
    std::vector<Fichier_table::Entree> const lignes = Fichier_table::lire(nom);
    bool linebreak_vu = false;
    bool def_new_vu = false;
    for (Fichier_table::Entree const& ligne : lignes) {
        char const* cle_ecrite = ligne.cle.c_str();
        char const* valeur = ligne.valeur.c_str();
        std::string cle_convertie = ligne.cle;
        Vorlan_tool::convertir(cle_convertie);
        String const cle(cle_convertie.c_str());

        Infos_entree infos = analyser_entree(valeur);
        if (infos.type == ERREUR) {
            std::printf("Une entrée érronée a été detectée (\"%s=%s\")\n", cle_ecrite, valeur);
            continue;
        }
        auto const existante = entrees_.find(cle);
        if (existante != entrees_.end()) {
            std::printf("Attention, il existe déjà une entrée : \"%s\"=\"%s\"\n", existante->first.data(),
                        info_to_char(existante->second).data());
            std::printf("L'entrée \"%s=%s\" sera ignorée\n", cle_ecrite, valeur);
            continue;
        }
        if (infos.type == LINEBREAK) {
            if (linebreak_vu) {
                std::printf("Un %s a déjà été défini. L'entrée \"%s\"=\"%s\" ne sera pas prise en compte\n",
                            "LINEBREAK", cle.data(), cle_ecrite);
                continue;
            }
            linebreak_vu = true;
        }
        if (infos.type == NEW_DEFAUT) {
            if (def_new_vu) {
                std::printf("Une valeur par défaut a déjà été définie. L'entrée \"%s=%s\" ne sera pas "
                            "considérée comme par défaut\n",
                            cle_ecrite, valeur);
                infos.type = NEW;
            }
            def_new_vu = true;
        }
        entrees_.emplace(cle, infos);
        if (static_cast<int>(cle.length()) > taille_max_) taille_max_ = static_cast<int>(cle.length());
    }

    for (auto const& [texte, infos] : entrees_) {
        if (infos.type == NEW_DEFAUT) def_new_ = texte;
        if (infos.type == LINEBREAK) linebreak_ = texte;
    }
    auto const espace = entrees_.find(std::string_view(" "));
    if (espace == entrees_.end()) {
        std::fputs("L'espace n'a pas été défini... Arrêt du programme...\n", stdout);
        return false;
    }
    taille_espace_ = espace->second.valeur;
    espace->second.type = ESPACE;
    if (!def_new_vu) {
        std::printf("Aucune balise %s n'a été trouvée... Arrêt du programme...\n", "NEW_DEFAUT");
        return false;
    }
    if (!linebreak_vu) {
        std::printf("Aucune balise %s n'a été trouvée... Arrêt du programme...\n", "LINEBREAK");
        return false;
    }
    return true;
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
    auto const entree = entrees_.find(texte);
    return entree == entrees_.end() ? nullptr : &entree->second;
}

void Table_ALB::afficher() const {
    std::printf("Max : %d\n", taille_max_);
    std::printf("Taille espace : %d\n", taille_espace_);
    std::fputs("Linebreak : ", stdout);
    Vorlan_tool::afficher_chaine(linebreak_.data());
    std::fputs("\nDefaut NEW : ", stdout);
    Vorlan_tool::afficher_chaine(def_new_.data());
    std::fputs("\n", stdout);
    for (auto const& [texte, infos] : entrees_) {
        std::fputs("\"", stdout);
        Vorlan_tool::afficher_chaine(texte.data());
        std::printf("\"\t\"%s\"\n", info_to_char(infos).data());
    }
}

}  // namespace Auto_LB
