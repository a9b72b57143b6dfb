#include "insertion/insereur.h"

#include "insertion/encodage.h"
#include "insertion/inscription.h"
#include "insertion/placement.h"

namespace Insereur {

std::optional<Rapport> verifier(int taille_rom, int debut, int fin, Table_pointeurs const& pointeurs,
                                Calcul::Formule const& formule) {
    if (debut > fin) return Rapport(Message::debut_apres_fin);
    // The end byte must exist in the ROM.
    if (debut < 0 || debut > taille_rom || fin >= taille_rom) return Rapport(Message::texte_hors_rom);
    if (pointeurs.adresse < 0 || pointeurs.adresse > taille_rom) return Rapport(Message::pointeurs_hors_rom);
    if (pointeurs.nombre < 0) return Rapport(Message::nombre_de_pointeurs_negatif);
    if (pointeurs.taille < 2 || pointeurs.taille > 4) return Rapport(Message::taille_des_pointeurs);
    if (pointeurs.nombre > 0 && !formule.equilibree()) return Rapport(Message::parentheses);
    return std::nullopt;
}

Insertion inserer(Table_ins const& table, std::string const& script, Image_rom& image, int debut, int fin,
                  Table_pointeurs const& pointeurs, Calcul::Formule const& formule) {
    return inserer(encoder(script, table), image, debut, fin, pointeurs, formule);
}

Insertion inserer(Encodage const& encodage, Image_rom& image, int debut, int fin, Table_pointeurs const& pointeurs,
                  Calcul::Formule const& formule) {
    Placement const placement = placer_a_la_suite(encodage, debut, fin);
    Inscription inscription = inscrire(encodage, placement, fin, pointeurs, formule, image);

    Insertion insertion;
    insertion.rapports = std::move(inscription.rapports);
    insertion.arret = std::move(inscription.arret);
    insertion.fin_ecrite = placement.fin_ecrite;
    if (insertion.arret) return insertion;
    if (placement.debordement)
        insertion.rapports.push_back(Rapport(Message::espace_insuffisant, {placement.manquants}));
    else
        insertion.rapports.push_back(Rapport(Message::octets_restants, {fin - placement.fin_ecrite + 1}));
    return insertion;
}

}  // namespace Insereur
