#pragma once
#include <cstddef>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "insertion/arbre-plat.h"
#include "lib/rapport.h"
#include "tables/insereur-table.h"
#include "tables/nb_ext_ins.h"

namespace Insereur {

// A character table loaded for the shortest encoding, which needs both of its directions: the
// insertion table (its texts and the code each one gets, the same as every insertion's) and
// what extraction reads back from each key (the first definition of a key wins, as in
// Extracteur::Table_ext). A file of several tables is read as one.
class Table_courte {
public:
    // A text of the insertion table that can be read back as itself somewhere.
    struct Entree {
        Nb_ext_ins const* code = nullptr;  // owned by the insertion table
        std::uint32_t octets = 0;          // its code's size, at hand for the search
        std::size_t longueur = 0;          // of its text, in characters
        // Read back as itself where extraction starts a unit: its code is a key that stands
        // for this text (or for it with one final line feed more or less, for an end token or
        // a line break), or it is the raw form "<XX>" of its byte (read back as "<XX>", or as
        // the key of one byte it is).
        bool unite = false;
        // Its text is the raw form "<XX>" of its one byte: it can be a control code's parameter.
        bool brut = false;
        // The node of cles() that its bytes reach: its key's, or for a raw form the byte's
        // own (a key's first byte), Arbre_plat::aucun when the byte begins no key.
        std::uint32_t noeud = Arbre_plat::aucun;
        int parametres = 0;  // its key's parameter bytes
    };

    Table_courte() = default;
    Table_courte(Table_courte const&) = delete;
    Table_courte& operator=(Table_courte const&) = delete;

    // Adds the entries of a table file's bytes; returns the insertion table's reports.
    Rapports charger(std::string const& octets);

    Table_ins const& insertion() const { return insertion_; }
    std::vector<Entree> const& entrees() const { return entrees_; }
    // Text -> index in entrees().
    Arbre_plat const& textes() const { return textes_; }
    // Every key; a node with a value ends one.
    Arbre_plat const& cles() const { return cles_; }
    // The longest text of entrees(), in characters (at least 4, the raw forms').
    std::size_t texte_max() const { return texte_max_; }

private:
    struct Cle {
        std::string texte;
        bool fin_de_ligne_libre = false;  // an end token or a line break
        int parametres = 0;
    };

    void indexer();

    Table_ins insertion_;
    std::set<std::string> textes_lus_;  // every text a line gives, and its other form
    std::map<Nb_ext_ins, Cle> cles_lues_;
    std::vector<Entree> entrees_;
    Arbre_plat textes_;
    Arbre_plat cles_;
    std::size_t texte_max_ = 4;
};

}  // namespace Insereur
