#include "insertion/encodage-bascules.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "insertion/caractere-inconnu.h"
#include "insertion/codes-bascules.h"
#include "insertion/lecture-bascules.h"
#include "insertion/prochaine-balise.h"

namespace Insereur {

using Duree = Fichier_table::Duree;

namespace {

// The window shown around an unknown character, as encoder() shows it.
constexpr std::size_t fenetre_minimale = 10;

// The decoder states kept at one position, the cheapest: real tables reach a few, but tables
// that switch into themselves with long stays could make them grow with every character.
constexpr std::size_t etats_max = 64;

// Characters skipped come first, then labels written where the script has none (a dump
// would show them), then bytes.
struct Cout {
    std::size_t inconnus = 0;
    std::size_t etiquettes = 0;
    std::size_t octets = 0;
    bool operator<(Cout const& autre) const {
        if (inconnus != autre.inconnus) return inconnus < autre.inconnus;
        if (etiquettes != autre.etiquettes) return etiquettes < autre.etiquettes;
        return octets < autre.octets;
    }
};

// One step of an encoding: the codes it writes (up to two that stand for no text of the
// script, then the code of the text it covers), or none for a character skipped as unknown.
struct Pas {
    std::uint32_t longueur = 0;  // characters covered
    std::array<std::string_view, 3> codes{};
    std::uint8_t nombre = 0;
};

// The cheapest encodings of one stretch of the script between tags. A node is a position and
// the decoder's state there (Lecture_bascules); each node is reached by its cheapest step,
// the first one found among equals. Positions are taken in order, as every step covers at
// least one character.
class Recherche {
public:
    Recherche(Extracteur::Tables_ext const& tables, bool fins) : codes_(tables, fins), lecture_(tables, fins) {}

    std::size_t texte_max() const { return codes_.texte_max(); }

    // The longest written text of a code that begins the characters given, 0 when none does.
    std::size_t plus_long(unsigned char const* texte, std::size_t disponible) {
        std::size_t longueur = 0;
        codes_.devant(texte, disponible, tampon_, [&longueur](std::size_t l, Codes_bascules::Code const&) {
            longueur = std::max(longueur, l);
        });
        return longueur;
    }

    // The steps of the cheapest encoding of the `longueur` characters given, in order.
    void chercher(unsigned char const* texte, std::size_t longueur, std::vector<Pas>& chemin) {
        noeuds_.assign(1, Noeud{Lecture_bascules::depart, {}, 0, {}});
        positions_.assign(longueur + 1, {});
        positions_[0].push_back(0);
        for (std::size_t i = 0; i < longueur; ++i) {
            devant_.clear();
            codes_.devant(texte + i, longueur - i, tampon_,
                          [this](std::size_t l, Codes_bascules::Code const& code) { devant_.push_back({l, &code}); });
            for (std::size_t k = 0; k < positions_[i].size(); ++k) avancer(i, positions_[i][k], longueur);
        }
        std::uint32_t meilleur = positions_[longueur].front();
        for (std::uint32_t n : positions_[longueur])
            if (noeuds_[n].cout < noeuds_[meilleur].cout) meilleur = n;
        chemin.clear();
        for (std::uint32_t n = meilleur; n != 0; n = noeuds_[n].precedent) chemin.push_back(noeuds_[n].pas);
        std::reverse(chemin.begin(), chemin.end());
    }

private:
    struct Noeud {
        std::uint32_t etat;
        Cout cout;
        std::uint32_t precedent;
        Pas pas;
    };
    struct Devant {
        std::size_t longueur;
        Codes_bascules::Code const* code;
    };
    // A code written before a step's: a switch (its code), or the code that ends a stay (none).
    struct Prefixe {
        std::string_view octets;
        std::string_view ecrit;
        Codes_bascules::Code const* bascule = nullptr;
    };
    // Up to two of them, in order.
    struct Suite {
        std::array<Prefixe, 2> codes;
        std::uint8_t nombre = 0;
    };

    // The codes that may come before a step's: up to two of the codes that end the stays of the
    // stack's tables entered until a code, and of the switches. A switch with a label, which a
    // later dump shows, is only written to reach what the table it enters holds: it is followed
    // by a switch of that table or by the step's code. One without a label shows nothing and
    // may also part two codes that would otherwise read as one (followed, for instance, by the
    // code that ends its stay at once). A switch with a label that enters no table is never
    // written where the script has not its label.
    void suites(std::uint32_t etat) {
        std::vector<Prefixe> retours, bascules;
        for (auto const& niveau : lecture_.etat(etat).niveaux) {
            if (niveau.bascule == nullptr || niveau.bascule->duree != Duree::jusqu_au_code) continue;
            Nb_ext_ins const& retour = niveau.bascule->retour;
            retours.push_back(
                {{reinterpret_cast<char const*>(retour.octets()), static_cast<std::size_t>(retour.taille())}, {}, nullptr});
        }
        for (std::uint32_t b : codes_.bascules()) {
            Codes_bascules::Code const& code = codes_.codes()[b];
            bascules.push_back({code.octets, code.ecrit, &code});
        }
        suites_.assign(1, Suite{});
        for (auto const* premiers : {&retours, &bascules})
            for (Prefixe const& p : *premiers) suites_.push_back(Suite{{p, Prefixe{}}, 1});
        std::size_t const simples = suites_.size();
        for (std::size_t k = 1; k < simples; ++k) {
            Prefixe const premier = suites_[k].codes[0];
            if (premier.bascule != nullptr && premier.ecrit.empty())
                for (std::string const& retour : premier.bascule->retours)
                    suites_.push_back(Suite{{premier, Prefixe{retour, {}, nullptr}}, 2});
            for (auto const* seconds : {&retours, &bascules})
                for (Prefixe const& p : *seconds)
                    if (peut_suivre(premier, p.bascule)) suites_.push_back(Suite{{premier, p}, 2});
        }
    }

