// Word removal, automatic reformatting and the check of the layout of arbitrary scripts, with
// arbitrary word lists, line-break tables, widths and box sizes. A table that lacks one of its required entries
// ends the reformatting, as it ends the command.
#include <cstdint>
#include <string>

#include <fuzzer/FuzzedDataProvider.h>

#include "support.h"
#include "reformat/auto_lb-table.h"
#include "reformat/auto_lb.h"
#include "reformat/suppr.h"
#include "reformat/verification.h"

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    bool reformater = in.ConsumeBool();
    int largeur = in.ConsumeIntegralInRange<int>(-2, 400);
    int lignes = in.ConsumeIntegralInRange<int>(-2, 8);
    std::string annexe = in.ConsumeRandomLengthString(800);
    std::string script = in.ConsumeRemainingBytesAsString();
    fuzz::comme_une_commande([&] {
        if (reformater) {
            Auto_LB::Table_ALB largeurs;
            fuzz::formater_tout(largeurs.charger(annexe));
            if (!largeurs.utilisable()) return;
            fuzz::formater_tout(Auto_LB::remettre_en_forme(largeurs, script, largeur, lignes).rapports);
            // The check of the layout measures the same script with the same table.
            fuzz::formater_tout(Auto_LB::verifier(largeurs, script, largeur, lignes).rapports);
        } else {
            fuzz::formater_tout(Suppr_mots::supprimer(script, Suppr_mots::lire_liste(annexe)).rapports);
        }
    });
    return 0;
}
