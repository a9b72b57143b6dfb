#include "extraction/pile-tables.h"

#include <algorithm>
#include <cstring>

namespace Extracteur {

namespace {

bool fini(Pile_tables::Niveau const& n) {
    return n.bascule != nullptr && n.bascule->duree == Fichier_table::Duree::nombre && n.restant == 0;
}

bool commence_par(unsigned char const* octets, std::size_t disponible, Nb_ext_ins const& code) {
    std::size_t const taille = static_cast<std::size_t>(code.taille());
    return taille > 0 && taille <= disponible && std::memcmp(octets, code.octets(), taille) == 0;
}

}  // namespace

std::size_t Pile_tables::decoder(Ecriture_script& ecriture, unsigned char const* octets, std::size_t disponible,
                                 bool fins) {
    for (;;) {
        while (niveaux_.size() > 1 && fini(niveaux_.back())) niveaux_.pop_back();
        Niveau& haut = niveaux_.back();
        if (haut.bascule != nullptr && haut.bascule->duree == Fichier_table::Duree::jusqu_au_code &&
            commence_par(octets, disponible, haut.bascule->retour)) {
            std::size_t const taille = static_cast<std::size_t>(haut.bascule->retour.taille());
            niveaux_.pop_back();
            return taille;
        }
        Table_ext const& table = tables_.table(haut.table);
        std::size_t longueur = 0;
        Texte_ext const* entree = table.plus_long(octets, std::min<std::size_t>(disponible, table.taille_max()), longueur);
        if (entree == nullptr) {
            if (niveaux_.size() > 1) {
                niveaux_.pop_back();
                continue;
            }
            ecriture.ecrire_brut(octets[0]);
            return 1;
        }
        if (haut.bascule != nullptr && haut.bascule->duree == Fichier_table::Duree::nombre) --haut.restant;
        std::size_t const lus = ecriture.ecrire_entree(*entree, longueur, octets, disponible, fins);
        if (entree->fin)
            recommencer();
        else
            entrer(entree->bascules);
        return lus;
    }
}

void Pile_tables::entrer(std::vector<Bascule> const& bascules) {
    // "-1" enters nothing: the code was its label.
    std::size_t const entrees = static_cast<std::size_t>(std::count_if(
        bascules.begin(), bascules.end(), [](Bascule const& b) { return b.duree != Fichier_table::Duree::aussitot; }));
    if (entrees == 0 || niveaux_.size() + entrees > profondeur_max) return;
    // The first switch listed runs first: it goes on top.
    for (auto b = bascules.rbegin(); b != bascules.rend(); ++b)
        if (b->duree != Fichier_table::Duree::aussitot) niveaux_.push_back(Niveau{b->table, &*b, b->nombre});
}

}  // namespace Extracteur
