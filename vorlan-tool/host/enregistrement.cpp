#include "host/enregistrement.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "host/sortie.h"

bool Sortie::preparer(char const* nom, Message si_refusee) {
    nom_ = nom;
    Remplacement::Etat const etat = fichier_.preparer(nom);
    if (etat.remplace()) return true;
    // An existing file that this process may write, in a folder that takes no new file: the
    // replacement has nowhere to go.
    if (etat.etape == Remplacement::Etape::creation && fichier_.existe())
        afficher(Rapport(Message::temporaire_impossible, {nom, std::strerror(etat.erreur)}));
    else
        afficher(Rapport(si_refusee, {nom}));
    return false;
}

bool Sortie::enregistrer(void const* octets, std::size_t taille) {
    Remplacement::Etat const etat = fichier_.valider(octets, taille);
    if (etat.etape == Remplacement::Etape::dossier)
        afficher(Rapport(Message::dossier_non_synchronise, {nom_, std::strerror(etat.erreur)}));
    if (etat.remplace()) return true;
    afficher(Rapport(Message::ecriture_impossible, {nom_}));
    afficher(Rapport(Message::cause_fichier_intact, {std::strerror(etat.erreur), nom_}));
    return false;
}

bool meme_fichier(char const* premier, char const* second) {
    struct stat a;
    struct stat b;
    return stat(premier, &a) == 0 && stat(second, &b) == 0 && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}
