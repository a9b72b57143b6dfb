// Pointer-driven and fixed-length insertion of an arbitrary script through an arbitrary table
// into arbitrary ROM bytes, with arbitrary ranges, pointer parameters and formula.
#include <cstdint>
#include <string>

#include <fuzzer/FuzzedDataProvider.h>

#include "fuzz/support.h"
#include "insertion/insereur-fixe.h"
#include "insertion/insereur.h"

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
    std::string table = fuzz::ecrire("table.tbl", in.ConsumeRandomLengthString(600));
    std::string rom = fuzz::ecrire("rom.bin", in.ConsumeRandomLengthString(300));
    std::string script = fuzz::ecrire("script.txt", in.ConsumeRemainingBytesAsString());
    fuzz::comme_une_commande([&] {
        if (fixe)
            Insereur::ins_fixe(rom.c_str(), table.c_str(), script.c_str(), adresse, nombre, taille);
        else
            Insereur::inserer(rom.c_str(), table.c_str(), script.c_str(), debut, fin, adresse, nombre, taille,
                              formule.c_str(), ordre);
    });
    return 0;
}
