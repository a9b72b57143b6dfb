#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "jeu/description.h"
#include "lib/calcul.h"

namespace Jeu {

// A group's two formulas, read once: between the value in a slot and the ROM offset it
// designates, P being the offset of the slot.
class Conversion {
public:
    explicit Conversion(Groupe const& groupe);
    explicit Conversion(Integre const& integre);

    // The ROM offset a slot's value designates; nothing when the formula cannot be computed.
    std::optional<long long> position(std::uint32_t valeur, long long p) const;
    // The value that makes a slot at `p` designate `position`: it must fit the slot and lead
    // back to `position` through the extraction formula. Nothing when no such value is found,
    // the position being then out of the pointer's reach.
    std::optional<std::uint32_t> valeur(long long position, long long p) const;

private:
    Conversion(std::string const& ext, std::string const& ins, int taille, long long decalage_ins);

    Calcul::Formule ext_;
    Calcul::Formule ins_;
    int taille_;
    long long decalage_ins_;
};

}  // namespace Jeu
