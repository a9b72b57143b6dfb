// Character table loading in both directions, and the reformatter's table, on any file
// content; each loaded table is listed, then looks up the same bytes by longest match, which
// must agree with exact lookups tried from the longest length down.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "support.h"
#include "reformat/auto_lb-table.h"
#include "tables/extracteur-table.h"
#include "tables/insereur-table.h"

namespace {

// The exact lookups from the longest length down cost the square of the longest key at every
// position: only the first positions are checked that way.
constexpr std::size_t POSITIONS_VERIFIEES = 256;

// Checks one longest-match answer against exact lookups: the key found is the longest one
// that `chercher` knows among the lengths from `disponible` down.
template <typename Valeur, typename Chercher>
void comparer(Valeur const* trouve, std::size_t longueur, std::size_t disponible, std::size_t taille_max,
              Chercher chercher) {
    if ((trouve == nullptr) != (longueur == 0)) std::abort();
    if (trouve != nullptr && chercher(longueur) != trouve) std::abort();
    for (std::size_t l = std::min(disponible, taille_max); l > longueur; --l)
        if (chercher(l) != nullptr) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    std::string octets(reinterpret_cast<char const*>(data), size);
    fuzz::comme_une_commande([&] {
        Extracteur::Table_ext ext;
        fuzz::formater_tout(ext.charger(octets));
        ext.afficher();
        for (std::size_t i = 0; i < size; ++i) {
            std::size_t longueur = 0;
            Extracteur::Texte_ext const* trouve = ext.plus_long(data + i, size - i, longueur);
            if (i < POSITIONS_VERIFIEES)
                comparer(trouve, longueur, size - i, ext.taille_max(),
                         [&](std::size_t l) { return ext.chercher(data + i, l); });
        }
    });
    fuzz::comme_une_commande([&] {
        Insereur::Table_ins ins;
        fuzz::formater_tout(ins.charger(octets));
        ins.afficher();
        for (std::size_t i = 0; i < size; ++i) {
            std::size_t longueur = 0;
            Nb_ext_ins const* trouve = ins.plus_long(octets.data() + i, size - i, longueur);
            if (i < POSITIONS_VERIFIEES)
                comparer(trouve, longueur, size - i, static_cast<std::size_t>(ins.taille_max()),
                         [&](std::size_t l) { return ins.chercher(std::string_view(octets).substr(i, l)); });
        }
    });
    fuzz::comme_une_commande([&] {
        Auto_LB::Table_ALB alb;
        fuzz::formater_tout(alb.charger(octets));
        alb.afficher();
        for (std::size_t i = 0; i + 1 < size; i += 2) alb.chercher(std::string_view(octets).substr(i, 2));
    });
    return 0;
}
