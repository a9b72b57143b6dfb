#pragma once
#include <optional>
#include <string>
#include <vector>

#include "echange/codage.h"
#include "echange/entrees-script.h"
#include "echange/formats.h"
#include "echange/glossaire.h"
#include "lib/rapport.h"
#include "tables/insereur-table.h"

// importer: an exchange file's translations put into the script, with the checks translators
// need.
namespace Echange {

struct Demande_import {
    Format format = Format::po;
    Encodage encodage = Encodage::latin1;
    Forme forme = Forme::balises;
    Insereur::Table_ins const* table = nullptr;  // checks that each translation can be encoded
    std::vector<Terme> glossaire;      // in UTF-8, as read
    bool forcer = false;               // applies an entry whose original changed
    bool appliquer_flous = true;
    std::string nom_fichier;           // for the messages
};

// Every entry counts in one of the first four; avertissements counts the warnings on the
// entries applied.
struct Comptes {
    int traduits = 0;
    int flous = 0;
    int non_traduits = 0;
    int refuses = 0;
    int avertissements = 0;

    // The share of the texts applied and not fuzzy, "87,5" (per cent, one decimal).
    std::string pourcentage() const;
};

struct Importation {
    std::optional<std::string> script;  // the translated script; nothing when the file is refused
    Comptes comptes;
    Rapports rapports;  // each check with its identifier, in file order, then the texts no entry covers
};

// The report of a file refused whole (lecture.defaut set): its name, its format's name for a line
// that is not of it, the header it must start with.
Rapport refus_de_lecture(Lecture const& lecture, std::string const& nom, char const* format, std::string const& en_tete);

// The original script with each entry's translation in place of its text. The file is refused
// whole when it is not UTF-8 or not of its format; each entry is refused alone when its
// identifier is not the script's (or given twice), its original is no longer the script's text
// (unless forcer), it holds a character the encoding or the table cannot write, or it would cut
// the script (a tag or a marker at a line start, a line break in a fixed-length word).
Importation importer(std::string const& fichier, std::string const& script, Demande_import const& demande);

}  // namespace Echange
