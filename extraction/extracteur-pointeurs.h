#pragma once
#include <vector>

#include "lib/fichiers.h"

namespace Extracteur {

// One pointer of a ROM's pointer table: the ROM offset it designates (the raw value after the
// extraction formula) and its 1-based rank in the table. Pointers compare by value only.
class Pt_ext {
public:
    Pt_ext() = default;

    void affecter_valeur(unsigned int valeur) { valeur_ = valeur; }
    void affecter_numero(int numero) { numero_ = numero; }
    unsigned int lire_valeur() const { return valeur_; }
    int lire_numero() const { return numero_; }

    bool operator==(Pt_ext const& autre) const { return valeur_ == autre.valeur_; }
    bool operator<(Pt_ext const& autre) const { return valeur_ < autre.valeur_; }

private:
    unsigned int valeur_ = 0;
    int numero_ = 0;
};

// Reads `nombre` pointers of `taille` bytes (2..4) from offset `adresse` of the ROM, one after
// another, in little-endian (`ordre` true) or big-endian order; converts each raw value with
// the formula (variable X) and numbers it by its rank from 1; returns them sorted by value with
// Heapsort::trier. A formula's math_error prints its message and gives that pointer the value 0.
// The caller has checked 0 <= adresse <= size, nombre >= 0 and the size.
// Entries that do not lie wholly inside the ROM are never read: they are left out of the list
// (so they get no tag) and one line starting "Attention, " says which.
std::vector<Pt_ext> charger_pointeurs(Fichier& rom, int adresse, int nombre, char const* formule, int taille,
                                      bool ordre);

}  // namespace Extracteur
