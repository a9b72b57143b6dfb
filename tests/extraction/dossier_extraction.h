#pragma once
#include <string>

#include "support/scratch.h"

// A scratch folder holding "rom.bin" and "table.tbl", in which the extraction operations are
// run with their standard output captured.
class Dossier_extraction : public test_support::Scratch {
public:
    struct Resultat {
        int retour = -1;
        std::string messages;  // what the operation printed
        std::string script;    // the script file, or "(absent)" when it was not created
    };

    Dossier_extraction(std::string const& rom, std::string const& table);

    Resultat extraire(int debut, int fin, int adresse, int nombre, int taille, char const* formule,
                      bool ordre) const;
    Resultat ext_fixe(int adresse, int nombre, int taille) const;

    std::string const chemin_rom;
    std::string const chemin_table;
    std::string const chemin_script;
};
