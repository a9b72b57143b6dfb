// The exchange files' readers on arbitrary bytes: PO, CSV and TSV. What a reader accepts, our
// writer writes in a form the reader gives back row for row; an arbitrary script is cut into
// entries that put it back byte for byte, and the import of the file into it holds its counts.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>

#include "echange/entrees-script.h"
#include "echange/formats.h"
#include "echange/importation.h"
#include "support.h"

namespace {

void exiger(bool condition) {
    if (!condition) std::abort();
}

bool memes_lignes(std::vector<Echange::Ligne_echange> const& a, std::vector<Echange::Ligne_echange> const& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t k = 0; k < a.size(); ++k)
        if (a[k].identifiant != b[k].identifiant || a[k].original != b[k].original ||
            a[k].traduction != b[k].traduction || a[k].flou != b[k].flou)
            return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    auto const format = static_cast<Echange::Format>(in.ConsumeIntegralInRange<int>(0, 3));
    auto const forme = in.ConsumeBool() ? Echange::Forme::fixe : Echange::Forme::balises;
    auto const encodage = in.ConsumeBool() ? Echange::Encodage::utf8 : Echange::Encodage::latin1;
    std::string const script = in.ConsumeRandomLengthString(2000);
    std::string const fichier = in.ConsumeRemainingBytesAsString();

    Echange::Lecture const lu = Echange::lire(format, fichier);
    if (!lu.defaut && format != Echange::Format::pot) {
        Echange::Lecture const relu = Echange::lire(format, Echange::ecrire(format, lu.lignes, {"fuzz", "fr"}));
        exiger(!relu.defaut && memes_lignes(relu.lignes, lu.lignes));
    }

    Echange::Script_en_entrees const entrees(script, forme);
    std::vector<std::string> textes;
    for (Echange::Entree const& e : entrees.entrees()) textes.push_back(e.texte);
    exiger(entrees.recomposer(textes) == script);

    fuzz::comme_une_commande([&] {
        Echange::Demande_import d;
        d.format = format;
        d.forme = forme;
        d.encodage = encodage;
        d.nom_fichier = "fuzz";
        Echange::Importation const r = Echange::importer(fichier, script, d);
        fuzz::formater_tout(r.rapports);
        if (!r.script) return;
        Echange::Comptes const& c = r.comptes;
        std::size_t const comptees = static_cast<std::size_t>(c.traduits + c.flous + c.non_traduits + c.refuses);
        exiger(comptees >= entrees.entrees().size());
        // The translated script has the original's entries, by identifier.
        Echange::Script_en_entrees const traduit(*r.script, forme);
        exiger(std::holds_alternative<std::vector<std::size_t>>(Echange::appairer(entrees, traduit)));
    });
    return 0;
}
