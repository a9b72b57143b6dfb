// Pointer-driven and fixed-length extraction of arbitrary ROM bytes through an arbitrary
// table, with arbitrary ranges, pointer parameters and formula.
#include <cstdint>
#include <string>

#include <fuzzer/FuzzedDataProvider.h>

#include "extraction/extracteur-fixe.h"
#include "extraction/extracteur.h"
#include "fuzz/support.h"

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
    std::string table = fuzz::ecrire("table.tbl", in.ConsumeRandomLengthString(600));
    std::string rom = fuzz::ecrire("rom.bin", in.ConsumeRemainingBytesAsString());
    std::string script = fuzz::chemin_vide("script.txt");
    fuzz::comme_une_commande([&] {
        if (fixe)
            Extracteur::ext_fixe(rom.c_str(), table.c_str(), script.c_str(), adresse, nombre, taille);
        else
            Extracteur::extraire(rom.c_str(), table.c_str(), script.c_str(), debut, fin, adresse, nombre, taille,
                                 formule.c_str(), ordre);
    });
    return 0;
}
