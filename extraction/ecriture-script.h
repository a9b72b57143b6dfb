#pragma once
#include <cstddef>
#include <vector>

#include "lib/fichiers.h"
#include "tables/extracteur-table.h"

namespace Extracteur {

// The writing side of an extraction: decoded text and pointer tags go to the script file
// through one buffer, so that a ROM of megabytes costs a few hundred writes.
class Ecriture_script {
public:
    explicit Ecriture_script(Fichier& script);

    // "<PT%04d>\n"
    void ecrire_balise(int numero);
    // Decodes one unit at the start of the `disponible` bytes given (at least one): the text of
    // the longest known sequence (the look-ahead never exceeds the table's longest key), or
    // "<%02X>" for a byte that starts none. Returns the number of bytes used.
    std::size_t decoder(Table_ext const& table, unsigned char const* octets, std::size_t disponible);
    void ecrire(char const* texte, std::size_t longueur);

    // Writes what is left in the buffer. False, with a message, when the file did not take
    // everything that was written to it.
    bool terminer();

private:
    void vider();

    Fichier& script_;
    std::vector<char> tampon_;
    std::size_t rempli_ = 0;
    bool echec_ = false;
};

}  // namespace Extracteur
