#pragma once
#include <string>

#include "lib/table_pointeurs.h"

// The extraction operations run as the command layer runs them once it has loaded the files:
// the character table from its content, the ROM from its bytes, the script kept as text.
namespace essai {

struct Resultat {
    bool accepte = false;   // the arguments passed the operation's checks, so it ran
    std::string messages;   // what the run prints: the table's load, then the refusal or the extraction's reports
    std::string script;     // the script's text; empty when refused
};

// A pointer table in the form the script commands give it.
Table_pointeurs pointeurs(int adresse, int nombre, int taille, bool petit_boutiste);

Resultat extraire(std::string const& rom, std::string const& table, int debut, int fin, Table_pointeurs const& pointeurs,
                  char const* formule);
Resultat ext_fixe(std::string const& rom, std::string const& table, int adresse, int nombre, int taille);

}  // namespace essai
