#include "insertion/codes-bascules.h"

#include <algorithm>
#include <map>
#include <utility>

namespace Insereur {

namespace {

int chiffre(unsigned char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

Codes_bascules::Codes_bascules(Extracteur::Tables_ext const& tables, bool fins) {
    std::map<std::string, std::vector<std::uint32_t>> par_texte;
    for (std::size_t rang = 0; rang < tables.nombre(); ++rang) {
        for (auto const& [cle, entree] : tables.table(rang).entrees()) {
            Code code;
            code.octets.assign(reinterpret_cast<char const*>(cle.octets()), static_cast<std::size_t>(cle.taille()));
            code.ecrit = entree.texte;
            code.table = rang;
            if (fins && entree.fin && (code.ecrit.empty() || code.ecrit.back() != '\n')) code.ecrit += '\n';
            for (Extracteur::Bascule const& b : entree.bascules) {
                if (b.duree != Fichier_table::Duree::aussitot) code.vers.push_back(b.table);
                if (b.duree == Fichier_table::Duree::jusqu_au_code)
                    code.retours.emplace_back(reinterpret_cast<char const*>(b.retour.octets()),
                                              static_cast<std::size_t>(b.retour.taille()));
            }
            auto const numero = static_cast<std::uint32_t>(codes_.size());
            if (!entree.bascules.empty() && (!code.vers.empty() || code.ecrit.empty())) bascules_.push_back(numero);
            if (!code.ecrit.empty()) par_texte[code.ecrit].push_back(numero);
            texte_max_ = std::max(texte_max_, code.ecrit.size());
            codes_.push_back(std::move(code));
        }
    }
    std::vector<std::pair<std::string, std::int32_t>> sequences;
    for (auto& [texte, groupe] : par_texte) {
        sequences.emplace_back(texte, static_cast<std::int32_t>(groupes_.size()));
        groupes_.push_back(std::move(groupe));
    }
    textes_ = Arbre_plat(sequences);
    static char const hex[] = "0123456789ABCDEF";
    for (int octet = 0; octet < 256; ++octet) {
        Code brut;
        brut.octets.assign(1, static_cast<char>(octet));
        brut.ecrit = {'<', hex[octet >> 4], hex[octet & 15], '>'};
        bruts_.push_back(std::move(brut));
    }
}

Codes_bascules::Code const* Codes_bascules::forme_brute(unsigned char const* texte, std::size_t disponible) const {
    if (disponible < 4 || texte[0] != '<' || texte[3] != '>') return nullptr;
    int const fort = chiffre(texte[1]), faible = chiffre(texte[2]);
    if (fort < 0 || faible < 0) return nullptr;
    return &bruts_[static_cast<std::size_t>(fort * 16 + faible)];
}

}  // namespace Insereur
