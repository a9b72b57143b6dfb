#pragma once
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "lib/rapport.h"
#include "tables/extracteur-table.h"

namespace Extracteur {

// The tables a command's table argument gives for extraction: one file or several, each
// holding one table or several opened by "@name" lines, their switch entries' targets
// found. Table 0 is the start table, where every string starts: the unnamed entries before
// the first file's first "@name" line, or that line's table when no entry comes before it.
// Unnamed entries of a later file add to the start table. Names are unique across the files.
// The tables cannot be copied: switch entries and indexes point into them.
class Tables_ext {
public:
    // A table file as the command names it, with its bytes.
    struct Fichier {
        std::string nom;
        std::string octets;
    };

    // What loading said, in order; not accepted when a line could not be read, a name was
    // given twice or a switch goes to a table that does not exist. A refused set is to be
    // left unused: its switches are not all resolved.
    struct Chargement {
        Rapports rapports;
        bool accepte = true;
    };

    Tables_ext() = default;
    Tables_ext(Tables_ext const&) = delete;
    Tables_ext& operator=(Tables_ext const&) = delete;

    // Loads the files in order (a one-table file reads as Table_ext::charger reads it). After
    // it there is always a start table, empty when the files define nothing.
    Chargement charger(std::vector<Fichier> const& fichiers);

    std::size_t nombre() const { return tables_.size(); }
    // The table of rank `rang`, below nombre().
    Table_ext const& table(std::size_t rang) const { return *tables_[rang].table; }
    // Its name, empty for an unnamed start table.
    std::string const& nom(std::size_t rang) const { return tables_[rang].nom; }
    // Whether decoding ever leaves the start table: there are other tables, or a switch entry.
    bool bascule() const;

private:
    struct Nommee {
        std::unique_ptr<Table_ext> table;
        std::string nom;
        std::string fichier;  // where its "@name" line is
        int ligne = 0;
    };

    std::size_t ouvrir(std::string nom, std::string const& fichier, int ligne);

    std::vector<Nommee> tables_;
};

}  // namespace Extracteur
