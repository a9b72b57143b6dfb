#include "echange/entrees-script.h"

#include <algorithm>
#include <map>

#include "jeu/marques.h"
#include "lib/vorlan_tool_divers.h"

namespace Echange {

namespace {

// A line that opens a text: a group of tags, or a marker.
enum class Ligne { texte, balise, marque };

Ligne nature(std::string const& script, std::size_t p, std::size_t& longueur, Jeu::Plage& plage) {
    if (p >= script.size() || script[p] != '<') return Ligne::texte;
    longueur = Vorlan_tool::longueur_balise(script.data() + p, script.size() - p);
    if (longueur > 0) return Ligne::balise;
    longueur = Jeu::lire_marque(script, p, plage);
    return longueur > 0 ? Ligne::marque : Ligne::texte;
}

// The next line start at or after `p` that is a tag or a marker; the script's size when none.
std::size_t prochaine_coupure(std::string const& script, std::size_t p) {
    for (;;) {
        std::size_t longueur = 0;
        Jeu::Plage plage;
        if (p >= script.size() || nature(script, p, longueur, plage) != Ligne::texte) return p;
        std::size_t const fin = script.find('\n', p);
        if (fin == std::string::npos) return script.size();
        p = fin + 1;
    }
}

std::string nom_de_plage(std::string const& script, std::size_t p, std::size_t longueur) {
    // "<PLAGE $10-$1F>\n" -> "PLAGE $10-$1F"
    return script.substr(p + 1, longueur - 3);
}

}  // namespace

Script_en_entrees::Script_en_entrees(std::string const& script, Forme forme) : forme_(forme) {
    std::string en_attente;
    std::map<std::string, int> deja_vus;
    auto ajouter = [&](Entree entree, std::string texte) {
        bool const saut = !texte.empty() && texte.back() == '\n';
        if (saut) texte.pop_back();
        int const rang = ++deja_vus[entree.identifiant];
        if (rang > 1) entree.identifiant += " #" + std::to_string(rang);
        entree.texte = std::move(texte);
        entrees_.push_back(std::move(entree));
        avant_.push_back(std::move(en_attente));
        en_attente.clear();
        fin_de_ligne_.push_back(saut);
    };

    if (forme == Forme::fixe) {
        std::size_t p = 0;
        for (long long numero = 1; p < script.size(); ++numero) {
            std::size_t fin = script.find('\n', p);
            fin = fin == std::string::npos ? script.size() : fin + 1;
            Entree e;
            e.identifiant = "LIGNE " + std::to_string(numero);
            ajouter(std::move(e), script.substr(p, fin - p));
            p = fin;
        }
    } else {
        std::optional<Plage_du_texte> plage;
        std::size_t p = 0;
        while (p < script.size()) {
            Entree e;
            std::size_t longueur = 0;
            Jeu::Plage lue;
            Ligne const ligne = nature(script, p, longueur, lue);
            if (ligne == Ligne::marque) {
                plage = Plage_du_texte{lue.debut, lue.fin};
                e.identifiant = nom_de_plage(script, p, longueur);
                en_attente.append(script, p, longueur);
                p += longueur;
            } else if (ligne == Ligne::balise) {
                while (nature(script, p, longueur, lue) == Ligne::balise) {
                    std::size_t const chiffres = longueur - 5;  // "<PT" digits ">\n"
                    std::string const numero = script.substr(p + 3, chiffres);
                    e.identifiant += (e.identifiant.empty() ? "PT" : " PT") + numero;
                    e.pointeurs.push_back(numero.size() > 18 ? -1 : std::stoll(numero));
                    en_attente.append(script, p, longueur);
                    p += longueur;
                }
            } else {
                e.identifiant = "TEXTE";
            }
            e.plage = plage;
            std::size_t const fin = prochaine_coupure(script, p);
            std::string texte = script.substr(p, fin - p);
            p = fin;
            if (e.pointeurs.empty() && texte.empty()) continue;
            ajouter(std::move(e), std::move(texte));
        }
    }
    avant_.push_back(std::move(en_attente));
    par_identifiant_.resize(entrees_.size());
    for (std::size_t k = 0; k < entrees_.size(); ++k) par_identifiant_[k] = k;
    std::sort(par_identifiant_.begin(), par_identifiant_.end(),
              [&](std::size_t a, std::size_t b) { return entrees_[a].identifiant < entrees_[b].identifiant; });
}

std::optional<std::size_t> Script_en_entrees::chercher(std::string const& identifiant) const {
    auto const it = std::lower_bound(par_identifiant_.begin(), par_identifiant_.end(), identifiant,
                                     [&](std::size_t k, std::string const& id) { return entrees_[k].identifiant < id; });
    if (it == par_identifiant_.end() || entrees_[*it].identifiant != identifiant) return std::nullopt;
    return *it;
}

std::string Script_en_entrees::recomposer(std::vector<std::string> const& textes) const {
    std::size_t taille = avant_.back().size();
    for (std::size_t k = 0; k < entrees_.size(); ++k) taille += avant_[k].size() + textes[k].size() + 1;
    std::string script;
    script.reserve(taille);
    for (std::size_t k = 0; k < entrees_.size(); ++k) {
        script += avant_[k];
        script += textes[k];
        // An empty text right before a tag or a marker had no line feed: a translation given to
        // it needs one, or the line after it would no longer start a line.
        if (fin_de_ligne_[k] || (!textes[k].empty() && !avant_[k + 1].empty())) script += '\n';
    }
    script += avant_.back();
    return script;
}

std::variant<std::vector<std::size_t>, Ecart_de_balises> appairer(Script_en_entrees const& original,
                                                                   Script_en_entrees const& traduction) {
    std::vector<std::size_t> paires;
    paires.reserve(original.entrees().size());
    for (Entree const& e : original.entrees()) {
        std::optional<std::size_t> const k = traduction.chercher(e.identifiant);
        if (!k) return Ecart_de_balises{e.identifiant, true};
        paires.push_back(*k);
    }
    for (Entree const& e : traduction.entrees())
        if (!original.chercher(e.identifiant)) return Ecart_de_balises{e.identifiant, false};
    return paires;
}

bool coupe_le_script(std::string const& texte) {
    for (std::size_t p = 0; p < texte.size();) {
        std::size_t longueur = 0;
        Jeu::Plage plage;
        // A text is put back before a line feed, so its last line ends with one.
        std::string const ligne = texte.substr(p, texte.find('\n', p) - p) + "\n";
        if (nature(ligne, 0, longueur, plage) != Ligne::texte) return true;
        std::size_t const fin = texte.find('\n', p);
        if (fin == std::string::npos) break;
        p = fin + 1;
    }
    return false;
}

}  // namespace Echange
