#include "insertion/placement.h"

namespace Insereur {

Placement placer_a_la_suite(Encodage const& encodage, int debut, int fin) {
    Placement placement;
    placement.places.reserve(encodage.textes.size());
    long long position = debut;
    long long total = 0;
    for (Texte_encode const& texte : encodage.textes) {
        total += static_cast<long long>(texte.octets.size());
        std::size_t ecrits = 0;
        if (!placement.debordement) {
            std::size_t const place = static_cast<std::size_t>(fin - position + 1);
            ecrits = texte.coupure(place);
            placement.debordement = ecrits < texte.octets.size();
        }
        placement.places.push_back({static_cast<int>(position), ecrits});
        position += static_cast<long long>(ecrits);
    }
    placement.fin_ecrite = static_cast<int>(position);
    // The first entry that did not fit and everything after it, less the room it found: the
    // whole script's size less the range's.
    if (placement.debordement) placement.manquants = total - (static_cast<long long>(fin) - debut + 1);
    return placement;
}

}  // namespace Insereur
