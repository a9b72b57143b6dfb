#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// The ROM as the relative search reads it: a sequence of values of `L` bytes each (1 or 2,
// little-endian when `P`), the first at byte `alignement`, one every L bytes. Only whole values
// count: the last bytes that cannot make one are not part of it.
namespace Decouverte {

template <int L, bool P>
class Valeurs_rom {
public:
    Valeurs_rom(std::vector<unsigned char> const& rom, std::size_t alignement)
        : octets_(rom.data() + (alignement < rom.size() ? alignement : rom.size())),
          nombre_(alignement < rom.size() ? (rom.size() - alignement) / L : 0) {}

    std::size_t nombre() const { return nombre_; }

    // The value of index x, below nombre(): the callers draw their ranges from it once, so that
    // the loops that read millions of values check nothing more.
    std::uint32_t operator[](std::size_t x) const {
        unsigned char const* o = octets_ + x * L;
        if constexpr (L == 1) return o[0];
        else if constexpr (P) return static_cast<std::uint32_t>(o[0] | o[1] << 8);
        else return static_cast<std::uint32_t>(o[0] << 8 | o[1]);
    }

private:
    unsigned char const* octets_;
    std::size_t nombre_;
};

}  // namespace Decouverte
