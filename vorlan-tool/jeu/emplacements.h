#pragma once
#include <cstdint>
#include <vector>

#include "insertion/image-rom.h"
#include "jeu/description.h"

// Where the slots of a description's pointers lie, and how their bytes make a value.
namespace Jeu {

// The offset of byte `k` (counted in slot order, from 0) of the slot of pointer `i` (counted
// from 0 within its group).
long long octet_du_pointeur(Groupe const& groupe, int i, int k);
// P: the offset of the slot's first byte.
inline long long emplacement(Groupe const& groupe, int i) { return octet_du_pointeur(groupe, i, 0); }

// The shift that places byte `k` of a slot in the value: the low byte first when petit.
int decalage_de_l_octet(Groupe const& groupe, int k);

// The value in the slot of pointer `i`; the caller has checked that the slot lies in the ROM.
std::uint32_t lire_pointeur(std::vector<unsigned char> const& rom, Groupe const& groupe, int i);
// The low bytes of `valeur` into the slot of pointer `i`.
void ecrire_pointeur(Insereur::Image_rom& image, Groupe const& groupe, int i, std::uint32_t valeur);

// One pointer of the description, by its number.
struct Pointeur_jeu {
    int groupe = 0;  // index into the description's groups
    int rang = 0;    // i within the group, from 0
};
// Every pointer of the description in number order: entry n - 1 is pointer n.
std::vector<Pointeur_jeu> numeroter(Description const& jeu);

}  // namespace Jeu
