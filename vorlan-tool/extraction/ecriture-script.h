#pragma once
#include <cstddef>
#include <string>

#include "tables/extracteur-table.h"

namespace Extracteur {

// The writing side of an extraction: decoded text and pointer tags appended to the script's text.
class Ecriture_script {
public:
    explicit Ecriture_script(std::string& script) : script_(script) {}

    // "<PT%04d>\n"
    void ecrire_balise(int numero);
    // Decodes one unit at the start of the `disponible` bytes given (at least one): the text of
    // the longest known sequence (the look-ahead never exceeds the table's longest key), or
    // "<%02X>" for a byte that starts none. A control code's parameters follow it raw, as far
    // as the bytes go; with `fins`, an end token's text is followed by a line feed unless it
    // ends with one. Returns the number of bytes used.
    std::size_t decoder(Table_ext const& table, unsigned char const* octets, std::size_t disponible, bool fins);
    // Writes an entry found at the start of the `disponible` bytes given, its key `longueur`
    // bytes long, as decoder does; returns the number of bytes used, its parameters included.
    std::size_t ecrire_entree(Texte_ext const& entree, std::size_t longueur, unsigned char const* octets,
                              std::size_t disponible, bool fins);
    void ecrire(char const* texte, std::size_t longueur) { script_.append(texte, longueur); }
    // "<%02X>"
    void ecrire_brut(unsigned char octet);

private:
    std::string& script_;
};

}  // namespace Extracteur
