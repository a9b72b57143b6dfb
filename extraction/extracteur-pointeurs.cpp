#include "extraction/extracteur-pointeurs.h"

#include <cstdio>

#include "extraction/heapsort.h"
#include "lib/calcul.h"
#include "lib/erreur.h"

namespace Extracteur {

namespace {

// Table entries are `taille` bytes, one after another with no gap:
//   little-endian: byte k weighs 8k bits; big-endian: byte k weighs 8(taille - 1 - k) bits.
unsigned int valeur_brute(unsigned char const* entree, int taille, bool ordre) {
    unsigned int valeur = 0;
    for (int k = 0; k < taille; ++k) {
        int const decalage = 8 * (ordre ? k : taille - 1 - k);
        valeur += static_cast<unsigned int>(entree[k]) << decalage;
    }
    return valeur;
}

void signaler_hors_rom(int premier, int dernier) {
    if (premier == dernier)
        std::printf("Attention, le pointeur numéro %d est situé hors de la rom, il ne sera pas repéré\n", premier);
    else
        std::printf("Attention, les pointeurs numéros %d à %d sont situés hors de la rom, ils ne seront pas repérés\n",
                    premier, dernier);
}

}  // namespace

std::vector<Pt_ext> charger_pointeurs(Fichier& rom, int adresse, int nombre, char const* formule, int taille,
                                      bool ordre) {
    // Only the entries lying wholly inside the ROM are read; they are the first ones of the table.
    long long const place = static_cast<long long>(rom.size()) - adresse;
    int entieres = nombre;
    if (static_cast<long long>(nombre) * taille > place) entieres = static_cast<int>(place / taille);

    std::vector<unsigned char> table(static_cast<std::size_t>(entieres) * static_cast<std::size_t>(taille));
    rom.seek(adresse, 0);
    int const lues = table.empty() ? 0 : rom.read(table.data(), taille, entieres);
    if (lues < nombre) signaler_hors_rom(lues + 1, nombre);

    std::vector<Pt_ext> pointeurs(static_cast<std::size_t>(lues));
    for (int i = 0; i < lues; ++i) {
        unsigned int const brute = valeur_brute(&table[static_cast<std::size_t>(i) * taille], taille, ordre);
        unsigned int valeur = 0;
        try {
            valeur = static_cast<unsigned int>(Calcul::calculer(formule, static_cast<int>(brute)));
        } catch (math_error const& e) {
            std::fputs(e.read_error(), stdout);
        }
        pointeurs[static_cast<std::size_t>(i)].affecter_valeur(valeur);
        pointeurs[static_cast<std::size_t>(i)].affecter_numero(i + 1);
    }
    Heapsort::trier(pointeurs.data(), lues);
    return pointeurs;
}

}  // namespace Extracteur
