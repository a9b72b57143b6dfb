#include "insertion/insereur-pointeur.h"

#include <cstdio>
#include <stdexcept>

#include "insertion/image-rom.h"
#include "lib/calcul.h"

namespace Insereur {

namespace {

// The low `taille` bytes of the value, in the slot's byte order.
void ecrire_octets(unsigned int valeur, int taille, bool ordre, unsigned char* octets) {
    for (int k = 0; k < taille; ++k) {
        unsigned char const octet = static_cast<unsigned char>(valeur >> (8 * k));
        octets[ordre ? k : taille - 1 - k] = octet;
    }
}

}  // namespace

void inserer_pointeur(Image_rom& rom, int position, int numero, int adresse, int nombre, int taille,
                      char const* formule, bool ordre) {
    if (numero > nombre) {
        std::printf("Erreur : le pointeur numéro %d ne sera pas inseré : son numéro est supérieur au nombre de "
                    "pointeurs\n",
                    numero);
        return;
    }
    if (numero < 1) {
        std::printf("Erreur : le pointeur numéro %d ne sera pas inseré : son numéro est inférieur à 1\n", numero);
        return;
    }
    long long const emplacement = adresse + static_cast<long long>(numero - 1) * taille;
    if (!rom.dans_la_rom(emplacement, taille)) {
        std::printf("Erreur : le pointeur numéro %d ne sera pas inseré : son emplacement est situé hors de la rom\n",
                    numero);
        return;
    }
    unsigned int const valeur = static_cast<unsigned int>(Calcul::calculer(formule, position));
    unsigned char octets[sizeof valeur];
    if (taille > static_cast<int>(sizeof octets)) throw std::invalid_argument("inserer_pointeur: slot size above 4");
    ecrire_octets(valeur, taille, ordre, octets);
    rom.ecrire(static_cast<int>(emplacement), octets, taille);
}

}  // namespace Insereur
