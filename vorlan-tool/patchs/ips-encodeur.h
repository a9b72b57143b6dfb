#pragma once
#include <cstddef>
#include <vector>

// Writing an IPS patch that turns one ROM into another.
namespace IPS {

enum class Statut_creation {
    ok,
    modifie_trop_grand,     // the modified file is over taille_maximale (16 MiB): offsets cannot reach it
    troncature_impossible,  // the modified file is exactly 16 MiB and the original longer: its
                            // length does not fit the three bytes of a truncation size
};

struct Creation {
    Statut_creation statut = Statut_creation::ok;
    std::vector<unsigned char> patch;  // empty unless ok
    std::size_t enregistrements = 0;   // records written, the truncation size not counted
    std::size_t enregistrements_rle = 0;  // of which RLE records
    bool troncature = false;           // a truncation size follows "EOF"
};

// The patch that turns `original` into `modifie`, as short as records allow: every byte that
// differs, and every byte past the original's end, is covered by a record; runs of one value
// become RLE records and short unchanged gaps are taken into a record where that is shorter;
// no record starts at 0x454F46. A truncation size ends the patch when `modifie` is shorter.
Creation creer(std::vector<unsigned char> const& original, std::vector<unsigned char> const& modifie);

}  // namespace IPS
