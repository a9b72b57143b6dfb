#include "host/enregistrement.h"

#include <climits>
#include <cstdio>

bool enregistrer_texte(Fichier& fichier, std::string const& texte) {
    std::FILE* const flux = fichier.stream();
    if (flux == nullptr) return false;
    bool const ecrit = std::fwrite(texte.data(), 1, texte.size(), flux) == texte.size();
    return std::fflush(flux) == 0 && ecrit;
}

bool enregistrer_image(Fichier& rom, Insereur::Image_rom const& image) {
    std::FILE* const flux = rom.stream();
    if (flux == nullptr) return false;
    for (Insereur::Image_rom::Zone const& zone : image.zones_ecrites()) {
        std::size_t const nombre = zone.second - zone.first;
        if (zone.first > static_cast<std::size_t>(LONG_MAX) ||
            std::fseek(flux, static_cast<long>(zone.first), SEEK_SET) != 0 ||
            std::fwrite(image.octets().data() + zone.first, 1, nombre, flux) != nombre)
            return false;
    }
    return std::fflush(flux) == 0;
}
