#pragma once
#include <optional>
#include <string>
#include <vector>

#include "lib/calcul.h"
#include "lib/rapport.h"
#include "lib/table_pointeurs.h"
#include "tables/extracteur-bascules.h"
#include "tables/extracteur-table.h"

namespace Extracteur {

// What an extraction gives: the script's text and what it had to say, in order.
struct Extraction {
    std::string script;
    Rapports rapports;
};

// The first failed check of the text range debut..fin (inclusive) and the pointer table
// against a ROM of `taille_rom` bytes, or nothing when they can be used. The end byte must lie
// inside the ROM, as insertion requires, so both accept the same ranges.
std::optional<Rapport> verifier(int taille_rom, int debut, int fin, Table_pointeurs const& pointeurs);

// Decodes the ROM's bytes debut..fin (inclusive, checked by verifier) through the character
// table: "<PT%04d>\n" before the text each pointer designates, each known byte sequence's text
// by longest match, "<%02X>" for each byte that starts none. Pointers are read as
// charger_pointeurs does; a run without pointers passes 0 pointers of 2 bytes.
Extraction extraire(Table_ext const& table, std::vector<unsigned char> const& rom, int debut, int fin,
                    Table_pointeurs const& pointeurs, Calcul::Formule const& formule);
// The same through tables that switch (extraction/pile-tables.h): each string starts in the
// start table, a string being what follows a pointer's tag or a string end.
Extraction extraire(Tables_ext const& tables, std::vector<unsigned char> const& rom, int debut, int fin,
                    Table_pointeurs const& pointeurs, Calcul::Formule const& formule);

}  // namespace Extracteur
