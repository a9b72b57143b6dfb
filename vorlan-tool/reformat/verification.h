#pragma once
#include <string>

#include "lib/rapport.h"
#include "reformat/auto_lb-table.h"

namespace Auto_LB {

// What the check of a script's layout found.
struct Verification {
    int problemes = 0;  // wide lines and over-full boxes
    Rapports rapports;  // the unknown characters, then each block's problems in script order
};

// Checks the script as it is written, without re-wrapping it, against boxes of
// `lignes_par_boite` lines of at most `largeur_max`: each line wider than that, and each box
// holding more lines than that, is one problem, reported with its pointer, box and line
// numbers (counted from 1 within the block and within the box).
Verification verifier(Table_ALB& table, std::string const& texte, int largeur_max, int lignes_par_boite);

}  // namespace Auto_LB
