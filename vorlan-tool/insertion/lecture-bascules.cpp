#include "insertion/lecture-bascules.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "extraction/ecriture-script.h"

namespace Insereur {

using Extracteur::Pile_tables;
using Duree = Fichier_table::Duree;

Lecture_bascules::Lecture_bascules(Extracteur::Tables_ext const& tables, bool fins)
    : tables_(tables), fins_(fins), pile_(tables) {
    numero(Etat_lecture{pile_.niveaux(), {}, {}});
}

bool Lecture_bascules::suivant(std::uint32_t etat, std::string const& octets, std::string const& ecrit, bool tout,
                               std::uint32_t& apres) {
    Etat_lecture nouvel = etats_[etat];
    nouvel.attente += octets;
    nouvel.attendu += ecrit;
    if (!lire(nouvel, tout)) return false;
    apres = numero(std::move(nouvel));
    return true;
}

// The decoder's own choice of a unit, as Pile_tables::decoder makes it, told apart from a
// choice that more bytes could change.
bool Lecture_bascules::lisible(std::vector<Pile_tables::Niveau> const& niveaux, unsigned char const* octets,
                               std::size_t disponible) const {
    std::size_t haut = niveaux.size();
    for (;;) {
        while (haut > 1 && niveaux[haut - 1].bascule->duree == Duree::nombre && niveaux[haut - 1].restant == 0) --haut;
        Pile_tables::Niveau const& niveau = niveaux[haut - 1];
        if (niveau.bascule != nullptr && niveau.bascule->duree == Duree::jusqu_au_code) {
            Nb_ext_ins const& retour = niveau.bascule->retour;
            std::size_t const taille = static_cast<std::size_t>(retour.taille());
            if (taille > 0 && std::memcmp(octets, retour.octets(), std::min(taille, disponible)) == 0)
                return disponible >= taille;
        }
        Extracteur::Table_ext const& table = tables_.table(niveau.table);
        if (table.prolongeable(octets, disponible)) return false;
        std::size_t longueur = 0;
        Extracteur::Texte_ext const* entree =
            table.plus_long(octets, std::min<std::size_t>(disponible, table.taille_max()), longueur);
        if (entree != nullptr) return disponible >= longueur + static_cast<std::size_t>(entree->parametres);
        if (haut == 1) return true;
        --haut;
    }
}

bool Lecture_bascules::lire(Etat_lecture& etat, bool tout) {
    auto const* octets = reinterpret_cast<unsigned char const*>(etat.attente.data());
    std::size_t const taille = etat.attente.size();
    std::size_t lus = 0, ecrits = 0;
    while (lus < taille && (tout || lisible(etat.niveaux, octets + lus, taille - lus))) {
        ecrit_.clear();
        Extracteur::Ecriture_script ecriture(ecrit_);
        pile_.reprendre(etat.niveaux);
        lus += pile_.decoder(ecriture, octets + lus, taille - lus, fins_);
        if (ecrits + ecrit_.size() > etat.attendu.size() || etat.attendu.compare(ecrits, ecrit_.size(), ecrit_) != 0)
            return false;
        ecrits += ecrit_.size();
        etat.niveaux = pile_.niveaux();
    }
    etat.attente.erase(0, lus);
    etat.attendu.erase(0, ecrits);
    return !etat.attente.empty() || etat.attendu.empty();
}

std::uint32_t Lecture_bascules::numero(Etat_lecture&& etat) {
    cle_.clear();
    for (Pile_tables::Niveau const& n : etat.niveaux) {
        cle_.append(reinterpret_cast<char const*>(&n.table), sizeof n.table);
        cle_.append(reinterpret_cast<char const*>(&n.bascule), sizeof n.bascule);
        cle_.append(reinterpret_cast<char const*>(&n.restant), sizeof n.restant);
    }
    std::size_t const attente = etat.attente.size();
    cle_.append(reinterpret_cast<char const*>(&attente), sizeof attente);
    cle_ += etat.attente;
    cle_ += etat.attendu;
    auto const [place, nouveau] = numeros_.try_emplace(cle_, static_cast<std::uint32_t>(etats_.size()));
    if (nouveau) etats_.push_back(std::move(etat));
    return place->second;
}

}  // namespace Insereur
