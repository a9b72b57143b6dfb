#include "jeu/chaines.h"

#include <algorithm>
#include <climits>

#include "jeu/suites.h"
#include "lib/vorlan_tool_divers.h"

namespace Jeu {

namespace {

// One string after the text's bytes: its prefix, then what the encoder made of it.
void ajouter(Insereur::Texte_encode& texte, Insereur::Texte_encode const& chaine, Plage const& plage) {
    std::size_t const debut = texte.octets.size() + static_cast<std::size_t>(plage.longueur);
    texte.octets.resize(debut);
    ecrire_entier_borne(texte.octets, static_cast<long long>(debut) - plage.longueur, plage.longueur, plage.ordre,
                        static_cast<std::uint32_t>(chaine.octets.size()));
    texte.octets.insert(texte.octets.end(), chaine.octets.begin(), chaine.octets.end());
    for (Insereur::Texte_encode::Entree_longue const& e : chaine.longues) texte.longues.push_back({debut + e.debut, e.taille});
    for (Insereur::Texte_encode::Renvoi const& r : chaine.renvois) texte.renvois.push_back({debut + r.debut, r.numero, r.code});
    texte.rapports.insert(texte.rapports.end(), chaine.rapports.begin(), chaine.rapports.end());
}

Rapport trop_longue(Insereur::Texte_encode const& texte, std::size_t r, long long taille, int longueur) {
    if (texte.pointeurs.empty())
        return Rapport(Message::jeu_chaine_trop_longue_debut, {nom_de_plage("textes", r), taille, longueur});
    std::vector<int> numeros = texte.pointeurs;
    std::sort(numeros.begin(), numeros.end());
    numeros.erase(std::unique(numeros.begin(), numeros.end()), numeros.end());
    return Rapport(Message::jeu_chaine_trop_longue, {lister(numeros), taille, longueur});
}

}  // namespace

Chaines_encodees encoder_chaines(std::string const& texte, Encodeur const& encodeur, Description const& jeu,
                                 std::size_t r) {
    Plage const& plage = jeu.textes[r];
    long long const plus_longue = (1LL << (8 * plage.longueur)) - 1;
    Chaines_encodees resultat;
    std::vector<Insereur::Texte_encode>& textes = resultat.encodage.textes;
    textes.emplace_back();
    bool apres_chaine = false;
    for (std::size_t p = 0; p < texte.size();) {
        int numero = 0;
        std::size_t const balise = Vorlan_tool::longueur_balise(texte.data() + p, texte.size() - p, numero);
        if (balise != 0) {
            // A tag after a string starts the next text; consecutive tags share one.
            if (apres_chaine) textes.emplace_back();
            textes.back().pointeurs.push_back(numero);
            apres_chaine = false;
            p += balise;
            continue;
        }
        std::size_t fin = texte.find('\n', p);
        if (fin == std::string::npos) fin = texte.size();
        Insereur::Encodage const ligne = encodeur(texte.substr(p, fin - p));
        Insereur::Texte_encode const& chaine = ligne.textes.front();
        auto const taille = static_cast<long long>(chaine.octets.size());
        if (taille > plus_longue) resultat.refus.push_back(trop_longue(textes.back(), r, taille, plage.longueur));
        ajouter(textes.back(), chaine, plage);
        apres_chaine = true;
        p = fin + 1;
    }
    return resultat;
}

}  // namespace Jeu
