#include "apercu/police.h"

namespace Apercu {

bool Police::contient(int code) const {
    if (code < premier_) return false;
    long long const debut = adresse_ + static_cast<long long>(octets_glyphe) * (code - premier_);
    return debut >= 0 && debut + octets_glyphe <= static_cast<long long>(rom_.size());
}

// Two 12-bit rows share three bytes, most significant bit first:
//   byte 3j      byte 3j+1    byte 3j+2
//   AAAAAAAA     AAAA BBBB    BBBBBBBB
// A = pixels 0..11 of row 2j, B = pixels 0..11 of row 2j+1.
Glyphe Police::glyphe(int code) const {
    std::size_t const debut = static_cast<std::size_t>(adresse_ + static_cast<long long>(octets_glyphe) * (code - premier_));
    Glyphe lignes{};
    for (int j = 0; j < cote_glyphe / 2; ++j) {
        unsigned const a = rom_[debut + 3 * j];
        unsigned const m = rom_[debut + 3 * j + 1];
        unsigned const b = rom_[debut + 3 * j + 2];
        lignes[2 * j] = static_cast<std::uint16_t>((a << 4) | (m >> 4));
        lignes[2 * j + 1] = static_cast<std::uint16_t>(((m & 0x0F) << 8) | b);
    }
    return lignes;
}

}  // namespace Apercu
