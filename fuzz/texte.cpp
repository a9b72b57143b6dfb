// Word removal and automatic reformatting of arbitrary scripts, with arbitrary word lists,
// line-break tables, widths and box sizes.
#include <cstdint>
#include <string>

#include <fuzzer/FuzzedDataProvider.h>

#include "fuzz/support.h"
#include "reformat/auto_lb.h"
#include "reformat/suppr.h"

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    bool reformater = in.ConsumeBool();
    int largeur = in.ConsumeIntegralInRange<int>(-2, 400);
    int lignes = in.ConsumeIntegralInRange<int>(-2, 8);
    std::string annexe = fuzz::ecrire("annexe.txt", in.ConsumeRandomLengthString(800));
    std::string script = fuzz::ecrire("script.txt", in.ConsumeRemainingBytesAsString());
    std::string sortie = fuzz::chemin_vide("sortie.txt");
    fuzz::comme_une_commande([&] {
        if (reformater)
            Auto_LB::remettre_en_forme(script.c_str(), sortie.c_str(), annexe.c_str(), largeur, lignes);
        else
            Suppr_mots::supprimer(script.c_str(), sortie.c_str(), annexe.c_str());
    });
    return 0;
}
