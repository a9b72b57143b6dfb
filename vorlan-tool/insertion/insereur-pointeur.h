#pragma once
#include <optional>

#include "insertion/image-rom.h"
#include "lib/calcul.h"
#include "lib/rapport.h"
#include "lib/table_pointeurs.h"

namespace Insereur {

// Makes pointer `numero` (counted from 1) designate ROM offset `position`: the insertion
// formula turns the offset into a pointer value, whose low bytes go into the slot
// adresse + (numero - 1) * taille of the image, in the table's byte order.
// A number above the slot count, below 1, or whose slot does not lie wholly inside the ROM
// is refused with a report in `rapports` and writes nothing. When the formula cannot be
// computed, nothing is written and its message is returned.
std::optional<Message> inserer_pointeur(Image_rom& rom, int position, int numero, Table_pointeurs const& table,
                                        Calcul::Formule const& formule, Rapports& rapports);

}  // namespace Insereur
