#pragma once
#include <string>
#include <vector>

#include "echange/lignes.h"

// The columns that CSV and TSV files share, for spreadsheets: "id,original,traduction,statut,
// notes", the status in words.
namespace Echange {

using Cellules = std::vector<std::string>;

// The header row's cells.
Cellules const& colonnes_tableur();

// The row's cells, its status "à traduire" (no translation), "traduit", or "à revoir" (fuzzy).
Cellules cellules(Ligne_echange const& ligne);

// A row read back: "à revoir" is fuzzy; any other status is judged by the translation cell.
Ligne_echange depuis_cellules(Cellules cellules);

// The records read as cells, in file order, with the line (from 1) each starts on: the header
// checked, then every row of exactly the header's count of cells, into lecture.
void lire_tableur(std::vector<Cellules> enregistrements, std::vector<int> const& lignes, Lecture& lecture);

// A byte-order mark, which spreadsheets need to read UTF-8 as UTF-8.
extern char const marque_utf8[];

}  // namespace Echange
