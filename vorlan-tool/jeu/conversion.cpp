#include "jeu/conversion.h"

#include <cstdint>

namespace Jeu {

Conversion::Conversion(Groupe const& groupe)
    : Conversion(groupe.formule_ext, groupe.formule_ins, groupe.taille, groupe.decalage_ins) {}

Conversion::Conversion(Integre const& integre)
    : Conversion(integre.formule_ext, integre.formule_ins, integre.taille, integre.decalage_ins) {}

Conversion::Conversion(std::string const& ext, std::string const& ins, int taille, long long decalage_ins)
    : ext_(ext.c_str(), Calcul::Variables::x_et_p),
      ins_(ins.c_str(), Calcul::Variables::x_et_p),
      taille_(taille),
      decalage_ins_(decalage_ins) {}

std::optional<long long> Conversion::position(std::uint32_t valeur, long long p) const {
    // Values and offsets enter the formulas as the 32-bit integers they compute with.
    Calcul::Evaluation const e = ext_.evaluer(static_cast<std::int32_t>(valeur), static_cast<std::int32_t>(p));
    if (e.erreur) return std::nullopt;
    return static_cast<long long>(static_cast<std::uint32_t>(e.valeur));
}

std::optional<std::uint32_t> Conversion::valeur(long long position, long long p) const {
    long long const x = position + decalage_ins_;
    if (x < 0 || x > INT32_MAX) return std::nullopt;
    Calcul::Evaluation const e = ins_.evaluer(static_cast<std::int32_t>(x), static_cast<std::int32_t>(p));
    if (e.erreur) return std::nullopt;
    // A slot of four bytes holds any 32-bit value; a shorter one only what its bytes can.
    if (taille_ < 4 && (e.valeur < 0 || e.valeur >= (std::int32_t{1} << (8 * taille_)))) return std::nullopt;
    auto const v = static_cast<std::uint32_t>(e.valeur);
    std::optional<long long> const retour = this->position(v, p);
    if (!retour || *retour != position) return std::nullopt;
    return v;
}

}  // namespace Jeu
