#pragma once
#include <vector>

#include "lib/calcul.h"
#include "lib/rapport.h"
#include "lib/table_pointeurs.h"

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

// Reads the pointers of the table (slot sizes 2..4) from the ROM's bytes, converts each raw
// value with the extraction formula, numbers it by its rank from 1 and returns them sorted by
// value with Heapsort::trier. A formula that cannot be computed for a pointer adds the
// formula's message to `rapports` and gives that pointer the value 0; loading goes on.
// The caller has checked 0 <= adresse <= size, nombre >= 0 and the size.
// Entries that do not lie wholly inside the ROM are never read: they are left out of the list
// (so they get no tag) and one report starting "Attention, " says which.
std::vector<Pt_ext> charger_pointeurs(std::vector<unsigned char> const& rom, Table_pointeurs const& table,
                                      Calcul::Formule const& formule, Rapports& rapports);

}  // namespace Extracteur