    // Whether `code` (a switch or a step's code; null for a return code of the stack) may
    // follow `avant`. A switch without a label shows nothing: anything may follow it.
    static bool peut_suivre(Prefixe const& avant, Codes_bascules::Code const* code) {
        if (avant.bascule == nullptr || avant.ecrit.empty()) return true;
        if (code == nullptr) return false;
        auto const& vers = avant.bascule->vers;
        return std::find(vers.begin(), vers.end(), code->table) != vers.end();
    }

    void avancer(std::size_t i, std::uint32_t n, std::size_t longueur) {
        std::uint32_t const etat = noeuds_[n].etat;
        Cout const cout = noeuds_[n].cout;
        suites(etat);
        for (Suite const& suite : suites_) {
            Pas pas;
            octets_.clear();
            ecrit_.clear();
            std::size_t etiquettes = 0;
            for (std::size_t k = 0; k < suite.nombre; ++k) {
                ajouter(pas, suite.codes[k]);
                if (!suite.codes[k].ecrit.empty()) ++etiquettes;
            }
            std::size_t const base_octets = octets_.size(), base_ecrit = ecrit_.size();
            for (Devant const& d : devant_) {
                if (suite.nombre > 0 && !peut_suivre(suite.codes[suite.nombre - 1], d.code)) continue;
                octets_.resize(base_octets);
                ecrit_.resize(base_ecrit);
                Pas etape = pas;
                ajouter(etape, {d.code->octets, d.code->ecrit, nullptr});
                etape.longueur = static_cast<std::uint32_t>(d.longueur);
                std::uint32_t apres = 0;
                bool const fin = i + d.longueur == longueur;
                if (!lecture_.suivant(etat, octets_, ecrit_, fin, apres)) continue;
                relacher(i + d.longueur, apres, {cout.inconnus, cout.etiquettes + etiquettes, cout.octets + octets_.size()},
                         n, etape);
            }
        }
        // The character skipped: nothing written, nothing to read.
        Pas saut;
        saut.longueur = 1;
        std::uint32_t apres = etat;
        if (i + 1 == longueur && !lecture_.suivant(etat, {}, {}, true, apres)) return;
        relacher(i + 1, apres, {cout.inconnus + 1, cout.etiquettes, cout.octets}, n, saut);
    }

    void ajouter(Pas& pas, Prefixe const& code) {
        pas.codes[pas.nombre++] = code.octets;
        octets_.append(code.octets);
        ecrit_.append(code.ecrit);
    }

    void relacher(std::size_t position, std::uint32_t etat, Cout cout, std::uint32_t precedent, Pas const& pas) {
        std::uint32_t pire = 0;
        bool plein = positions_[position].size() >= etats_max;
        for (std::uint32_t m : positions_[position]) {
            if (noeuds_[m].etat == etat) {
                if (cout < noeuds_[m].cout) noeuds_[m] = Noeud{etat, cout, precedent, pas};
                return;
            }
            if (plein && (pire == 0 || noeuds_[pire].cout < noeuds_[m].cout)) pire = m;
        }
        if (plein) {
            if (cout < noeuds_[pire].cout) noeuds_[pire] = Noeud{etat, cout, precedent, pas};
            return;
        }
        positions_[position].push_back(static_cast<std::uint32_t>(noeuds_.size()));
        noeuds_.push_back(Noeud{etat, cout, precedent, pas});
    }

    Codes_bascules codes_;
    Lecture_bascules lecture_;
    std::vector<Noeud> noeuds_;
    std::vector<std::vector<std::uint32_t>> positions_;
    std::vector<Devant> devant_;
    std::vector<Suite> suites_;
    std::vector<std::uint32_t> tampon_;
    std::string octets_;
    std::string ecrit_;
};

}  // namespace

Encodage encoder_bascules(std::string const& script, Extracteur::Tables_ext const& tables, bool fins) {
    Encodage encodage;
    encodage.textes.emplace_back();
    auto const* const s = reinterpret_cast<unsigned char const*>(script.data());
    std::size_t const longueur = script.size();
    Recherche recherche(tables, fins);
    std::size_t const largeur = std::max(recherche.texte_max(), fenetre_minimale);
    std::vector<Pas> chemin;
    std::size_t debut = 0;
    while (true) {
        // The next tag that the longest text of a code does not cover where it stands.
        Balise const balise = prochaine_balise(script, debut, [&](std::size_t position) {
            return recherche.plus_long(s + position, std::min(largeur, longueur - position));
        });
        std::size_t const coupure = balise.position;
        recherche.chercher(s + debut, coupure - debut, chemin);
        Texte_encode* texte = &encodage.textes.back();
        std::size_t p = debut;
        for (Pas const& pas : chemin) {
            if (pas.nombre == 0)
                texte->rapports.push_back(caractere_inconnu(script.data() + p, std::min(largeur, longueur - p)));
            for (std::size_t k = 0; k < pas.nombre; ++k)
                texte->ajouter(reinterpret_cast<unsigned char const*>(pas.codes[k].data()), pas.codes[k].size());
            p += pas.longueur;
        }
        if (coupure == longueur) break;
        encodage.apres_balise(balise.numero);
        debut = coupure + balise.longueur;
    }
    return encodage;
}

}  // namespace Insereur
