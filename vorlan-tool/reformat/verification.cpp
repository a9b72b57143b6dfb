#include "reformat/verification.h"

#include "lib/vorlan_tool_divers.h"
#include "reformat/mesure.h"

namespace Auto_LB {

namespace {

// The start of a line as the report shows it: 20 characters at most, line feeds as "\n".
constexpr std::size_t debut_montre = 20;

}  // namespace

Verification verifier(Table_ALB& table, std::string const& texte, int largeur_max, int lignes_par_boite) {
    Mesure const mesure = mesurer(table, texte);
    Verification verification;
    verification.rapports = mesure.rapports;
    for (Bloc_mesure const& bloc : mesure.blocs) {
        int const pointeur = bloc.pointeurs.front();
        for (std::size_t b = 0; b < bloc.boites.size(); ++b) {
            std::vector<Ligne_mesuree> const& lignes = bloc.boites[b].lignes;
            int const boite = static_cast<int>(b) + 1;
            for (std::size_t l = 0; l < lignes.size(); ++l) {
                if (lignes[l].largeur <= largeur_max) continue;
                std::string const debut = mesure.texte(lignes[l]).substr(0, debut_montre);
                verification.rapports.push_back(
                    Rapport(Message::ligne_trop_large, {pointeur, boite, static_cast<int>(l) + 1,
                                                        static_cast<long long>(lignes[l].largeur), largeur_max,
                                                        Vorlan_tool::afficher_chaine(debut)}));
                ++verification.problemes;
            }
            if (static_cast<long long>(lignes.size()) > lignes_par_boite) {
                verification.rapports.push_back(Rapport(
                    Message::boite_trop_pleine, {pointeur, boite, static_cast<int>(lignes.size()), lignes_par_boite}));
                ++verification.problemes;
            }
        }
        if (!bloc.termine) verification.rapports.push_back(Rapport(Message::bloc_sans_fin_verifie, {pointeur}));
    }
    return verification;
}

}  // namespace Auto_LB
