#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "insertion/table-courte.h"

namespace Insereur {

// What extraction will make of the bytes chosen so far, as far as the next codes can change
// it. Extraction reads a text's bytes unit by unit, each unit the longest key that begins the
// bytes left (then its parameter bytes, raw), or one raw byte where no key begins. Codes
// chosen one after another are read back as those same codes only if no unit runs on into
// the next code's bytes: after code 41, the code 42 is refused when 4142 is a key.
//
// A state holds, for every unit still open (its bytes so far are a proper prefix of a longer
// key), the node of Table_courte::cles() they reach: a later byte that leads from one of them
// to a key would make that unit longer, and is refused; a byte that leads nowhere closes the
// unit. It also holds how many parameter bytes the last control code still awaits: those are
// read raw, so only raw forms "<XX>" may fill them, and they start no unit. The end of a text
// closes every unit. States are numbered as they are met; 0 is a text's start.
class Automate_cles {
public:
    static constexpr std::uint32_t depart = 0;

    explicit Automate_cles(Table_courte const& table);

    // The state after the entry of the table's entrees() numbered `entree`, taken in state
    // `etat`, in `apres`; false when extraction would not read it back as itself there.
    bool suivant(std::uint32_t etat, std::uint32_t entree, std::uint32_t& apres) {
        if (etat == depart) {
            apres = depuis_depart_[entree];
            return apres != refus;
        }
        std::uint64_t const cle = (static_cast<std::uint64_t>(etat) << 32) | entree;
        auto connu = transitions_.find(cle);
        if (connu == transitions_.end()) connu = transitions_.emplace(cle, calculer(etat, entree)).first;
        apres = connu->second;
        return apres != refus;
    }

private:
    static constexpr std::uint32_t refus = UINT32_MAX;

    struct Etat {
        int parametres = 0;                // parameter bytes still awaited
        std::vector<std::uint32_t> ouverts;  // the open units' nodes, sorted
    };

    std::uint32_t calculer(std::uint32_t etat, std::uint32_t entree);
    std::uint32_t numero(Etat const& etat);

    Table_courte const& table_;
    std::vector<Etat> etats_;
    std::unordered_map<std::string, std::uint32_t> numeros_;
    std::vector<std::uint32_t> depuis_depart_;  // per entry: the commonest transition
    std::unordered_map<std::uint64_t, std::uint32_t> transitions_;
};

}  // namespace Insereur
