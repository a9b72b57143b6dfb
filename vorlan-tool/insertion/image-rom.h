#pragma once
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "lib/entiers.h"

namespace Insereur {

// The ROM held in memory while an insertion is prepared: every write lands here first and
// reaches the file only when the command commits the image, once everything has been
// encoded, so that a failure half-way leaves the ROM exactly as it was. The image remembers
// which bytes were written, for a commit that writes only those.
class Image_rom {
public:
    // The runs of bytes written, [debut, fin) as ROM offsets.
    using Zone = std::pair<std::size_t, std::size_t>;

    explicit Image_rom(std::vector<unsigned char> rom) : octets_(std::move(rom)) {}

    int taille() const { return static_cast<int>(octets_.size()); }
    // True when the `nombre` bytes from `position` lie wholly inside the ROM.
    bool dans_la_rom(long long position, long long nombre) const;

    // Writes bytes at offsets inside the ROM; callers only write where they have checked, so
    // a write outside it is a fault of the program (std::out_of_range).
    void ecrire(long long position, unsigned char const* octets, std::size_t nombre);
    void remplir(long long position, long long nombre, unsigned char octet);
    // The low `taille` bytes of the value at `position`, as ecrire_entier_borne lays them out;
    // false, writing nothing, when they do not lie inside the ROM.
    bool ecrire_entier(long long position, int taille, Ordre_octets ordre, std::uint32_t valeur);

    std::vector<unsigned char> const& octets() const { return octets_; }
    // Every byte written, as runs in offset order, touching runs merged.
    std::vector<Zone> zones_ecrites() const;

private:
    void marquer(std::size_t debut, std::size_t fin);

    std::vector<unsigned char> octets_;
    std::vector<Zone> zones_;
};

}  // namespace Insereur
