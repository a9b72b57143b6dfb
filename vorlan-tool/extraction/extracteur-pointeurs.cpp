#include "extraction/extracteur-pointeurs.h"

#include "extraction/heapsort.h"

namespace Extracteur {

std::vector<Pt_ext> charger_pointeurs(std::vector<unsigned char> const& rom, Table_pointeurs const& table,
                                      Calcul::Formule const& formule, Rapports& rapports) {
    // Only the entries lying wholly inside the ROM are read; they are the first ones of the table.
    long long const place = static_cast<long long>(rom.size()) - table.adresse;
    int lues = table.nombre;
    if (static_cast<long long>(table.nombre) * table.taille > place) lues = static_cast<int>(place / table.taille);
    if (lues < table.nombre) {
        if (lues + 1 == table.nombre)
            rapports.push_back(Rapport(Message::pointeur_non_repere, {table.nombre}));
        else
            rapports.push_back(Rapport(Message::pointeurs_non_reperes, {lues + 1, table.nombre}));
    }

    std::vector<Pt_ext> pointeurs(static_cast<std::size_t>(lues));
    for (int i = 0; i < lues; ++i) {
        std::uint32_t brute = 0;
        lire_entier_borne(rom, table.adresse + static_cast<long long>(i) * table.taille, table.taille, table.ordre,
                          brute);
        Calcul::Evaluation const e = formule.evaluer(static_cast<std::int32_t>(brute));
        if (e.erreur) rapports.push_back(Rapport(*e.erreur));
        pointeurs[static_cast<std::size_t>(i)].affecter_valeur(static_cast<unsigned int>(e.valeur));
        pointeurs[static_cast<std::size_t>(i)].affecter_numero(i + 1);
    }
    Heapsort::trier(pointeurs.data(), lues);
    return pointeurs;
}

}  // namespace Extracteur
