#include "insertion/image-rom.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "lib/fichiers.h"

namespace Insereur {

bool Image_rom::charger(Fichier& rom, int debut, int fin) {
    debut_ = debut;
    taille_rom_ = rom.size();
    octets_.assign(static_cast<std::size_t>(fin - debut), 0);
    modifies_.assign(octets_.size(), 0);
    if (octets_.empty()) return true;
    rom.seek(debut, 0);
    return rom.read(octets_.data(), 1, static_cast<int>(octets_.size())) == static_cast<int>(octets_.size());
}

bool Image_rom::dans_la_rom(long long position, int nombre) const {
    return position >= 0 && nombre >= 0 && position + nombre <= taille_rom_;
}

void Image_rom::ecrire(int position, unsigned char const* octets, int nombre) {
    std::size_t const i = place(position, nombre);
    std::copy(octets, octets + nombre, octets_.begin() + static_cast<long>(i));
    std::fill_n(modifies_.begin() + static_cast<long>(i), nombre, 1);
}

void Image_rom::remplir(int position, int nombre, unsigned char octet) {
    std::size_t const i = place(position, nombre);
    std::fill_n(octets_.begin() + static_cast<long>(i), nombre, octet);
    std::fill_n(modifies_.begin() + static_cast<long>(i), nombre, 1);
}

std::size_t Image_rom::place(int position, int nombre) const {
    long long const i = static_cast<long long>(position) - debut_;
    if (i < 0 || nombre < 0 || i + nombre > static_cast<long long>(octets_.size()))
        throw std::out_of_range("Image_rom: write outside the span read");
    return static_cast<std::size_t>(i);
}

bool Image_rom::enregistrer(Fichier& rom) const {
    std::size_t i = 0;
    while (i < octets_.size()) {
        if (!modifies_[i]) {
            ++i;
            continue;
        }
        std::size_t fin = i;
        while (fin < octets_.size() && modifies_[fin]) ++fin;
        int const nombre = static_cast<int>(fin - i);
        rom.seek(debut_ + static_cast<int>(i), 0);
        if (rom.write(&octets_[i], 1, nombre) != nombre) return false;
        i = fin;
    }
    return std::fflush(rom.stream()) == 0;
}

}  // namespace Insereur
