// Character table loading in both directions, and the reformatter's table, on any file
// content; each loaded table then looks up the same bytes by longest match.
#include <cstdint>
#include <string>

#include "fuzz/support.h"
#include "reformat/auto_lb-table.h"
#include "tables/extracteur-table.h"
#include "tables/insereur-table.h"

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    std::string octets(reinterpret_cast<char const*>(data), size);
    std::string chemin = fuzz::ecrire("table.tbl", octets);
    fuzz::comme_une_commande([&] {
        Extracteur::Table_ext ext;
        ext.charger(chemin.c_str());
        ext.afficher();
        for (std::size_t i = 0; i < size; ++i) {
            std::size_t longueur = 0;
            ext.plus_long(data + i, size - i, longueur);
        }
    });
    fuzz::comme_une_commande([&] {
        Insereur::Table_ins ins;
        ins.charger(chemin.c_str());
        ins.afficher();
        for (std::size_t i = 0; i < size; ++i) {
            std::size_t longueur = 0;
            ins.plus_long(octets.data() + i, size - i, longueur);
        }
    });
    fuzz::comme_une_commande([&] {
        Auto_LB::Table_ALB alb;
        alb.charger(chemin.c_str());
        alb.afficher();
        for (std::size_t i = 0; i + 1 < size; i += 2) alb.chercher(std::string_view(octets).substr(i, 2));
    });
    return 0;
}
