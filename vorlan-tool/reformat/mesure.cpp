#include "reformat/mesure.h"

namespace Auto_LB {

std::string Mesure::texte(Ligne_mesuree const& ligne) const {
    std::string t;
    for (std::size_t k = ligne.premier; k < ligne.dernier; ++k) t += mots[k].texte;
    return t;
}

namespace {

class Mesureur {
public:
    Mesureur(Mesure& mesure, std::int64_t espace) : mesure_(mesure), espace_(espace) {}

    void mesurer() {
        std::vector<Mot> const& mots = mesure_.mots;
        std::size_t i = 0;
        while (i < mots.size()) {
            while (i < mots.size() && mots[i].infos.type != POINTEUR) ++i;
            if (i >= mots.size()) return;
            Bloc_mesure& bloc = mesure_.blocs.emplace_back();
            // Tags one after another share the text that follows them.
            while (i < mots.size() && mots[i].infos.type == POINTEUR) bloc.pointeurs.push_back(mots[i++].infos.valeur);
            ouvrir_boite(bloc, i);
            for (; i < mots.size() && !bloc.termine; ++i) traiter(bloc, i);
            if (!bloc.termine) fermer_boite(bloc);
        }
    }

private:
    void traiter(Bloc_mesure& bloc, std::size_t i) {
        Mot const& mot = mesure_.mots[i];
        Ligne_mesuree& ligne = bloc.boites.back().lignes.back();
        switch (mot.infos.type) {
        case CARACTERE:
            ligne.largeur += mot.largeur;
            ligne.dernier = i + 1;
            break;
        case ESPACE:
            ligne.largeur += espace_;
            ligne.dernier = i + 1;
            break;
        case CENTRER:
        case POINTEUR:
            // Drawn as nothing: part of the line's text, not of its width.
            ligne.dernier = i + 1;
            break;
        case LINEBREAK:
            bloc.boites.back().lignes.push_back(Ligne_mesuree{i + 1, i + 1, 0});
            break;
        case NEW:
        case NEW_DEFAUT:
            fermer_boite(bloc);
            ouvrir_boite(bloc, i + 1);
            break;
        case FIN:
            fermer_boite(bloc);
            bloc.termine = true;
            break;
        default:
            break;
        }
    }

    static void ouvrir_boite(Bloc_mesure& bloc, std::size_t i) {
        bloc.boites.emplace_back().lignes.push_back(Ligne_mesuree{i, i, 0});
    }

    // A line break just before the keyword leaves an empty line that shows nothing.
    static void fermer_boite(Bloc_mesure& bloc) {
        std::vector<Ligne_mesuree>& lignes = bloc.boites.back().lignes;
        if (lignes.size() > 1 && lignes.back().vide()) lignes.pop_back();
    }

    Mesure& mesure_;
    std::int64_t const espace_;
};

}  // namespace

Mesure mesurer(Table_ALB& table, std::string const& texte) {
    Mesure mesure;
    mesure.mots = charger_texte(reinterpret_cast<unsigned char const*>(texte.data()), static_cast<int>(texte.size()),
                                table, mesure.rapports);
    Mesureur(mesure, table.lire_taille_espace()).mesurer();
    return mesure;
}

}  // namespace Auto_LB
