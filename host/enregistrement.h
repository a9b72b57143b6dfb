#pragma once
#include <string>

#include "insertion/image-rom.h"
#include "lib/fichiers.h"

// The commit step of the commands: what an operation produced reaches its file here, once the
// operation has run to its end.

// Writes the whole text into the file opened for it; false when the file did not take it all.
bool enregistrer_texte(Fichier& fichier, std::string const& texte);

// Writes into the ROM file opened for writing every byte the image holds as written, in as
// few runs as they allow; false when the file refuses some of them.
bool enregistrer_image(Fichier& rom, Insereur::Image_rom const& image);
