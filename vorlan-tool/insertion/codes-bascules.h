#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "insertion/arbre-plat.h"
#include "tables/extracteur-bascules.h"

namespace Insereur {

// Every way a set of tables that switch can write some text: each key of each table, with
// what extraction writes for it read alone (its text, then a line feed after an end token
// when `fins` is set and the text has none), and the table that holds it.
class Codes_bascules {
public:
    static constexpr std::size_t aucune = SIZE_MAX;  // the table of a raw form

    struct Code {
        std::string octets;
        std::string ecrit;
        std::size_t table = aucune;
        std::vector<std::size_t> vers;  // a switch's: the tables it enters
        std::vector<std::string> retours;  // a switch's: the codes that end its stays until a code
    };

    Codes_bascules(Extracteur::Tables_ext const& tables, bool fins);

    std::vector<Code> const& codes() const { return codes_; }
    // The switch entries' codes that enter a table or show nothing (indexes into codes()),
    // which the encoder may write where the script has not their label.
    std::vector<std::uint32_t> const& bascules() const { return bascules_; }
    // The longest written text, in characters (at least 4, a raw form's).
    std::size_t texte_max() const { return texte_max_; }

    // Calls `f(longueur, code)` for every code whose written text begins the `disponible`
    // characters given, longest first; a raw form "<XX>" there counts as a code of its byte.
    template <typename F>
    void devant(unsigned char const* texte, std::size_t disponible, std::vector<std::uint32_t>& tampon, F&& f) const {
        tampon.clear();
        textes_.prefixes(texte, disponible, [&tampon](std::size_t longueur, std::int32_t groupe) {
            tampon.push_back(static_cast<std::uint32_t>(longueur));
            tampon.push_back(static_cast<std::uint32_t>(groupe));
        });
        for (std::size_t k = tampon.size(); k >= 2; k -= 2)
            for (std::uint32_t code : groupes_[tampon[k - 1]]) f(tampon[k - 2], codes_[code]);
        if (Code const* brut = forme_brute(texte, disponible)) f(4, *brut);
    }

private:
    Code const* forme_brute(unsigned char const* texte, std::size_t disponible) const;

    std::vector<Code> codes_;
    std::vector<std::vector<std::uint32_t>> groupes_;  // the codes of one written text
    Arbre_plat textes_;                                 // written text -> its group
    std::vector<std::uint32_t> bascules_;
    std::vector<Code> bruts_;  // "<XX>" for each byte
    std::size_t texte_max_ = 4;
};

}  // namespace Insereur
