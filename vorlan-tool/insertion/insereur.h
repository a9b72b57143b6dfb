#pragma once
#include <optional>
#include <string>

#include "insertion/encodage.h"
#include "insertion/image-rom.h"
#include "lib/calcul.h"
#include "lib/rapport.h"
#include "lib/table_pointeurs.h"
#include "tables/insereur-table.h"

namespace Insereur {

// What an insertion gives.
struct Insertion {
    Rapports rapports;            // in order, up to the pointer where the formula stopped it
    std::optional<Rapport> arret; // the formula's message, when it could not be computed
    int fin_ecrite = 0;           // the offset just after the last text byte written
};

// The first failed check of the range debut..fin (inclusive) and the pointer table against a
// ROM of `taille_rom` bytes, or nothing when they can be used. A formula whose parentheses do
// not balance is refused when there are pointers to rewrite: it would set them all to 0.
std::optional<Rapport> verifier(int taille_rom, int debut, int fin, Table_pointeurs const& pointeurs,
                                Calcul::Formule const& formule);

// Writes a script (pointer tags "<PT%d>\n" and text) into the image's range debut..fin
// (checked by verifier) in three steps: encode (encodage.h), place the texts one after another
// (placement.h), then inscribe the pointer slots, the text bytes and the zero filling
// (inscription.h). Ends with how many bytes remain ("%d octets restants\n") or are missing.
// When the formula stops it, the image must not be written.
Insertion inserer(Table_ins const& table, std::string const& script, Image_rom& image, int debut, int fin,
                  Table_pointeurs const& pointeurs, Calcul::Formule const& formule);
// The same from a script already encoded (by encoder_bascules, for tables that switch).
Insertion inserer(Encodage const& encodage, Image_rom& image, int debut, int fin, Table_pointeurs const& pointeurs,
                  Calcul::Formule const& formule);

}  // namespace Insereur
