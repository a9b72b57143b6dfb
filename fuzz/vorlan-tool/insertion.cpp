// Pointer-driven and fixed-length insertion of an arbitrary script through an arbitrary table
// into arbitrary ROM bytes, with arbitrary ranges, pointer parameters and formula. The
// arguments go through the checks first, as the command does.
#include <cstdint>
#include <cstdlib>
#include <string>

#include <fuzzer/FuzzedDataProvider.h>

#include "support.h"
#include "insertion/image-rom.h"
#include "insertion/insereur-fixe.h"
#include "insertion/insereur.h"
#include "lib/calcul.h"
#include "lib/table_pointeurs.h"
#include "tables/insereur-table.h"

namespace {

// A pointer-driven insertion writes the text range and the pointer slots, nothing else.
void verifier_zones(Insereur::Image_rom const& image, int debut, int fin, Table_pointeurs const& pointeurs) {
    long long const table_debut = pointeurs.adresse;
    long long const table_fin = table_debut + static_cast<long long>(pointeurs.nombre) * pointeurs.taille;
    for (Insereur::Image_rom::Zone const& zone : image.zones_ecrites()) {
        long long const a = static_cast<long long>(zone.first), b = static_cast<long long>(zone.second);
        // A run may join the text range and the pointer table when they touch or overlap.
        for (long long p = a; p < b; ++p) {
            bool const dans_le_texte = p >= debut && p <= fin;
            bool const dans_la_table = p >= table_debut && p < table_fin;
            if (!dans_le_texte && !dans_la_table) std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    int debut = in.ConsumeIntegralInRange<int>(-4, 300);
    int fin = in.ConsumeIntegralInRange<int>(-4, 300);
    int adresse = in.ConsumeIntegralInRange<int>(-4, 300);
    int nombre = in.ConsumeBool() ? in.ConsumeIntegral<int>() : in.ConsumeIntegralInRange<int>(0, 64);
    int taille = in.ConsumeIntegralInRange<int>(-1, 5);
    bool ordre = in.ConsumeBool();
    bool fixe = in.ConsumeBool();
    std::string formule = in.ConsumeRandomLengthString(40);
    std::string table = in.ConsumeRandomLengthString(600);
    std::string rom = in.ConsumeRandomLengthString(300);
    std::string script = in.ConsumeRemainingBytesAsString();
    int const taille_rom = static_cast<int>(rom.size());
    fuzz::comme_une_commande([&] {
        Insereur::Table_ins caracteres;
        fuzz::formater_tout(caracteres.charger(table));
        if (fixe) {
            if (auto erreur = Insereur::verifier_fixe(taille_rom, adresse)) {
                fuzz::formater_tout(*erreur);
                return;
            }
            Insereur::Image_rom image(fuzz::octets(rom));
            fuzz::formater_tout(Insereur::ins_fixe(caracteres, script, image, adresse, nombre, taille));
            if (image.taille() != taille_rom) std::abort();
        } else {
            Table_pointeurs const pointeurs{adresse, nombre, taille, ordre_octets(ordre)};
            Calcul::Formule const formule_lue(formule.c_str());
            if (auto erreur = Insereur::verifier(taille_rom, debut, fin, pointeurs, formule_lue)) {
                fuzz::formater_tout(*erreur);
                return;
            }
            Insereur::Image_rom image(fuzz::octets(rom));
            Insereur::Insertion const insertion =
                Insereur::inserer(caracteres, script, image, debut, fin, pointeurs, formule_lue);
            fuzz::formater_tout(insertion.rapports);
            if (insertion.arret) fuzz::formater_tout(*insertion.arret);
            if (image.taille() != taille_rom) std::abort();
            verifier_zones(image, debut, fin, pointeurs);
        }
    });
    return 0;
}
