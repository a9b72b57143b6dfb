#include "echange/verifications.h"

namespace Echange {

std::vector<std::string> codes_de_controle(std::string const& texte) {
    std::vector<std::string> codes;
    std::size_t p = 0;
    while ((p = texte.find('<', p)) != std::string::npos) {
        std::size_t const fin = texte.find_first_of("<>\n", p + 1);
        if (fin == std::string::npos) break;
        if (texte[fin] != '>') {
            p = fin;
            continue;
        }
        codes.push_back(texte.substr(p, fin + 1 - p));
        p = fin + 1;
    }
    return codes;
}

std::optional<std::pair<std::string, std::string>> ecart_de_codes(std::string const& original,
                                                                  std::string const& traduction) {
    std::vector<std::string> const a = codes_de_controle(original);
    std::vector<std::string> const b = codes_de_controle(traduction);
    for (std::size_t k = 0; k < a.size() || k < b.size(); ++k) {
        std::string const da = k < a.size() ? a[k] : "rien";
        std::string const db = k < b.size() ? b[k] : "rien";
        if (k >= a.size() || k >= b.size() || a[k] != b[k]) return std::make_pair(db, da);
    }
    return std::nullopt;
}

std::vector<Terme const*> termes_manquants(std::string const& original, std::string const& traduction,
                                           std::vector<Terme> const& glossaire) {
    std::vector<Terme const*> manquants;
    for (Terme const& t : glossaire)
        if (original.find(t.original) != std::string::npos && traduction.find(t.traduction) == std::string::npos)
            manquants.push_back(&t);
    return manquants;
}

}  // namespace Echange
