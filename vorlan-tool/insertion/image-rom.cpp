#include "insertion/image-rom.h"

#include <algorithm>
#include <stdexcept>

namespace Insereur {

bool Image_rom::dans_la_rom(long long position, long long nombre) const {
    return position >= 0 && nombre >= 0 && position + nombre <= static_cast<long long>(octets_.size());
}

void Image_rom::ecrire(long long position, unsigned char const* octets, std::size_t nombre) {
    if (!dans_la_rom(position, static_cast<long long>(nombre)))
        throw std::out_of_range("Image_rom: write outside the ROM");
    std::size_t const debut = static_cast<std::size_t>(position);
    std::copy(octets, octets + nombre, octets_.begin() + static_cast<long>(debut));
    marquer(debut, debut + nombre);
}

void Image_rom::remplir(long long position, long long nombre, unsigned char octet) {
    if (!dans_la_rom(position, nombre)) throw std::out_of_range("Image_rom: fill outside the ROM");
    std::size_t const debut = static_cast<std::size_t>(position);
    std::size_t const fin = debut + static_cast<std::size_t>(nombre);
    std::fill(octets_.begin() + static_cast<long>(debut), octets_.begin() + static_cast<long>(fin), octet);
    marquer(debut, fin);
}

bool Image_rom::ecrire_entier(long long position, int taille, Ordre_octets ordre, std::uint32_t valeur) {
    if (!ecrire_entier_borne(octets_, position, taille, ordre, valeur)) return false;
    marquer(static_cast<std::size_t>(position), static_cast<std::size_t>(position) + static_cast<std::size_t>(taille));
    return true;
}

void Image_rom::marquer(std::size_t debut, std::size_t fin) {
    if (debut == fin) return;
    // Writes mostly follow one another (text bytes, consecutive slots): extend the last run.
    if (!zones_.empty() && debut <= zones_.back().second && fin >= zones_.back().first) {
        zones_.back().first = std::min(zones_.back().first, debut);
        zones_.back().second = std::max(zones_.back().second, fin);
        return;
    }
    zones_.emplace_back(debut, fin);
}

std::vector<Image_rom::Zone> Image_rom::zones_ecrites() const {
    std::vector<Zone> zones = zones_;
    std::sort(zones.begin(), zones.end());
    std::vector<Zone> fusion;
    for (Zone const& z : zones) {
        if (!fusion.empty() && z.first <= fusion.back().second)
            fusion.back().second = std::max(fusion.back().second, z.second);
        else
            fusion.push_back(z);
    }
    return fusion;
}

}  // namespace Insereur
