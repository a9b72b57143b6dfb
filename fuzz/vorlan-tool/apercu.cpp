// The preview of arbitrary scripts with arbitrary character tables, line-break tables, fonts
// (any ROM bytes, address and first code) and box sizes: every glyph cell kept lies inside its
// page's picture, and the first page is drawn and encoded.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>

#include "apercu/mise-en-page.h"
#include "apercu/png-rvb.h"
#include "support.h"
#include "reformat/auto_lb-table.h"
#include "tables/insereur-table.h"

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    Apercu::Parametres p;
    p.largeur = in.ConsumeIntegralInRange<int>(-2, 300);
    p.lignes = in.ConsumeIntegralInRange<int>(-1, 6);
    p.par_page = in.ConsumeIntegralInRange<int>(-1, 5);
    p.filtre = in.ConsumeBool();
    p.premier_pointeur = in.ConsumeIntegralInRange<int>(-2, 20);
    p.dernier_pointeur = in.ConsumeIntegralInRange<int>(-2, 20);
    long long const adresse = in.ConsumeIntegralInRange<long long>(-40, 4000);
    int const premier = in.ConsumeIntegralInRange<int>(-2, 260);
    std::string const codes_texte = in.ConsumeRandomLengthString(600);
    std::string const largeurs_texte = in.ConsumeRandomLengthString(600);
    std::vector<unsigned char> const rom = fuzz::octets(in.ConsumeRandomLengthString(5000));
    std::string const script = in.ConsumeRemainingBytesAsString();
    fuzz::comme_une_commande([&] {
        Insereur::Table_ins codes;
        fuzz::formater_tout(codes.charger(codes_texte));
        Auto_LB::Table_ALB largeurs;
        fuzz::formater_tout(largeurs.charger(largeurs_texte));
        if (!largeurs.utilisable()) return;
        Apercu::Police const police(rom, adresse, premier);
        if (std::optional<Rapport> const refus = Apercu::verifier(p, police, codes)) {
            fuzz::formater_tout(*refus);
            return;
        }
        Apercu::Mise_en_page const m = Apercu::mettre_en_page(script, codes, largeurs, police, p);
        fuzz::formater_tout(m.rapports);
        for (Apercu::Boite_placee const& boite : m.boites) {
            Apercu::Page const& page = m.pages.at(static_cast<std::size_t>(boite.page - 1));
            for (Apercu::Ligne_placee const& ligne : boite.lignes)
                for (Apercu::Trace const& t : ligne.traces) {
                    if (t.x < 0 || t.y < 0 || t.x + Apercu::cote_glyphe > page.largeur ||
                        t.y + Apercu::cote_glyphe > page.hauteur)
                        std::abort();
                    if (t.code >= 0 && !police.contient(t.code)) std::abort();
                }
        }
        if (!m.pages.empty() && Apercu::png_rvb(Apercu::dessiner(m, 0, police, p)).size() < 8) std::abort();
    });
    return 0;
}
