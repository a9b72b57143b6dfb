#pragma once
#include <cstddef>

#include "extraction/ecriture-script.h"
#include "extraction/pile-tables.h"

namespace Extracteur {

// The two ways an extraction decodes its units, behind one shape: decoder() one unit,
// recommencer() where a string starts (at a pointer's tag, at a fixed word).

// One table: a string starts nowhere special.
struct Decodeur_table {
    Table_ext const& table;
    bool fins;
    std::size_t decoder(Ecriture_script& e, unsigned char const* octets, std::size_t disponible) {
        return e.decoder(table, octets, disponible, fins);
    }
    void recommencer() {}
};

// Tables that switch: a string starts in the start table.
struct Decodeur_pile {
    Pile_tables pile;
    bool fins;
    std::size_t decoder(Ecriture_script& e, unsigned char const* octets, std::size_t disponible) {
        return pile.decoder(e, octets, disponible, fins);
    }
    void recommencer() { pile.recommencer(); }
};

}  // namespace Extracteur
