#include "insertion/insereur-pointeur.h"

namespace Insereur {

std::optional<Message> inserer_pointeur(Image_rom& rom, int position, int numero, Table_pointeurs const& table,
                                        Calcul::Formule const& formule, Rapports& rapports) {
    if (numero > table.nombre) {
        rapports.push_back(Rapport(Message::pointeur_au_dela_du_nombre, {numero}));
        return std::nullopt;
    }
    if (numero < 1) {
        rapports.push_back(Rapport(Message::pointeur_inferieur_a_un, {numero}));
        return std::nullopt;
    }
    long long const emplacement = table.adresse + static_cast<long long>(numero - 1) * table.taille;
    if (!rom.dans_la_rom(emplacement, table.taille)) {
        rapports.push_back(Rapport(Message::pointeur_hors_rom, {numero}));
        return std::nullopt;
    }
    Calcul::Evaluation const valeur = formule.evaluer(position);
    if (valeur.erreur) return valeur.erreur;
    rom.ecrire_entier(emplacement, table.taille, table.ordre, static_cast<std::uint32_t>(valeur.valeur));
    return std::nullopt;
}

}  // namespace Insereur
