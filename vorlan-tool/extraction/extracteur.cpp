#include "extraction/extracteur.h"

#include "extraction/ecriture-script.h"
#include "extraction/extracteur-pointeurs.h"
#include "extraction/decodeurs.h"
#include "lib/vorlan_lib.h"

namespace Extracteur {

std::optional<Rapport> verifier(int taille_rom, int debut, int fin, Table_pointeurs const& pointeurs) {
    if (debut > fin) return Rapport(Message::debut_apres_fin);
    if (debut < 0 || debut > taille_rom || fin >= taille_rom) return Rapport(Message::texte_hors_rom);
    if (pointeurs.adresse < 0 || pointeurs.adresse > taille_rom) return Rapport(Message::pointeurs_hors_rom);
    if (pointeurs.nombre < 0) return Rapport(Message::nombre_de_pointeurs_negatif);
    if (pointeurs.taille < 2 || pointeurs.taille > 4) return Rapport(Message::taille_des_pointeurs);
    return std::nullopt;
}

namespace {

template <typename Decodeur>
Extraction extraire_par(Decodeur decodeur, std::vector<unsigned char> const& rom, int debut, int fin,
                        Table_pointeurs const& pointeurs_rom, Calcul::Formule const& formule) {
    Extraction resultat;
    std::vector<Pt_ext> const pointeurs = charger_pointeurs(rom, pointeurs_rom, formule, resultat.rapports);

    unsigned char const* const texte = rom.data() + debut;
    std::size_t const lus = static_cast<std::size_t>(fin) - static_cast<std::size_t>(debut) + 1;
    resultat.script.reserve(lus + lus / 4);

    // With 2- or 3-byte pointers only the low 16 or 24 bits of a position are compared.
    unsigned int const masque = Octets::tronquer(0xFFFFFFFFu, static_cast<unsigned int>(pointeurs_rom.taille));
    auto tronquer = [masque](unsigned int valeur) { return valeur & masque; };
    std::size_t suivant = 0;
    std::size_t const total = pointeurs.size();
    // Pointers to text before the range never get a tag.
    while (suivant < total && pointeurs[suivant].lire_valeur() < tronquer(static_cast<unsigned int>(debut))) ++suivant;

    Ecriture_script ecriture(resultat.script);
    for (std::size_t p = 0; p < lus;) {
        unsigned int const position = tronquer(static_cast<unsigned int>(debut) + static_cast<unsigned int>(p));
        // Pointers into the inside of a sequence already decoded as one entry are dropped.
        while (suivant < total && position > pointeurs[suivant].lire_valeur()) ++suivant;
        // A pointer designates a string's start: the game reads it from its start table.
        while (suivant < total && position == tronquer(pointeurs[suivant].lire_valeur())) {
            ecriture.ecrire_balise(pointeurs[suivant].lire_numero());
            decodeur.recommencer();
            ++suivant;
        }
        p += decodeur.decoder(ecriture, &texte[p], lus - p);
    }
    return resultat;
}

}  // namespace

Extraction extraire(Table_ext const& table, std::vector<unsigned char> const& rom, int debut, int fin,
                    Table_pointeurs const& pointeurs, Calcul::Formule const& formule) {
    return extraire_par(Decodeur_table{table, true}, rom, debut, fin, pointeurs, formule);
}

Extraction extraire(Tables_ext const& tables, std::vector<unsigned char> const& rom, int debut, int fin,
                    Table_pointeurs const& pointeurs, Calcul::Formule const& formule) {
    return extraire_par(Decodeur_pile{Pile_tables(tables), true}, rom, debut, fin, pointeurs, formule);
}

}  // namespace Extracteur
