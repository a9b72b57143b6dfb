#pragma once
#include <optional>
#include <vector>

#include "insertion/image-rom.h"
#include "jeu/conversion.h"
#include "jeu/description.h"
#include "jeu/texte-jeu.h"

// The references of a game's script ("<#PT0123>" after an embedded code): the text each names,
// where it can be placed, and the pointer bytes they become.
namespace Jeu {

class Renvois {
public:
    // The texts as tagged once merged: a number names the text its last tag is on.
    Renvois(Description const& jeu, std::vector<Texte_jeu> const& textes, Numeros const& numeros);

    // The first reference that names no tag of the script.
    std::optional<int> sans_balise() const;
    // Whether every reference to text `t` whose formula does not name P can designate `q`.
    bool atteignable(std::size_t t, long long q) const;
    // After placement: the texts that some reference cannot designate from where both stand
    // lose their place, then (repeatedly) the texts holding a reference to a text without
    // place. Returns the numbers of the references that could not reach, in order.
    std::vector<int> retirer_hors_portee(std::vector<Texte_jeu>& textes) const;
    // The numbers of the references of `t` whose text has no place, each once.
    std::vector<int> perdus(Texte_jeu const& t, std::vector<Texte_jeu> const& textes) const;
    // Every reference of a placed text written with its target's position.
    void ecrire(Texte_jeu const& t, std::vector<Texte_jeu> const& textes, Insereur::Image_rom& image) const;

private:
    std::optional<std::size_t> cible(int numero) const;
    std::optional<std::uint32_t> valeur(Insereur::Texte_encode::Renvoi const& r, long long texte,
                                        std::vector<Texte_jeu> const& textes) const;

    Description const& jeu_;
    Numeros const& numeros_;
    std::vector<Conversion> conversions_;
    std::vector<int> texte_du_numero_;                        // by index of Numeros, -1 for none
    std::vector<std::vector<std::size_t>> avant_placement_;  // by text: the codes to reach it
    std::vector<int> references_;                             // every number referenced, in script order
};

}  // namespace Jeu
