#include "apercu/police.h"

#include <stdexcept>

namespace Apercu {

Police::Police(std::vector<unsigned char> const& rom, long long adresse, int premier, Forme const& forme,
               std::optional<Largeurs_rom> largeurs)
    : rom_(rom), adresse_(adresse), premier_(premier), forme_(forme), largeurs_(largeurs) {
    if (!Tuiles::accepte(*forme_.format, forme_.taille.largeur, forme_.taille.hauteur))
        throw std::invalid_argument("glyph size the format does not take");
    octets_ = static_cast<long long>(Tuiles::octets_tuile(*forme_.format, forme_.taille));
}

bool Police::contient(int code) const {
    if (code < premier_) return false;
    long long const debut = adresse_ + octets_ * (code - premier_);
    return debut >= 0 && debut + octets_ <= static_cast<long long>(rom_.size());
}

std::vector<unsigned char> Police::pixels(int code) const {
    if (!contient(code)) throw std::out_of_range("code outside the font");
    std::size_t const debut = static_cast<std::size_t>(adresse_ + octets_ * (code - premier_));
    std::vector<unsigned char> indexes(static_cast<std::size_t>(largeur()) * static_cast<std::size_t>(hauteur()));
    Tuiles::decoder(*forme_.format, forme_.taille, rom_.data() + debut, static_cast<std::size_t>(octets_),
                    indexes.data(), indexes.size());
    for (unsigned char& p : indexes) p = p != forme_.fond ? 1 : 0;
    return indexes;
}

Glyphe Police::glyphe(int code) const {
    if (largeur() != cote_glyphe || hauteur() != cote_glyphe) throw std::logic_error("not a 12 x 12 font");
    std::vector<unsigned char> const allumes = pixels(code);
    Glyphe lignes{};
    for (int y = 0; y < cote_glyphe; ++y)
        for (int x = 0; x < cote_glyphe; ++x)
            if (allumes[static_cast<std::size_t>(y * cote_glyphe + x)] != 0)
                lignes[static_cast<std::size_t>(y)] = static_cast<std::uint16_t>(lignes[static_cast<std::size_t>(y)] | 0x800 >> x);
    return lignes;
}

std::optional<int> Police::largeur_rom(int code) const {
    if (!largeurs_ || code < largeurs_->premier) return std::nullopt;
    long long const position = largeurs_->adresse + (code - largeurs_->premier);
    if (position < 0 || position >= static_cast<long long>(rom_.size())) return std::nullopt;
    return rom_[static_cast<std::size_t>(position)];
}

}  // namespace Apercu
