#include "insertion/encodage-court.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "insertion/automate-cles.h"
#include "insertion/caractere-inconnu.h"
#include "insertion/plus-court-chemin.h"
#include "insertion/prochaine-balise.h"

namespace Insereur {


namespace {

// The window shown around an unknown character, as encoder() shows it.
constexpr std::size_t fenetre_minimale = 10;

// The encodings of one stretch of the script between tags. A node is a position and the
// extraction state of the bytes chosen before it (Automate_cles); an edge is an entry of the
// table whose text comes next, costing its bytes, or the next character skipped as unknown,
// costing one skip, dearer than any number of bytes, and leaving the state as it is. The
// edges from a position come longest text first, the skip last.
//
// Switching tables would make the state the pair of the table stack and the extraction state
// under its top table, and the edges those of the top table's entries, switches included.
class Graphe_court {
public:
    using Etat = std::uint32_t;
    struct Cout {
        std::size_t inconnus = 0;
        std::size_t octets = 0;
        Cout operator+(Cout const& autre) const { return {inconnus + autre.inconnus, octets + autre.octets}; }
        bool operator<(Cout const& autre) const {
            return inconnus != autre.inconnus ? inconnus < autre.inconnus : octets < autre.octets;
        }
    };
    struct Arete {
        std::uint32_t longueur;
        std::uint32_t entree;  // in the table's entrees(), or inconnu
        std::uint32_t octets;  // its code's
    };
    static constexpr std::uint32_t inconnu = UINT32_MAX;

    Graphe_court(std::string const& script, Table_courte const& table)
        : script_(reinterpret_cast<unsigned char const*>(script.data())), table_(table), automate_(table) {}

    Etat depart() const { return Automate_cles::depart; }
    std::size_t longueur_max() const { return table_.texte_max(); }
    Cout cout(Arete const& arete) const { return {arete.entree == inconnu ? 1u : 0u, arete.octets}; }

    void aretes(std::size_t position, std::size_t fin, Etat, std::vector<Arete>& sortie) const {
        std::size_t const premiere = sortie.size();
        auto const& entrees = table_.entrees();
        table_.textes().prefixes(script_ + position, fin - position,
                                 [&sortie, &entrees](std::size_t longueur, std::int32_t e) {
                                     sortie.push_back({static_cast<std::uint32_t>(longueur),
                                                       static_cast<std::uint32_t>(e),
                                                       entrees[static_cast<std::size_t>(e)].octets});
                                 });
        std::reverse(sortie.begin() + static_cast<std::ptrdiff_t>(premiere), sortie.end());
        sortie.push_back({1, inconnu, 0});
    }

    bool suivant(Etat etat, Arete const& arete, Etat& apres) {
        if (arete.entree != inconnu) return automate_.suivant(etat, arete.entree, apres);
        apres = etat;
        return true;
    }

private:
    unsigned char const* script_;
    Table_courte const& table_;
    Automate_cles automate_;
};

}  // namespace

Encodage encoder_court(std::string const& script, Table_courte const& table) {
    Encodage encodage;
    encodage.textes.emplace_back();
    Table_ins const& insertion = table.insertion();
    std::size_t const largeur = std::max(static_cast<std::size_t>(insertion.taille_max()), fenetre_minimale);
    char const* const s = script.data();
    std::size_t const longueur = script.size();
    Graphe_court graphe(script, table);
    Plus_court_chemin<Graphe_court> recherche;
    std::vector<Graphe_court::Arete> chemin;
    std::size_t debut = 0;
    while (true) {
        // The next tag that longest match would read where it stands.
        Balise const balise = prochaine_balise(script, debut, [&](std::size_t position) {
            std::size_t trouve = 0;
            insertion.plus_long(s + position, std::min(largeur, longueur - position), trouve);
            return trouve;
        });
        std::size_t const coupure = balise.position;
        recherche.chercher(graphe, debut, coupure, chemin);
        Texte_encode* texte = &encodage.textes.back();
        std::size_t p = debut;
        for (Graphe_court::Arete const& arete : chemin) {
            if (arete.entree == Graphe_court::inconnu) {
                texte->rapports.push_back(caractere_inconnu(s + p, std::min(largeur, longueur - p)));
            } else {
                Nb_ext_ins const& code = *table.entrees()[arete.entree].code;
                texte->ajouter(code.octets(), static_cast<std::size_t>(code.taille()));
            }
            p += arete.longueur;
        }
        if (coupure == longueur) break;
        encodage.apres_balise(balise.numero);
        debut = coupure + balise.longueur;
    }
    return encodage;
}

}  // namespace Insereur
