#pragma once
#include <optional>

#include "insertion/encodage.h"
#include "insertion/image-rom.h"
#include "insertion/placement.h"
#include "lib/calcul.h"
#include "lib/rapport.h"
#include "lib/table_pointeurs.h"

namespace Insereur {

// What the last step of an insertion had to say.
struct Inscription {
    // Every report of the insertion in script order: each text's refused pointers, then its
    // unknown characters.
    Rapports rapports;
    // The formula's message when it could not be computed for a pointer: the insertion stops
    // at that pointer, and `rapports` holds what came before it in the script.
    std::optional<Rapport> arret;
};

// The last step of an insertion: into the image, in script order, each text's pointer slots
// (inserer_pointeur, with the position its placement gives) and then its bytes; finally zero
// bytes from the end of what was written up to `fin`. The caller writes the image to the file
// when nothing stopped it.
Inscription inscrire(Encodage const& encodage, Placement const& placement, int fin, Table_pointeurs const& table,
                     Calcul::Formule const& formule, Image_rom& image);

}  // namespace Insereur
