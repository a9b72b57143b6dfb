#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "lib/rapport.h"
#include "reformat/auto_lb.h"
#include "reformat/auto_lb-table.h"

// The layout of a script as it is written, measured with the widths of a line-break table:
// what the player sees, box by box, without re-wrapping anything.
namespace Auto_LB {

// One line: the tokens from `premier` up to `dernier` (excluded), and its width, the sum of
// the widths of its characters and spaces.
struct Ligne_mesuree {
    std::size_t premier = 0;
    std::size_t dernier = 0;
    std::int64_t largeur = 0;

    bool vide() const { return premier == dernier; }
};

// One text box: the lines up to a box keyword (NEW, NEW_DEFAUT) or the end of the block.
struct Boite_mesuree {
    std::vector<Ligne_mesuree> lignes;
};

// One block: from a pointer tag to its FIN keyword (or the end of the script), with the
// numbers of the tags that open it.
struct Bloc_mesure {
    std::vector<int> pointeurs;
    std::vector<Boite_mesuree> boites;
    bool termine = false;  // its FIN was found
};

struct Mesure {
    std::vector<Mot> mots;
    std::vector<Bloc_mesure> blocs;
    Rapports rapports;  // the unknown characters

    // The line's text as it stands in the script.
    std::string texte(Ligne_mesuree const& ligne) const;
};

// Cuts a script into blocks, boxes and lines exactly where it breaks them: a line ends at a
// line break, a box at a box keyword, a block at FIN; text before the first tag belongs to no
// block. An empty last line of a box (a line break just before the keyword) is no line.
Mesure mesurer(Table_ALB& table, std::string const& texte);

}  // namespace Auto_LB
