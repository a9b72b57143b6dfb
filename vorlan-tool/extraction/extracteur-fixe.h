#pragma once
#include <optional>
#include <vector>

#include "extraction/extracteur.h"
#include "lib/rapport.h"
#include "tables/extracteur-table.h"

namespace Extracteur {

// The first failed check of a fixed-length extraction's arguments against a ROM of
// `taille_rom` bytes, or nothing when they can be used.
std::optional<Rapport> verifier_fixe(int taille_rom, int adresse, int nombre, int taille);

// Decodes `nombre` words of `taille` units each, starting at ROM offset `adresse` (checked by
// verifier_fixe), one word per line of the script. A unit is one known byte sequence (longest
// match) or one unknown byte written "<%02X>". The block read is nombre x taille bytes, cut at
// the end of the ROM; units left without bytes (block past the ROM's end, or used up by
// multi-byte entries) write nothing.
Extraction ext_fixe(Table_ext const& table, std::vector<unsigned char> const& rom, int adresse, int nombre,
                    int taille);
// The same through tables that switch (extraction/pile-tables.h): each word starts in the
// start table; a unit is one decoding step of the stack, a code that ends a "$XX" stay included.
Extraction ext_fixe(Tables_ext const& tables, std::vector<unsigned char> const& rom, int adresse, int nombre,
                    int taille);

}  // namespace Extracteur
