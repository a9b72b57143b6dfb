#pragma once
#include <array>
#include <map>
#include <string>
#include <string_view>

#include "lib/rapport.h"

// The reformatter's table: for every text that can stand in a script, its width on the
// game's screen or the structural part it plays (space, line break, new box, end of text).
// Same line syntax as the character tables, with the text on the left of "=" and a width
// or a keyword on the right.
namespace Auto_LB {

// Kinds of entries; the codes are part of what the table prints.
enum Type_entree {
    ERREUR = 0,      // never stored
    CENTRER = 1,     // the predefined "<Centrer>"
    CARACTERE = 2,   // an ordinary character or sequence; value = its width
    ESPACE = 3,      // the one-blank entry; value = its width
    POINTEUR = 4,    // a pointer tag; value = its number; made on lookup, never stored
    LINEBREAK = 5,
    NEW = 6,
    FIN = 7,
    NEW_DEFAUT = 8,
};

struct Infos_entree {
    int type;
    int valeur;
};

// The kind's name, or the width itself for an ordinary character.
std::string info_to_char(Infos_entree infos);

class Table_ALB {
public:
    Table_ALB();

    // Adds the entries of a table file's bytes (a byte-order mark and blank lines skipped);
    // returns its reports in line order, then,
    // when the space, the NEW_DEFAUT or the LINEBREAK entry is missing, the first of them that
    // is, and the table is then not utilisable.
    Rapports charger(std::string const& contenu);
    // True once a load has found the space, a NEW_DEFAUT and a LINEBREAK entry.
    bool utilisable() const { return utilisable_; }
    Infos_entree analyser_entree(char const* valeur) const;
    // The entry for exactly this text; for a pointer tag line ("<PT" digits ">" LF) a record
    // that the next pointer-tag lookup overwrites; null when the text is no entry.
    Infos_entree const* chercher(std::string_view texte);

    // The LINEBREAK and NEW_DEFAUT texts; empty until a load has found them.
    std::string const& lire_linebreak() const { return linebreak_; }
    std::string const& lire_def_new() const { return def_new_; }
    int lire_taille_espace() const { return taille_espace_; }
    int lire_taille_max() const { return taille_max_; }

    // The listing of the table: its longest text, space width, LINEBREAK and NEW_DEFAUT texts,
    // then one line per entry in byte order of the texts.
    std::string afficher() const;

private:
    // Adds an entry unless its text is already one, as the first of two entries wins.
    void ajouter(std::string const& cle, Infos_entree infos);

    // Byte order of the texts; transparent, so that a lookup takes a byte range cut out of a
    // script without building a string.
    std::map<std::string, Infos_entree, std::less<>> entrees_;
    // By first byte, the length of the longest entry's text that starts with it.
    std::array<std::size_t, 256> plus_longues_{};
    int taille_max_;
    int taille_espace_;
    std::string linebreak_;
    std::string def_new_;
    Infos_entree pointeur_;
    bool utilisable_ = false;
};

}  // namespace Auto_LB
