#pragma once
#include <cstddef>
#include <vector>

#include "extraction/ecriture-script.h"
#include "tables/extracteur-bascules.h"

namespace Extracteur {

// Switches nest at most this deep: the start table and 15 tables switched to. A switch entry
// whose switches would go deeper is written as its label, its switches not taken, so that a
// table that switches to itself cannot grow the stack without end.
constexpr std::size_t profondeur_max = 16;

// Decoding through tables that switch. The state is the stack of active tables: the start
// table at the bottom, on top the table that decodes now, each switched-to table with what is
// left of its stay.
//
// One unit is decoded by the table on top:
//  - a table whose stay is over (N matches done) falls back to the one below before it reads;
//  - a table entered with "$XX" that meets the code XX falls back, the code consumed unwritten
//    (a unit that writes nothing);
//  - a value the table does not know makes it fall back, whatever N it had left, and the table
//    below tries it; the start table writes it "<XX>";
//  - otherwise its longest entry is written, and that is one match of the table's stay, a
//    control code with its parameters included; a string end puts the start table back alone
//    (every string starts there), a switch entry enters its tables, the first listed on top.
class Pile_tables {
public:
    struct Niveau {
        std::size_t table = 0;            // rank in the Tables_ext
        Bascule const* bascule = nullptr;  // the switch that entered it; null for the start table
        int restant = 0;                   // Duree::nombre: the matches left
    };

    explicit Pile_tables(Tables_ext const& tables) : tables_(tables) { recommencer(); }

    // The start table alone: a string starts.
    void recommencer() { niveaux_.assign(1, Niveau{}); }

    // Decodes one unit at the start of the `disponible` bytes given (at least one), writing it
    // as Ecriture_script::decoder does; returns the number of bytes used.
    std::size_t decoder(Ecriture_script& ecriture, unsigned char const* octets, std::size_t disponible, bool fins);

    // The stack, bottom first.
    std::vector<Niveau> const& niveaux() const { return niveaux_; }
    // Takes up a stack that niveaux() gave, of the same tables: an encoder tries what the
    // decoder would make of its bytes from a state it reached earlier.
    void reprendre(std::vector<Niveau> const& niveaux) { niveaux_ = niveaux; }

private:
    void entrer(std::vector<Bascule> const& bascules);

    Tables_ext const& tables_;
    std::vector<Niveau> niveaux_;
};

}  // namespace Extracteur
