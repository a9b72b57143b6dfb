#pragma once
#include "jeu/description.h"
#include "lib/rapport.h"

namespace Jeu {

// What makes the description unusable on a ROM of `taille_rom` bytes, before anything is
// read: a range that ends before it starts or leaves the ROM, two ranges of textes (or of
// espace) that overlap, a formula that cannot be read, a slot that leaves the ROM, shares a
// byte with another slot or lies in a range of textes or espace. Empty when it can be used;
// otherwise the first fault found, with the formula's own message after its own.
Rapports verifier(Description const& jeu, long long taille_rom);

}  // namespace Jeu
