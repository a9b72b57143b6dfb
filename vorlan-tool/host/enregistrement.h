#pragma once
#include <cstddef>
#include <string>

#include "lib/catalogue.h"
#include "remplacement/remplacement.h"

// The commit step of the commands: every file vorlan-tool writes is replaced whole through
// this, never overwritten in place, so that a failure at any point leaves it as it was.
class Sortie {
public:
    // Prepares the file before the work, so that a file that cannot be written is refused
    // before anything is done: a file that is not writable, or that cannot be created, with
    // `si_refusee` and its name (the message the command has always given for it); an
    // existing file beside which no temporary file can be made, with its own message.
    // False after printing why.
    bool preparer(char const* nom, Message si_refusee);

    // Replaces the file by the whole content. False after printing that it could not be
    // written, why, and that it was not changed; true when the file holds the new content
    // (after a warning when its folder could not be synced).
    bool enregistrer(void const* octets, std::size_t taille);
    bool enregistrer(std::string const& texte) { return enregistrer(texte.data(), texte.size()); }

private:
    Remplacement::Fichier_remplace fichier_;
    std::string nom_;
};

// True when both names lead to one existing file (the same device and inode).
bool meme_fichier(char const* premier, char const* second);
