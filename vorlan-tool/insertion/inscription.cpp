#include "insertion/inscription.h"

#include "insertion/insereur-pointeur.h"

namespace Insereur {

Inscription inscrire(Encodage const& encodage, Placement const& placement, int fin, Table_pointeurs const& table,
                     Calcul::Formule const& formule, Image_rom& image) {
    Inscription inscription;
    for (std::size_t i = 0; i < encodage.textes.size(); ++i) {
        Texte_encode const& texte = encodage.textes[i];
        Placement::Place const& place = placement.places[i];
        for (int numero : texte.pointeurs) {
            if (auto erreur = inserer_pointeur(image, place.position, numero, table, formule, inscription.rapports)) {
                inscription.arret = Rapport(*erreur);
                return inscription;
            }
        }
        inscription.rapports.insert(inscription.rapports.end(), texte.rapports.begin(), texte.rapports.end());
        if (place.ecrits > 0) image.ecrire(place.position, texte.octets.data(), place.ecrits);
    }
    image.remplir(placement.fin_ecrite, static_cast<long long>(fin) - placement.fin_ecrite + 1, 0);
    return inscription;
}

}  // namespace Insereur
