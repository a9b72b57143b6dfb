#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tables/fichier-table.h"

// The lines of a table file that name tables and switch between them:
//
//   @kanji                          the tables below are the table "kanji"
//   !F8=,<@kanji>:1                 F8 writes nothing and decodes one match in "kanji"
//   !F9=<NOM>,<@noms>:$FF           F9 writes "<NOM>", then "noms" decodes up to the code FF
//   !FA=<X>,<@a>:1,<@b>:2           one match in "a", then two in "b"
//
// N is a count of at least 1, 0 (as long as the table matches), -1 (no match at all) or $XX.
namespace Fichier_table {

// A table's name: letters, digits, "_" and "-", at least one.
bool nom_de_table(std::string_view nom);

// A switch entry's parts, its key and label as written.
struct Ligne_bascule {
    std::string hexa;
    std::string etiquette;
    std::vector<Bascule_lue> bascules;
};

// The parts of a line "!HEX=label,<@name>:N[,<@name>:N...]", the label being what stands
// between "=" and the first ",<@"; nothing when the line is not of that form.
std::optional<Ligne_bascule> lire_bascule(std::string_view ligne);

// A line that is no switch entry but has a form other programs give a meaning this one does
// not read: a counting weight after the key ("03<2>=..."), a bit-level key ("%0101=...").
// (A line "!..." that lire_bascule does not read is refused as well.)
bool forme_non_prise_en_charge(std::string_view ligne);

}  // namespace Fichier_table
