#pragma once
#include <cstddef>

#include "lib/rapport.h"

namespace Insereur {

// The report of a script character that no table entry begins with, showing the window of
// `longueur` characters it starts (line feeds shown as backslash and "n").
Rapport caractere_inconnu(char const* fenetre, std::size_t longueur);

}  // namespace Insereur
