#include "jeu/emplacements.h"

namespace Jeu {

long long octet_du_pointeur(Groupe const& groupe, int i, int k) {
    switch (groupe.disposition) {
    case Disposition::suite: return groupe.adresse + static_cast<long long>(i) * groupe.pas + k;
    case Disposition::eclate:
        return groupe.octets[static_cast<std::size_t>(k)] + static_cast<long long>(i) * groupe.pas;
    case Disposition::liste: return groupe.liste[static_cast<std::size_t>(i)] + k;
    }
    return 0;
}

int decalage_de_l_octet(Groupe const& groupe, int k) {
    return 8 * (groupe.ordre == Ordre_octets::petit_boutiste ? k : groupe.taille - 1 - k);
}

std::uint32_t lire_pointeur(std::vector<unsigned char> const& rom, Groupe const& groupe, int i) {
    std::uint32_t valeur = 0;
    for (int k = 0; k < groupe.taille; ++k) {
        std::uint32_t const octet = rom.at(static_cast<std::size_t>(octet_du_pointeur(groupe, i, k)));
        valeur |= octet << decalage_de_l_octet(groupe, k);
    }
    return valeur;
}

void ecrire_pointeur(Insereur::Image_rom& image, Groupe const& groupe, int i, std::uint32_t valeur) {
    for (int k = 0; k < groupe.taille; ++k) {
        auto const octet = static_cast<unsigned char>((valeur >> decalage_de_l_octet(groupe, k)) & 0xFF);
        image.ecrire(octet_du_pointeur(groupe, i, k), &octet, 1);
    }
}

std::vector<Pointeur_jeu> numeroter(Description const& jeu) {
    std::vector<Pointeur_jeu> pointeurs;
    for (std::size_t g = 0; g < jeu.groupes.size(); ++g)
        for (int i = 0; i < jeu.groupes[g].nombre; ++i) pointeurs.push_back({static_cast<int>(g), i});
    return pointeurs;
}

}  // namespace Jeu
