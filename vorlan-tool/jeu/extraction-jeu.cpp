#include "jeu/extraction-jeu.h"

#include <algorithm>
#include <utility>

#include "extraction/ecriture-script.h"
#include "jeu/conversion.h"
#include "jeu/emplacements.h"
#include "jeu/marques.h"
#include "jeu/suites.h"

namespace Jeu {

namespace {

// Every pointer whose formula gives a position, as (position, number), in that order.
std::vector<std::pair<long long, int>> positions(std::vector<unsigned char> const& rom, Description const& jeu,
                                                 std::vector<Pointeur_jeu> const& pointeurs) {
    std::vector<Conversion> conversions(jeu.groupes.begin(), jeu.groupes.end());
    std::vector<std::pair<long long, int>> designees;
    designees.reserve(pointeurs.size());
    for (std::size_t n = 0; n < pointeurs.size(); ++n) {
        Groupe const& g = jeu.groupes[static_cast<std::size_t>(pointeurs[n].groupe)];
        int const i = pointeurs[n].rang;
        Conversion const& conversion = conversions[static_cast<std::size_t>(pointeurs[n].groupe)];
        std::optional<long long> const position = conversion.position(lire_pointeur(rom, g, i), emplacement(g, i));
        if (position) designees.emplace_back(*position, static_cast<int>(n + 1));
    }
    std::sort(designees.begin(), designees.end());
    return designees;
}

}  // namespace

Extracteur::Extraction extraire(Extracteur::Table_ext const& table, std::vector<unsigned char> const& rom,
                                Description const& jeu) {
    Extracteur::Extraction resultat;
    std::vector<Pointeur_jeu> const pointeurs = numeroter(jeu);
    std::vector<std::pair<long long, int>> const designees = positions(rom, jeu, pointeurs);
    std::vector<bool> reperes(pointeurs.size() + 1, false);

    Extracteur::Ecriture_script ecriture(resultat.script);
    for (Plage const& plage : jeu.textes) {
        std::string const m = marque(plage);
        ecriture.ecrire(m.data(), m.size());
        auto suivant = std::lower_bound(designees.begin(), designees.end(), std::pair<long long, int>(plage.debut, 0));
        std::size_t const lus = static_cast<std::size_t>(plage.fin - plage.debut + 1);
        unsigned char const* const texte = rom.data() + plage.debut;
        for (std::size_t p = 0; p < lus;) {
            long long const position = plage.debut + static_cast<long long>(p);
            // Pointers into the inside of a sequence decoded as one entry designate no text.
            while (suivant != designees.end() && suivant->first < position) ++suivant;
            for (; suivant != designees.end() && suivant->first == position; ++suivant) {
                ecriture.ecrire_balise(suivant->second);
                reperes[static_cast<std::size_t>(suivant->second)] = true;
            }
            p += ecriture.decoder(table, &texte[p], lus - p, true);
        }
    }
    std::vector<int> sans_position;
    for (std::size_t n = 1; n < reperes.size(); ++n)
        if (!reperes[n]) sans_position.push_back(static_cast<int>(n));
    for (Suite const& s : suites(sans_position))
        resultat.rapports.push_back(s.premier == s.dernier
                                        ? Rapport(Message::jeu_pointeur_sans_position, {s.premier})
                                        : Rapport(Message::jeu_pointeurs_sans_position, {s.premier, s.dernier}));
    return resultat;
}

}  // namespace Jeu
