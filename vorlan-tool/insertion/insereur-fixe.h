#pragma once
#include <optional>
#include <string>

#include "insertion/image-rom.h"
#include "lib/rapport.h"
#include "tables/extracteur-bascules.h"
#include "tables/insereur-table.h"

namespace Insereur {

// The failed check of a fixed-length insertion's first word offset against a ROM of
// `taille_rom` bytes, or nothing. The counts are not checked.
std::optional<Rapport> verifier_fixe(int taille_rom, int adresse);

// Writes a fixed-length script (one word per line) into the image over `nombre` words of
// `taille` units from ROM offset `adresse` (checked by verifier_fixe), in the three steps of
// an insertion for each word: encode the line (a unit is one table entry matched by longest
// match, or one unknown character, which writes nothing; short lines are reported and padded
// with the "_" entry, or a reported zero byte when the table has none; long lines are
// reported and cut), place it right after the previous one (a word that would run past the
// end of the ROM is reported and neither it nor any later word is written), and inscribe all
// the words into the image at once. Returns the reports in order.
Rapports ins_fixe(Table_ins const& table, std::string const& script, Image_rom& image, int adresse, int nombre,
                  int taille);
// The same through tables that switch: each line encoded by encoder_bascules, a word's units
// those extraire_fixe reads (what one step of the decoder reads), padded with "_" written
// where the word ends (or zero bytes, reported, when the tables cannot write that many
// there), a word of too many units cut after the last that fits.
Rapports ins_fixe(Extracteur::Tables_ext const& tables, std::string const& script, Image_rom& image, int adresse,
                  int nombre, int taille);

}  // namespace Insereur
