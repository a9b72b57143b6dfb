// The DTE and MTE searches on arbitrary scripts and parameters; the MTE parameters go through
// their check first, as the command does.
#include <cstdint>
#include <string>

#include <fuzzer/FuzzedDataProvider.h>

#include "support.h"
#include "optimisers/dte.h"
#include "optimisers/mte.h"

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    bool mte = in.ConsumeBool();
    int nombre = in.ConsumeIntegralInRange<int>(-2, 300);
    short longueur = in.ConsumeIntegralInRange<short>(-2, 40);
    int reference = in.ConsumeIntegralInRange<int>(0, 3);
    std::string script = in.ConsumeRemainingBytesAsString();
    fuzz::comme_une_commande([&] {
        if (mte) {
            short const mots = static_cast<short>(nombre);
            if (auto erreur = MTE::verifier(mots, longueur, reference)) {
                fuzz::formater_tout(*erreur);
                return;
            }
            fuzz::formater_tout(MTE::optimiser(script, mots, longueur, reference).rapports);
        } else {
            fuzz::formater_tout(DTE::optimiser(script, nombre).rapports);
        }
    });
    return 0;
}
