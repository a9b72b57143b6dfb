#pragma once
#include <optional>
#include <string>
#include <vector>

#include "host/enregistrement.h"
#include "host/sortie.h"
#include "lib/fichiers.h"
#include "remplacement/remplacement.h"
#include "tables/extracteur-bascules.h"

// Reading a command's inputs: the command layer opens files by name, the operations get their
// contents.

// The whole text file, line ends normalised as Fichiers::charger does; nothing when it cannot
// be opened.
std::optional<std::string> lire_texte(char const* nom);

// The whole file's bytes as they stand; nothing when it cannot be opened.
std::optional<std::string> lire_octets(char const* nom);

// Opens the ROM to read it; false, after printing why, when it cannot be opened.
bool ouvrir_rom(Fichier& rom, char const* nom);
// Opens a ROM that the command patches: locked first against the other commands that patch
// it, so that none loses the other's change, then its replacement prepared, then opened to be
// read. False, after printing why, when it cannot be read or written.
bool ouvrir_rom_a_modifier(Remplacement::Verrou& verrou, Sortie& sortie, Fichier& rom, char const* nom);
// Reads the open ROM whole; false, after printing why, when the file gives less.
bool lire_rom(Fichier& rom, std::vector<unsigned char>& octets);

// Prepares an extraction's script once the arguments have passed their checks, so that a
// refused extraction leaves an earlier script alone. A script that is the ROM or the table
// would destroy it: refused. False after printing why.
bool preparer_script(Sortie& sortie, char const* script, char const* rom, char const* table);
// The same for a command that reads several table files: the script is none of them.
bool preparer_script(Sortie& sortie, char const* script, char const* rom, std::vector<std::string> const& tables);

// Refuses, with its message, an output that is the same file as one of the command's inputs.
bool differents(char const* sortie, char const* entree);

// Loads a table file into the table and prints the load's reports. False, after printing
// `si_absent` with the file's name, when the file cannot be opened. The table gets the file's
// bytes as they are: it knows their encodings and line ends.
template <typename Table>
bool charger_table(Table& table, char const* nom, Message si_absent) {
    std::optional<std::string> const contenu = lire_octets(nom);
    if (!contenu) {
        afficher(Rapport(si_absent, {nom}));
        return false;
    }
    afficher(table.charger(*contenu));
    return true;
}

// Loads the tables of the files named, in order, into `tables` (tables/extracteur-bascules.h)
// and prints the load's reports. False, after printing `si_absent` with the first name that
// cannot be opened (before any table is read), or when the load refuses the tables.
bool charger_tables(Extracteur::Tables_ext& tables, std::vector<std::string> const& noms, Message si_absent);
