#pragma once

namespace Insereur {

class Image_rom;

// Makes pointer `numero` (counted from 1) designate ROM offset `position`: the insertion
// formula turns the offset into a pointer value, whose low `taille` bytes go into the slot
// adresse + (numero - 1) * taille of the image, least significant first when `ordre` is true.
// A number above the slot count, below 1, or whose slot does not lie wholly inside the ROM
// is refused with a message and writes nothing. math_error from the formula goes through.
void inserer_pointeur(Image_rom& rom, int position, int numero, int adresse, int nombre, int taille,
                      char const* formule, bool ordre);

}  // namespace Insereur
