#pragma once
#include <cstddef>
#include <map>
#include <string>
#include <string_view>

#include "lib/rapport.h"
#include "tables/arbre-prefixes.h"
#include "tables/nb_ext_ins.h"

namespace Insereur {

// A character table read as text -> bytes, for insertion. A new table already holds the 256
// texts "<00>" .. "<FF>" (upper-case digits only), each standing for its one byte, so that a
// script carries raw bytes in the form extraction writes them. The byte sequences handed out
// stay owned by the table; the table cannot be copied, as its index points into its own entries.
class Table_ins {
public:
    Table_ins();
    Table_ins(Table_ins const&) = delete;
    Table_ins& operator=(Table_ins const&) = delete;

    // Adds the entries of a table file's bytes (see tables/fichier-table.h for its syntax),
    // keyed by their text after "\n" conversion; the first code met for a text wins (built-in
    // "<XX>" texts included). An end token's or a line break's text is known both with and
    // without its final line feed. Returns the reports of the lines skipped, empty and
    // duplicate entries, in line order; entries already held stay. A file of several tables
    // is read as one table; a switch entry's label is known as its code.
    Rapports charger(std::string const& octets);

    // Exact lookup of one whole text: its byte sequence, or null when the text is absent.
    // No allocation, so an encoder can try candidates of decreasing length over its window.
    Nb_ext_ins const* chercher(std::string_view texte) const;
    // Longest match in one walk: the sequence of the longest text that begins the `disponible`
    // characters given, with that text's length in `longueur`; null (and 0) when none does.
    // Same answer as calling chercher with `disponible` characters, then one fewer, down to one.
    Nb_ext_ins const* plus_long(char const* texte, std::size_t disponible, std::size_t& longueur) const;

    // The length in characters of the longest text (at least 4, the built-in texts' length).
    int taille_max() const { return taille_max_; }

    // The listing of the table: "Taille max : %d\n", then one line per entry in text order:
    // the bytes in hex, a tab, the text between double quotes with line feeds shown as
    // backslash and "n".
    std::string afficher() const;

private:
    void ajouter(std::string const& texte, Nb_ext_ins const& code);
    // The text's second form, known silently when no entry has it yet.
    void ajouter_variante(std::string const& texte, Nb_ext_ins const& code);

    std::map<std::string, Nb_ext_ins> entrees_;
    Arbre_prefixes<Nb_ext_ins> index_;
    int taille_max_ = 4;
};

}  // namespace Insereur
