#include "reformat/auto_lb.h"

#include <algorithm>
#include <climits>

#include "lib/vorlan_tool_divers.h"

namespace Auto_LB {

namespace {

// "<Centrer>" and a four-digit pointer tag line must fit the lookahead whatever the table.
constexpr int fenetre_minimale = 9;

Rapport caractere_inconnu(char const* octets, int nombre) {
    return Rapport(Message::alb_caractere_inconnu,
                   {octets[0], Vorlan_tool::afficher_chaine(std::string_view(octets, static_cast<std::size_t>(nombre)))});
}

// Writes the tokens of one script into pointer blocks of lines and boxes.
class Redaction {
public:
    Redaction(Mise_en_forme& sortie, std::vector<Mot> const& mots, Table_ALB const& table, int largeur_max,
              int lignes_par_boite)
        : sortie_(sortie), mots_(mots), nombre_(static_cast<int>(mots.size())), linebreak_(table.lire_linebreak()),
          def_new_(table.lire_def_new()), espace_(table.lire_taille_espace()), largeur_max_(largeur_max),
          lignes_par_boite_(lignes_par_boite) {}

    void ecrire_blocs() {
        int i = 0;
        for (;;) {
            while (i < nombre_ && mots_[i].infos.type != POINTEUR) ++i;
            if (i >= nombre_) return;
            ecrire(mots_[i].texte);
            bloc_ = mots_[i].infos.valeur;
            ++i;
            largeur_ = 0;
            ligne_ = 1;
            centrage_ = false;
            fin_vue_ = false;
            for (; i < nombre_ && !fin_vue_; ++i) traiter(i);
            if (!fin_vue_) {
                if (centrage_) ecrire_ligne_centree(nombre_);
                sortie_.rapports.push_back(Rapport(Message::bloc_sans_fin, {bloc_}));
            }
        }
    }

private:
    void traiter(int i) {
        Mot const& mot = mots_[i];
        switch (mot.infos.type) {
        case CARACTERE:
            largeur_ += mot.largeur;
            if (centrage_)
                largeur_centree_ += mot.largeur;
            else
                ecrire(mot.texte);
            break;
        case ESPACE: {
            std::int64_t const suivant = i + 1 < nombre_ ? mots_[i + 1].largeur : 0;
            if (largeur_ + espace_ + suivant <= largeur_max_) {
                largeur_ += espace_;
                if (centrage_)
                    largeur_centree_ += espace_;
                else
                    ecrire(" ");
                break;
            }
            largeur_ = 0;
            std::string_view const separateur = separateur_suivant(linebreak_);
            if (centrage_) {
                ecrire_ligne_centree(i);
                largeur_centree_ = 0;
                debut_centrage_ = i + 1;
            }
            ecrire(separateur);
            break;
        }
        case CENTRER:
            // A line still pending from an earlier "<Centrer>" is written, not dropped.
            if (centrage_) ecrire_ligne_centree(i);
            centrage_ = true;
            debut_centrage_ = i + 1;
            largeur_centree_ = 0;
            break;
        case POINTEUR:
            sortie_.rapports.push_back(Rapport(Message::pointeur_dans_le_bloc, {mot.infos.valeur, bloc_}));
            if (!centrage_) ecrire(mot.texte);
            break;
        case LINEBREAK: {
            largeur_ = 0;
            std::string_view const separateur = separateur_suivant(mot.texte);
            if (centrage_) ecrire_ligne_centree(i);
            ecrire(separateur);
            centrage_ = false;
            break;
        }
        case NEW:
        case NEW_DEFAUT:
            if (centrage_) ecrire_ligne_centree(i);
            ecrire(mot.texte);
            largeur_ = 0;
            ligne_ = 1;
            centrage_ = false;
            break;
        case FIN:
            if (centrage_) ecrire_ligne_centree(i);
            ecrire(mot.texte);
            fin_vue_ = true;
            break;
        default:
            break;
        }
    }

    // The break that ends the current line: a new box when the box is full.
    std::string_view separateur_suivant(std::string_view saut_de_ligne) {
        if (ligne_ == lignes_par_boite_) {
            ligne_ = 1;
            return def_new_;
        }
        ++ligne_;
        return saut_de_ligne;
    }

    // The centred tokens from the centring start up to the one before `fin`.
    void ecrire_ligne_centree(int fin) {
        ecrire_espaces_mots(sortie_.texte, mots_, blancs_de_centrage(), debut_centrage_, fin - 1);
    }

