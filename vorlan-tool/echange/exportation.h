#pragma once
#include <optional>
#include <string>

#include "echange/codage.h"
#include "echange/entrees-script.h"
#include "echange/formats.h"
#include "lib/rapport.h"
#include "reformat/auto_lb-table.h"

// exporter: a script's texts as an exchange file for the translators.
namespace Echange {

// The game's text box, for the notes: a line-break table's widths, the box's width and lines.
struct Boite {
    Auto_LB::Table_ALB* largeurs = nullptr;
    int largeur = 0;
    int lignes = 0;
};

struct Demande_export {
    Format format = Format::po;
    Encodage encodage = Encodage::latin1;
    Forme forme = Forme::balises;
    En_tete_po en_tete;
    std::optional<Boite> boite;
    // Names for the messages.
    std::string nom_script;
    std::string nom_traduction;
};

struct Exportation {
    std::optional<std::string> octets;  // nothing when refused
    int entrees = 0;
    Rapports rapports;
};

// One row per entry of the script, in script order, each with the translated script's text of
// the same identifier when one is given. Refused, with its report, when a script is not valid
// UTF-8 for encodage utf8, or the translation's identifiers are not the original's.
Exportation exporter(std::string const& script, std::string const* traduction, Demande_export const& demande);

// The notes of an entry: where it lies ("pointeurs 5, 6", "plage $10-$1F", "ligne 3") and, with
// a box, its size and the width of each line of the text, boxes separated by " | ".
std::string notes(Entree const& entree, Forme forme, std::optional<Boite> const& boite);

}  // namespace Echange
