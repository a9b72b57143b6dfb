#pragma once
#include <map>
#include <string_view>

#include "lib/string.h"

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
String info_to_char(Infos_entree infos);

class Table_ALB {
public:
    Table_ALB();

    // Throws fopen_error when the file cannot be opened. Returns false, after saying why,
    // when the space, the LINEBREAK or the NEW_DEFAUT entry is missing.
    bool charger(char const* nom);
    Infos_entree analyser_entree(char const* valeur) const;
    // The entry for exactly this text; for a pointer tag line ("<PT" digits ">" LF) a record
    // that the next pointer-tag lookup overwrites; null when the text is no entry.
    Infos_entree const* chercher(std::string_view texte);

    // The LINEBREAK and NEW_DEFAUT texts; empty until a load has found them.
    String const& lire_linebreak() const { return linebreak_; }
    String const& lire_def_new() const { return def_new_; }
    int lire_taille_espace() const { return taille_espace_; }
    int lire_taille_max() const { return taille_max_; }

    void afficher() const;

private:
    // Byte order of the texts (string_view compares unsigned bytes), as String orders them;
    // it also takes a byte range cut out of a script, so that a lookup builds no String.
    struct Ordre_octets {
        using is_transparent = void;
        static std::string_view vue(std::string_view texte) { return texte; }
        static std::string_view vue(String const& texte) {
            return texte.data() == nullptr ? std::string_view() : std::string_view(texte.data(), texte.length());
        }
        template <class A, class B>
        bool operator()(A const& a, B const& b) const {
            return vue(a) < vue(b);
        }
    };

    std::map<String, Infos_entree, Ordre_octets> entrees_;
    int taille_max_;
    int taille_espace_;
    String linebreak_;
    String def_new_;
    Infos_entree pointeur_;
};

}  // namespace Auto_LB
