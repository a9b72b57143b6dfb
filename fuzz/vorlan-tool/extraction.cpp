// Pointer-driven and fixed-length extraction of arbitrary ROM bytes through an arbitrary
// table, with arbitrary ranges, pointer parameters and formula. The arguments go through the
// checks first, as the command does: the extraction itself assumes checked arguments.
#include <cstdint>
#include <string>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>

#include "extraction/extracteur-fixe.h"
#include "extraction/extracteur.h"
#include "support.h"
#include "lib/calcul.h"
#include "lib/table_pointeurs.h"
#include "tables/extracteur-table.h"

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    int debut = in.ConsumeIntegralInRange<int>(-4, 600);
    int fin = in.ConsumeIntegralInRange<int>(-4, 600);
    int adresse = in.ConsumeIntegralInRange<int>(-4, 600);
    int nombre = in.ConsumeBool() ? in.ConsumeIntegral<int>() : in.ConsumeIntegralInRange<int>(0, 64);
    int taille = in.ConsumeIntegralInRange<int>(0, 5);
    // Words of length 0 are one empty line each, as many as asked: keep that count small.
    if (taille == 0) nombre %= 65536;
    bool ordre = in.ConsumeBool();
    bool fixe = in.ConsumeBool();
    std::string formule = in.ConsumeRandomLengthString(40);
    std::string table = in.ConsumeRandomLengthString(600);
    std::vector<unsigned char> const rom = fuzz::octets(in.ConsumeRemainingBytesAsString());
    int const taille_rom = static_cast<int>(rom.size());
    fuzz::comme_une_commande([&] {
        Extracteur::Table_ext caracteres;
        fuzz::formater_tout(caracteres.charger(table));
        if (fixe) {
            if (auto erreur = Extracteur::verifier_fixe(taille_rom, adresse, nombre, taille)) {
                fuzz::formater_tout(*erreur);
                return;
            }
            fuzz::formater_tout(Extracteur::ext_fixe(caracteres, rom, adresse, nombre, taille).rapports);
        } else {
            Table_pointeurs const pointeurs{adresse, nombre, taille, ordre_octets(ordre)};
            if (auto erreur = Extracteur::verifier(taille_rom, debut, fin, pointeurs)) {
                fuzz::formater_tout(*erreur);
                return;
            }
            Calcul::Formule const formule_lue(formule.c_str());
            fuzz::formater_tout(Extracteur::extraire(caracteres, rom, debut, fin, pointeurs, formule_lue).rapports);
        }
    });
    return 0;
}
