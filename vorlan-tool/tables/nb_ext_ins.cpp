#include "tables/nb_ext_ins.h"

#include <algorithm>
#include <cstring>

#include "lib/vorlan_lib.h"

namespace {

// One byte from a group of one or two hex digits; anything else in the group gives 0.
unsigned char octet_du_groupe(unsigned char const* groupe, std::size_t nombre) {
    char texte[3] = {0, 0, 0};
    std::memcpy(texte, groupe, nombre);
    int ok = 0;
    return static_cast<unsigned char>(Chaine::char_to_number(texte, &ok, 1));
}

std::vector<unsigned char> lire_hexa(unsigned char const* hexa) {
    std::size_t const longueur = std::strlen(reinterpret_cast<char const*>(hexa));
    std::vector<unsigned char> octets;
    octets.reserve(longueur / 2 + longueur % 2);
    std::size_t position = 0;
    if (longueur % 2 == 1) {
        octets.push_back(octet_du_groupe(hexa, 1));
        position = 1;
    }
    for (; position < longueur; position += 2) octets.push_back(octet_du_groupe(hexa + position, 2));
    return octets;
}

}  // namespace

Nb_ext_ins::Nb_ext_ins(unsigned char const* hexa) : octets_(lire_hexa(hexa)) {}

Nb_ext_ins::Nb_ext_ins(unsigned char const* octets, int nombre)
    : octets_(octets, octets + std::max(nombre, 0)) {}

Nb_ext_ins& Nb_ext_ins::operator=(unsigned char const* hexa) {
    octets_ = lire_hexa(hexa);
    return *this;
}

bool Nb_ext_ins::operator<(Nb_ext_ins const& autre) const {
    if (octets_.size() != autre.octets_.size()) return octets_.size() < autre.octets_.size();
    return octets_ < autre.octets_;  // unsigned char: byte by byte as unsigned values
}

bool Nb_ext_ins::operator==(Nb_ext_ins const& autre) const { return octets_ == autre.octets_; }

std::string Nb_ext_ins::hexa() const {
    static char const chiffres[] = "0123456789ABCDEF";
    std::string texte;
    texte.reserve(2 * octets_.size());
    for (unsigned char octet : octets_) {
        texte += chiffres[octet >> 4];
        texte += chiffres[octet & 0x0F];
    }
    return texte;
}
