#pragma once
#include "lib/entiers.h"

// Where a ROM keeps its pointer table: `nombre` slots of `taille` bytes one after another from
// file offset `adresse`, each holding a pointer value in the given byte order.
struct Table_pointeurs {
    int adresse = 0;
    int nombre = 0;
    int taille = 2;
    Ordre_octets ordre = Ordre_octets::grand_boutiste;
};
