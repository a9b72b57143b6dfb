#pragma once
#include <string>
#include <vector>

#include "insertion/encodage.h"
#include "jeu/description.h"
#include "lib/rapport.h"
#include "tables/extracteur-table.h"

// The codes of a description whose parameters hold a pointer to another text.
namespace Jeu {

// The code's bytes as the description writes them: "F5", "F501".
std::string code_hexa(std::vector<unsigned char> const& code);

// Whether a formula names P, so that it cannot be computed before its pointer is placed. A
// "P" inside a number counts too: such a pointer is only checked later than it could be.
bool nomme_p(std::string const& formule);

// The codes as the encoder looks for them, in the description's order.
std::vector<Insereur::Code_a_renvoi> codes_a_renvoi(Description const& jeu);

// What the table makes of each code, once it is loaded: a code it lacks, one it follows with
// no parameter, a pointer that runs past the parameters, a code given twice. Empty when they
// can be used; otherwise the first fault.
Rapports verifier_integres(Description const& jeu, Extracteur::Table_ext const& table);

}  // namespace Jeu
