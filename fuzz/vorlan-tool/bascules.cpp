// Tables that switch: one to three arbitrary table files loaded together, arbitrary bytes
// decoded through them. Every step uses at least one byte and no more than it was given, the
// stack never holds more than profondeur_max tables, and a set of one table that switches
// nowhere decodes and reports exactly what Table_ext does. The text decoded is then encoded
// back for the same tables: every byte the encoder writes is bounded, and where it skips no
// character and the tables have no switch with a label (which it may add), its bytes decode
// back to exactly that text.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>

#include "extraction/ecriture-script.h"
#include "extraction/extracteur-fixe.h"
#include "extraction/extracteur.h"
#include "extraction/pile-tables.h"
#include "insertion/encodage-bascules.h"
#include "lib/calcul.h"
#include "lib/table_pointeurs.h"
#include "support.h"
#include "tables/extracteur-bascules.h"

namespace {

bool sans_etiquette(Extracteur::Tables_ext const& tables) {
    for (std::size_t t = 0; t < tables.nombre(); ++t)
        for (auto const& paire : tables.table(t).entrees())
            if (!paire.second.bascules.empty() && !paire.second.texte.empty()) return false;
    return true;
}

// What extraction reads from bytes, from the start table.
std::string relire(Extracteur::Tables_ext const& tables, std::vector<unsigned char> const& octets) {
    std::string texte;
    Extracteur::Ecriture_script ecriture(texte);
    Extracteur::Pile_tables pile(tables);
    for (std::size_t p = 0; p < octets.size();) p += pile.decoder(ecriture, octets.data() + p, octets.size() - p, true);
    return texte;
}

bool sans_bascule(Extracteur::Tables_ext const& tables) {
    for (auto const& paire : tables.table(0).entrees())
        if (!paire.second.bascules.empty()) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    std::size_t const nombre_de_fichiers = in.ConsumeIntegralInRange<std::size_t>(1, 3);
    std::vector<Extracteur::Tables_ext::Fichier> fichiers;
    for (std::size_t k = 0; k < nombre_de_fichiers; ++k)
        fichiers.push_back({"t" + std::to_string(k) + ".tbl", in.ConsumeRandomLengthString(400)});
    int const mots = in.ConsumeIntegralInRange<int>(0, 16);
    int const unites = in.ConsumeIntegralInRange<int>(0, 8);
    // Owned at their exact size, so that a read past them is seen.
    std::vector<unsigned char> const rom = fuzz::octets(in.ConsumeRemainingBytesAsString());
    fuzz::comme_une_commande([&] {
        Extracteur::Tables_ext tables;
        Extracteur::Tables_ext::Chargement const chargement = tables.charger(fichiers);
        fuzz::formater_tout(chargement.rapports);
        if (tables.nombre() == 0) std::abort();
        if (!chargement.accepte) return;

        std::string script;
        Extracteur::Ecriture_script ecriture(script);
        Extracteur::Pile_tables pile(tables);
        std::vector<std::size_t> pas;
        for (std::size_t p = 0; p < rom.size();) {
            std::size_t const lus = pile.decoder(ecriture, rom.data() + p, rom.size() - p, true);
            if (lus == 0 || lus > rom.size() - p) std::abort();
            if (pile.niveaux().empty() || pile.niveaux().size() > Extracteur::profondeur_max) std::abort();
            for (auto const& n : pile.niveaux())
                if (n.table >= tables.nombre()) std::abort();
            pas.push_back(lus);
            p += lus;
        }

        if (!rom.empty()) {
            Table_pointeurs sans;
            sans.taille = 2;
            Calcul::Formule const formule("X");
            int const fin = static_cast<int>(rom.size()) - 1;
            if (Extracteur::extraire(tables, rom, 0, fin, sans, formule).script != script) std::abort();
            fuzz::formater_tout(Extracteur::ext_fixe(tables, rom, 0, mots, unites).rapports);
        }

        // Short texts only: the search keeps a node per decoder state at every position.
        if (script.size() <= 200 && script.find("<PT") == std::string::npos) {
            Insereur::Encodage const encodage = Insereur::encoder_bascules(script, tables, true);
            if (encodage.textes.size() != 1) std::abort();
            Insereur::Texte_encode const& texte = encodage.textes[0];
            fuzz::formater_tout(texte.rapports);
            if (texte.rapports.empty() && sans_etiquette(tables) && relire(tables, texte.octets) != script) std::abort();
        }

        if (nombre_de_fichiers != 1 || tables.nombre() != 1 || !sans_bascule(tables)) return;
        Extracteur::Table_ext seule;
        if (formater(seule.charger(fichiers[0].octets)) != formater(chargement.rapports)) std::abort();
        std::string attendu;
        Extracteur::Ecriture_script ecriture_seule(attendu);
        std::size_t etape = 0;
        for (std::size_t p = 0; p < rom.size(); ++etape) {
            std::size_t const lus = ecriture_seule.decoder(seule, rom.data() + p, rom.size() - p, true);
            if (etape >= pas.size() || pas[etape] != lus) std::abort();
            p += lus;
        }
        if (attendu != script) std::abort();
    });
    return 0;
}
