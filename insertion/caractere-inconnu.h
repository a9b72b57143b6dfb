#pragma once
#include <cstddef>

namespace Insereur {

// Reports a script character that no table entry begins with, showing the window of
// `longueur` characters it starts (line feeds shown as backslash and "n").
void signaler_caractere_inconnu(char const* fenetre, std::size_t longueur);

}  // namespace Insereur
