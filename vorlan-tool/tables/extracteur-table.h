#pragma once
#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "lib/rapport.h"
#include "tables/arbre-prefixes.h"
#include "tables/fichier-table.h"
#include "tables/nb_ext_ins.h"

namespace Extracteur {

// One switch of a switch entry, its table found: where decoding goes and for how long.
struct Bascule {
    std::size_t table = 0;  // the table's rank in its Tables_ext
    Fichier_table::Duree duree = Fichier_table::Duree::nombre;
    int nombre = 0;     // Duree::nombre: the matches to decode there
    Nb_ext_ins retour;  // Duree::jusqu_au_code: the code that ends the stay
};

// What a key stands for when extracting.
struct Texte_ext {
    std::string texte;
    bool fin = false;    // ends a string: pointer-driven extraction starts a new line after it
    int parametres = 0;  // bytes after the code that are parameters, always written raw
    std::vector<Bascule> bascules;  // a switch entry's, run in order after its text (the label)
};

// A character table read as bytes -> text, for extraction. The texts handed out stay owned
// by the table; the table cannot be copied, as its index points into its own entries.
class Table_ext {
public:
    Table_ext() = default;
    Table_ext(Table_ext const&) = delete;
    Table_ext& operator=(Table_ext const&) = delete;

    // Adds the entries of a table file's bytes (see tables/fichier-table.h for its syntax);
    // entries already held stay, and the first definition of a key wins. Returns the reports
    // of the lines skipped, empty and duplicate entries, in line order. A file of several
    // tables is read here as one, its switch entries as their labels: Tables_ext reads it apart.
    Rapports charger(std::string const& octets);

    // Adds one entry a table file defines (no table name), reporting it when its key is held
    // already; the entry added, or null.
    Texte_ext* ajouter(Fichier_table::Entree const& e, Rapports& rapports);

    // Exact lookup: what the key equal to the given bytes stands for, or null. No prefix matching.
    Texte_ext const* chercher(Nb_ext_ins const& cle) const;
    // The same without building a key.
    Texte_ext const* chercher(unsigned char const* octets, std::size_t longueur) const;
    // Longest match: the text of the longest key that begins the `disponible` bytes given, with
    // its length in `longueur`; null (and 0) when no key does. Gives the same answer as trying
    // chercher with `disponible` bytes, then one fewer, down to one byte.
    // Inline: extraction calls it once per decoded unit.
    Texte_ext const* plus_long(unsigned char const* octets, std::size_t disponible, std::size_t& longueur) const {
        return index_.plus_long(octets, disponible, longueur);
    }

    // Whether a key longer than the `disponible` bytes given begins with them: a reader that
    // has only these bytes yet cannot tell its longest match.
    bool prolongeable(unsigned char const* octets, std::size_t disponible) const {
        return index_.prolongeable(octets, disponible);
    }

    // Every entry in key order.
    std::map<Nb_ext_ins, Texte_ext> const& entrees() const { return entrees_; }

    // The keys whose text is exactly `texte`, in key order: a string end named by its text.
    std::vector<Nb_ext_ins> cles_du_texte(std::string const& texte) const;

    // The longest key length in bytes (0 when empty).
    unsigned int taille_max() const { return taille_max_; }

    // The listing of the table, one line per entry in key order: the key in hex, a tab, the
    // text between double quotes with line feeds shown as backslash and "n".
    std::string afficher() const;

private:
    std::map<Nb_ext_ins, Texte_ext> entrees_;
    Arbre_prefixes<Texte_ext> index_;
    unsigned int taille_max_ = 0;
};

}  // namespace Extracteur
