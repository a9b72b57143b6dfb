#pragma once
#include <string>
#include <vector>

#include "host/enregistrement.h"
#include "host/operations.h"
#include "insertion/image-rom.h"
#include "lib/fichiers.h"
#include "remplacement/remplacement.h"
#include "tables/extracteur-bascules.h"
#include "tables/insereur-table.h"

namespace Operations {

// What the insertions hold from their start to their commit: the ROM locked against other
// commands that patch it, its replacement, and the file read.
struct Rom_a_modifier {
    Remplacement::Verrou verrou;
    Sortie sortie;
    Fichier fichier;
};

// The common start of the insertions: the table, then the ROM, then the script, in that
// order; a ROM that is the table or the script would lose it: refused. A simulated insertion
// only reads the ROM, which it takes as if it were writable. False after printing why.
bool ouvrir_insertion(Insereur::Table_ins& tbl, char const* table, Rom_a_modifier& f_rom, char const* rom,
                      std::string& texte, char const* script, Ecriture ecriture = Ecriture::reelle);

// The tables of an insertion that takes one table file or a list of them: one file of one
// table without switches is read as insertion has always read it (its bytes encoded by
// longest match); several files, or tables that switch, are read together for the encoder
// of tables that switch.
struct Tables_insertion {
    Insereur::Table_ins simple;
    Extracteur::Tables_ext bascules;
    bool avec_bascules = false;
};

// The same start with such tables: none of them may be the ROM.
bool ouvrir_insertion(Tables_insertion& tables, std::vector<std::string> const& noms, Rom_a_modifier& f_rom,
                      char const* rom, std::string& texte, char const* script, Ecriture ecriture = Ecriture::reelle);

// Replaces the ROM by the image, through its prepared replacement.
bool enregistrer(Rom_a_modifier& f_rom, Insereur::Image_rom const& image);

}  // namespace Operations