    int blancs_de_centrage() const {
        // A space of width 0 cannot measure a margin: such lines get no blank.
        if (espace_ == 0) return 0;
        std::int64_t const blancs = (static_cast<std::int64_t>(largeur_max_) - largeur_centree_) / (2 * espace_);
        return blancs <= 0 ? 0 : static_cast<int>(std::min<std::int64_t>(blancs, INT_MAX));
    }

    void ecrire(std::string_view texte) { sortie_.texte.append(texte.data(), texte.size()); }

    Mise_en_forme& sortie_;
    std::vector<Mot> const& mots_;
    int const nombre_;
    std::string_view const linebreak_;
    std::string_view const def_new_;
    std::int64_t const espace_;
    int const largeur_max_;
    int const lignes_par_boite_;

    int bloc_ = 0;
    std::int64_t largeur_ = 0;
    int ligne_ = 1;
    bool centrage_ = false;
    bool fin_vue_ = false;
    int debut_centrage_ = 0;
    std::int64_t largeur_centree_ = 0;
};

}  // namespace

void prendre_mot(unsigned char const* texte, int longueur, Table_ALB& table, int fenetre, Mot& mot,
                 Rapports& rapports) {
    char const* const octets = reinterpret_cast<char const*>(texte);
    int decalage = 0;
    std::int64_t largeur = 0;
    while (decalage < longueur) {
        int const disponibles = std::min(fenetre, longueur - decalage);
        // A pointer tag too long for the window (a number of many digits) is still a tag.
        int const balise = static_cast<int>(Vorlan_tool::longueur_balise(
            octets + decalage, static_cast<std::size_t>(longueur - decalage)));
        if (balise > disponibles) {
            if (decalage == 0) decalage = balise;
            break;
        }
        Infos_entree const* trouve = nullptr;
        int taille = disponibles;
        for (; taille > 0; --taille) {
            trouve = table.chercher(std::string_view(octets + decalage, static_cast<std::size_t>(taille)));
            if (trouve != nullptr) break;
        }
        if (trouve == nullptr) {
            rapports.push_back(caractere_inconnu(octets + decalage, disponibles));
            ++decalage;
            continue;
        }
        if (trouve->type != CARACTERE) {
            // A special sequence is always a token of its own, so that a pointer tag or a space
            // following unknown bytes keeps its part.
            if (decalage == 0) {
                if (trouve->type == ESPACE) largeur += table.lire_taille_espace();
                decalage = taille;
            }
            break;
        }
        largeur += trouve->valeur;
        decalage += taille;
    }
    mot.texte.assign(octets, static_cast<std::size_t>(decalage));
    mot.largeur = largeur;
    Infos_entree const* entier = table.chercher(mot.texte);
    if (entier == nullptr)
        mot.infos = Infos_entree{CARACTERE, 0};
    else
        mot.infos = Infos_entree{entier->type, entier->type == POINTEUR ? entier->valeur : 0};
}

std::vector<Mot> charger_texte(unsigned char const* texte, int longueur, Table_ALB& table, Rapports& rapports) {
    int const fenetre = std::max(table.lire_taille_max(), fenetre_minimale);
    std::vector<Mot> mots;
    int position = 0;
    while (position < longueur) {
        Mot mot;
        prendre_mot(texte + position, longueur - position, table, fenetre, mot, rapports);
        position += static_cast<int>(mot.texte.size());
        mots.push_back(std::move(mot));
    }
    return mots;
}

void ecrire_espaces_mots(std::string& sortie, std::vector<Mot> const& mots, int blancs, int premier, int dernier) {
    sortie.append(static_cast<std::size_t>(std::max(blancs, 0)), ' ');
    int const fin = std::min(dernier, static_cast<int>(mots.size()) - 1);
    for (int k = std::max(premier, 0); k <= fin; ++k) sortie += mots[k].texte;
}

Mise_en_forme remettre_en_forme(Table_ALB& table, std::string const& texte, int largeur_max, int lignes_par_boite) {
    Mise_en_forme resultat;
    std::vector<Mot> const mots = charger_texte(reinterpret_cast<unsigned char const*>(texte.data()),
                                                static_cast<int>(texte.size()), table, resultat.rapports);
    Redaction(resultat, mots, table, largeur_max, lignes_par_boite).ecrire_blocs();
    return resultat;
}

}  // namespace Auto_LB
