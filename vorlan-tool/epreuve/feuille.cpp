#include "epreuve/feuille.h"

#include <unordered_map>

#include "epreuve/html.h"
#include "lib/rapport.h"

namespace Epreuve {

namespace {

// The report in words, in UTF-8: the catalogue's text converted, and what it quotes of the
// script converted from the script's character set; without its line feed.
std::string en_mots(Rapport rapport, Echange::Encodage encodage) {
    for (Argument& a : rapport.arguments)
        if (a.est_texte()) a = Argument(Echange::vers_utf8(a.texte(), encodage));
    std::string texte = formater(rapport, Codage::utf8);
    while (!texte.empty() && texte.back() == '\n') texte.pop_back();
    return texte;
}

bool nomme_une_ligne(Message m) {
    return m == Message::ligne_trop_large || m == Message::glyphe_sans_largeur || m == Message::glyphe_sans_code ||
           m == Message::glyphe_hors_police;
}

}  // namespace

Feuille composer(std::string const& titre, Echange::Script_en_entrees const& traduction,
                 std::vector<std::string> const* originaux, Apercu::Mise_en_page const& m,
                 Echange::Encodage encodage) {
    Feuille f;
    f.titre = Echange::vers_utf8(titre, encodage);
    std::vector<Echange::Entree> const& entrees = traduction.entrees();
    std::unordered_map<long long, std::size_t> par_pointeur;
    for (std::size_t k = 0; k < entrees.size(); ++k) {
        Echange::Entree const& e = entrees[k];
        Section s;
        s.identifiant = e.identifiant;
        s.ancre = ancre(e.identifiant);
        s.pointeurs = e.pointeurs;
        s.traduction = Echange::vers_utf8(e.texte, encodage);
        if (originaux != nullptr) {
            std::string const& original = (*originaux)[k];
            s.traduit = original != e.texte;
            s.original = Echange::vers_utf8(original, encodage);
        }
        if (!e.pointeurs.empty()) par_pointeur.emplace(e.pointeurs.front(), k);
        f.sections.push_back(std::move(s));
    }
    for (std::size_t b = 0; b < m.boites.size(); ++b) {
        auto const s = par_pointeur.find(m.boites[b].pointeurs.front());
        if (s != par_pointeur.end()) f.sections[s->second].boites.push_back(b);
    }
    Comptes& c = f.comptes;
    for (Rapport const& r : m.rapports) {
        if (r.arguments.empty() || r.arguments[0].est_texte()) continue;
        auto const s = par_pointeur.find(r.arguments[0].entier());
        if (s == par_pointeur.end()) continue;
        Section& section = f.sections[s->second];
        section.problemes.push_back(en_mots(r, encodage));
        if (genre_du_message(r.message) != Genre::probleme) continue;
        ++section.nombre_de_problemes;
        ++c.problemes;
        ++c.par_sorte[r.message];
        if (nomme_une_ligne(r.message) && r.arguments.size() >= 3)
            section.lignes_fautives.push_back(Ligne_fautive{static_cast<int>(r.arguments[1].entier()),
                                                            static_cast<int>(r.arguments[2].entier())});
    }
    c.textes = static_cast<int>(f.sections.size());
    c.boites = static_cast<int>(m.boites.size());
    c.avec_original = originaux != nullptr;
    for (Section const& s : f.sections) (s.traduit ? c.traduits : c.non_traduits) += c.avec_original ? 1 : 0;
    return f;
}

}  // namespace Epreuve
