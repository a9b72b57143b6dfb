#pragma once
#include <cstddef>
#include <string>

#include "lib/vorlan_tool_divers.h"

namespace Insereur {

// A pointer tag ("<PT" digits ">" LF) where the encoders cut the script.
struct Balise {
    std::size_t position;     // the script's size when there is none
    std::size_t longueur = 0;
    int numero = 0;
};

// The first tag from `debut` that the encoders read as a tag: one that no table text there,
// `plus_long(position)` characters long at most, is longer than.
template <typename Plus_long>
Balise prochaine_balise(std::string const& script, std::size_t debut, Plus_long&& plus_long) {
    std::size_t const longueur = script.size();
    for (std::size_t p = debut; p < longueur; ++p) {
        if (script[p] != '<') continue;
        Balise balise{p};
        balise.longueur = Vorlan_tool::longueur_balise(script.data() + p, longueur - p, balise.numero);
        if (balise.longueur != 0 && balise.longueur >= plus_long(p)) return balise;
    }
    return Balise{longueur};
}

}  // namespace Insereur
