#pragma once
#include <optional>
#include <string>
#include <vector>

#include "echange/lignes.h"
#include "echange/po.h"

// The exchange formats, told by the file name's ending.
namespace Echange {

enum class Format { po, pot, csv, tsv };

// ".po", ".pot", ".csv" or ".tsv", in any case; nothing for any other name.
std::optional<Format> format_du_nom(std::string const& nom);

// The file's bytes. A template (.pot) has every translation empty and no status.
std::string ecrire(Format format, std::vector<Ligne_echange> lignes, En_tete_po const& en_tete);
Lecture lire(Format format, std::string const& octets);

// The format's name in messages: "PO", "CSV", "TSV".
char const* nom_du_format(Format format);

}  // namespace Echange
