// The DTE and MTE searches on arbitrary scripts and parameters.
#include <cstdint>
#include <string>

#include <fuzzer/FuzzedDataProvider.h>

#include "fuzz/support.h"
#include "optimisers/dte.h"
#include "optimisers/mte.h"

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    bool mte = in.ConsumeBool();
    int nombre = in.ConsumeIntegralInRange<int>(-2, 300);
    short longueur = in.ConsumeIntegralInRange<short>(-2, 40);
    int reference = in.ConsumeIntegralInRange<int>(0, 3);
    std::string script = fuzz::ecrire("script.txt", in.ConsumeRemainingBytesAsString());
    std::string resultat = fuzz::chemin_vide("resultat.txt");
    fuzz::comme_une_commande([&] {
        if (mte)
            MTE::optimiser(script.c_str(), resultat.c_str(), static_cast<short>(nombre), longueur, reference);
        else
            DTE::optimiser(script.c_str(), resultat.c_str(), nombre);
    });
    return 0;
}
