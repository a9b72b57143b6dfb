#include "jeu/integres.h"

#include <cstdio>

namespace Jeu {

namespace {

std::string champ(std::size_t i, char const* nom) { return nom_de_plage("integres", i) + "." + nom; }

}  // namespace

std::string code_hexa(std::vector<unsigned char> const& code) {
    std::string texte;
    char octet[3];
    for (unsigned char c : code) {
        std::snprintf(octet, sizeof octet, "%02X", static_cast<unsigned>(c));
        texte += octet;
    }
    return texte;
}

bool nomme_p(std::string const& formule) { return formule.find('P') != std::string::npos; }

std::vector<Insereur::Code_a_renvoi> codes_a_renvoi(Description const& jeu) {
    std::vector<Insereur::Code_a_renvoi> codes;
    for (Integre const& i : jeu.integres) codes.push_back({i.code, i.position, i.taille});
    return codes;
}

Rapports verifier_integres(Description const& jeu, Extracteur::Table_ext const& table) {
    for (std::size_t i = 0; i < jeu.integres.size(); ++i) {
        Integre const& integre = jeu.integres[i];
        std::string const code = code_hexa(integre.code);
        for (std::size_t j = 0; j < i; ++j)
            if (jeu.integres[j].code == integre.code)
                return {Rapport(Message::jeu_code_integre_repete, {champ(j, "code"), champ(i, "code"), code})};
        Extracteur::Texte_ext const* entree = table.chercher(integre.code.data(), integre.code.size());
        if (entree == nullptr) return {Rapport(Message::jeu_code_integre_absent, {champ(i, "code"), code})};
        if (entree->parametres == 0)
            return {Rapport(Message::jeu_code_integre_sans_parametres, {champ(i, "code"), code})};
        if (integre.position + integre.taille > entree->parametres)
            return {Rapport(Message::jeu_integre_hors_parametres, {champ(i, "taille"), integre.taille,
                                                                   champ(i, "position"), integre.position,
                                                                   entree->parametres, code})};
    }
    return {};
}

}  // namespace Jeu
