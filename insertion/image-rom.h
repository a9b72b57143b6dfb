#pragma once
#include <cstddef>
#include <vector>

class Fichier;

namespace Insereur {

// A span of the ROM held in memory while an insertion is prepared. Every write lands here
// first and reaches the file only through enregistrer, once everything has been encoded:
// a failure half-way leaves the ROM exactly as it was.
class Image_rom {
public:
    // Reads the ROM's bytes [debut, fin) (0 <= debut <= fin <= size, checked by the caller).
    // False when the file gives fewer bytes than that.
    bool charger(Fichier& rom, int debut, int fin);

    int taille_rom() const { return taille_rom_; }
    // True when the `nombre` bytes from `position` lie wholly inside the ROM file.
    bool dans_la_rom(long long position, int nombre) const;

    // Writes bytes at ROM offsets that lie inside the span read.
    void ecrire(int position, unsigned char const* octets, int nombre);
    void remplir(int position, int nombre, unsigned char octet);

    // Writes back every byte written into the image, in as few runs as they allow.
    // False when the file refuses some of them.
    bool enregistrer(Fichier& rom) const;

private:
    // Index of `position` in the span; callers only write where they have checked, so a
    // write outside it is a fault of the program and stops it.
    std::size_t place(int position, int nombre) const;

    int debut_ = 0;
    int taille_rom_ = 0;
    std::vector<unsigned char> octets_;
    std::vector<unsigned char> modifies_;  // 1 for each byte written
};

}  // namespace Insereur
