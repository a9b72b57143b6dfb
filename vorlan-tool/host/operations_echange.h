#pragma once
#include <optional>
#include <string>

#include "echange/exportation.h"
#include "echange/importation.h"

// The work of exporter and importer once their arguments are checked: loading the files,
// calling the exchange unit, printing its reports, committing the file written.
namespace Operations {

struct Demande_exporter {
    std::string script;
    std::optional<std::string> traduction;
    std::string sortie;
    std::optional<std::string> largeurs;  // with largeur and lignes in `echange.boite`
    Echange::Demande_export echange;
};
void exporter(Demande_exporter& demande);

struct Demande_importer {
    std::string fichier;
    std::string script;
    std::string sortie;
    std::optional<std::string> table;
    std::optional<std::string> glossaire;
    Echange::Demande_import echange;
};
// The counts; nothing when the import was refused whole (its message printed).
std::optional<Echange::Comptes> importer(Demande_importer& demande);

}  // namespace Operations
