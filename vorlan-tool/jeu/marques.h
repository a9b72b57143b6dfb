#pragma once
#include <optional>
#include <string>
#include <vector>

#include "jeu/description.h"

// The marker that opens each range of textes in a game's script, "<PLAGE $10000-$17FFF>" on
// its own line: insertion puts the text that follows it, up to the first pointer tag, back at
// the start of that range, since no pointer designates it.
namespace Jeu {

std::string marque(Plage const& plage);

// The length of the marker "<PLAGE $hex-$hex>\n" at `p` of `s`, its range in `plage`; 0 when
// there is none.
std::size_t lire_marque(std::string const& s, std::size_t p, Plage& plage);

// A script cut at its markers: what comes before the first one (no range), then each marker's
// range and what follows it up to the next marker.
struct Morceau {
    std::optional<Plage> plage;
    std::string texte;
};
std::vector<Morceau> decouper(std::string const& script);

}  // namespace Jeu
