// The preview of arbitrary scripts with arbitrary character tables, line-break tables, fonts
// (any ROM bytes, address, first code, tile format and size, blank index, line spacing and ROM
// width table) and box sizes: every glyph cell kept lies inside its page's picture, and the
// first page is drawn and encoded.
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
    Apercu::Forme forme;
    forme.format = &Tuiles::formats()[in.ConsumeIntegralInRange<std::size_t>(0, Tuiles::formats().size() - 1)];
    int const cote = forme.format->cote_fixe;
    bool const huit = Tuiles::en_tuiles_8x8(*forme.format);
    forme.taille.largeur = cote != 0 ? cote : huit ? 8 * in.ConsumeIntegralInRange<int>(1, 3) : in.ConsumeIntegralInRange<int>(1, 20);
    forme.taille.hauteur = cote != 0 ? cote : huit ? 8 * in.ConsumeIntegralInRange<int>(1, 3) : in.ConsumeIntegralInRange<int>(1, 20);
    forme.taille.ordre = in.ConsumeBool() ? Tuiles::Ordre::colonnes : Tuiles::Ordre::lignes;
    forme.fond = in.ConsumeIntegralInRange<int>(0, 3);
    forme.interligne = in.ConsumeIntegralInRange<int>(0, 3);
    std::optional<Apercu::Largeurs_rom> largeurs_rom;
    if (in.ConsumeBool())
        largeurs_rom = Apercu::Largeurs_rom{in.ConsumeIntegralInRange<long long>(-10, 4000), in.ConsumeIntegralInRange<int>(0, 255)};
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
        Apercu::Police const police(rom, adresse, premier, forme, largeurs_rom);
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
                    if (t.x < 0 || t.y < 0 || t.x + police.largeur() > page.largeur ||
                        t.y + police.hauteur() > page.hauteur)
                        std::abort();
                    if (t.code >= 0 && !police.contient(t.code)) std::abort();
                }
        }
        if (!m.pages.empty() && Apercu::png_rvb(Apercu::dessiner(m, 0, police, p)).size() < 8) std::abort();
    });
    return 0;
}
