#pragma once
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "decouverte/decouverte.h"
#include "decouverte/motif.h"
#include "decouverte/recherche-pointeurs.h"
#include "decouverte/recherche-relative.h"
#include "decouverte/recherche-textes.h"
#include "decouverte/table-deduite.h"
#include "jeu/description.h"

// The work of the commands that start a translation from the ROM alone, once their arguments
// are checked: each loads its inputs, calls the discovery unit, prints what it found and
// commits what it writes. Nothing is returned when the work was refused (its message printed).
namespace Operations {

// An end of string as chercher_textes takes it: a code's bytes, or the text of table entries.
using Fin_donnee = std::variant<std::vector<unsigned char>, std::string>;

std::optional<Decouverte::Resultat_relatif> chercher_relatif(std::string const& rom, Decouverte::Motif const& motif,
                                                           Decouverte::Recherche const& recherche);

// Writes the table a hit implies; false when it was refused or could not be written.
bool creer_table(std::string const& rom, Decouverte::Codes_connus const& codes, long long adresse, int largeur,
                 Ordre_octets ordre, std::string const& resultat, bool remplacer);

struct Demande_textes {
    std::string rom;
    std::string table;
    std::vector<Fin_donnee> fins;
    int minimum = 4;
    long long debut = 0;
    std::optional<long long> fin;
};
std::optional<Decouverte::Textes_trouves> chercher_textes(Demande_textes const& demande);

struct Demande_pointeurs {
    std::string rom;
    Decouverte::Demande_pointeurs recherche;
};
std::optional<std::vector<Decouverte::Groupe_trouve>> chercher_pointeurs(Demande_pointeurs const& demande);

struct Demande_decouverte {
    std::string rom;
    std::string texte;  // the phrase as the script gave it, for the messages
    Decouverte::Motif motif;
    Decouverte::Recherche recherche;
    std::vector<std::vector<unsigned char>> fins;
    std::string table;
    std::string description;
    int minimum = 8;  // distinct strings a pointer table designates, at least
    std::vector<long long> ecarts;
    bool remplacer = false;
};
// The Lua text of the description written; nothing when no description could be made.
std::optional<std::string> decouvrir(Demande_decouverte const& demande);

}  // namespace Operations
