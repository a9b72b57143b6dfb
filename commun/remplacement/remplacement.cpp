#include "remplacement/remplacement.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <vector>

namespace Remplacement {

namespace {

Etat echec(Etape etape, int erreur) { return Etat{etape, erreur}; }

// The path with every symbolic link along the last component followed, so that a link given
// as the target leads to the file it designates, which is replaced while the link stays.
std::string resoudre(std::string chemin) {
    for (int sauts = 0; sauts < 40; ++sauts) {
        struct stat etat;
        if (lstat(chemin.c_str(), &etat) != 0 || !S_ISLNK(etat.st_mode)) return chemin;
        std::vector<char> lien(PATH_MAX + 1);
        ssize_t const n = readlink(chemin.c_str(), lien.data(), PATH_MAX);
        if (n < 0) return chemin;
        std::string suivant(lien.data(), static_cast<std::size_t>(n));
        if (suivant.empty() || suivant[0] != '/') {
            std::size_t const barre = chemin.rfind('/');
            if (barre != std::string::npos) suivant = chemin.substr(0, barre + 1) + suivant;
        }
        chemin = suivant;
    }
    return chemin;
}

std::string dossier_de(std::string const& chemin) {
    std::size_t const barre = chemin.rfind('/');
    if (barre == std::string::npos) return ".";
    return barre == 0 ? "/" : chemin.substr(0, barre);
}

// The permission bits a new file gets from this process.
unsigned mode_nouveau() {
    mode_t const masque = umask(0);
    umask(masque);
    return 0666u & ~static_cast<unsigned>(masque);
}

bool tout_ecrire(int descripteur, unsigned char const* octets, std::size_t taille) {
    while (taille > 0) {
        ssize_t const n = write(descripteur, octets, taille);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) {
            errno = EIO;
            return false;
        }
        octets += n;
        taille -= static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

Fichier_remplace::~Fichier_remplace() { abandonner(); }

void Fichier_remplace::abandonner() {
    if (descripteur_ >= 0) close(descripteur_);
    descripteur_ = -1;
    if (!temporaire_.empty()) unlink(temporaire_.c_str());
    temporaire_.clear();
}

Etat Fichier_remplace::preparer(std::string const& chemin) {
    abandonner();
    cible_ = resoudre(chemin);
    // Still a link once every link was followed: links that loop, which lead to no file.
    struct stat lien;
    if (lstat(cible_.c_str(), &lien) == 0 && S_ISLNK(lien.st_mode)) return echec(Etape::cible, ELOOP);
    struct stat etat;
    if (stat(cible_.c_str(), &etat) == 0) {
        if (!S_ISREG(etat.st_mode)) return echec(Etape::cible, S_ISDIR(etat.st_mode) ? EISDIR : EINVAL);
        // A file the user may not write is refused, as writing it in place would be.
        if (access(cible_.c_str(), W_OK) != 0) return echec(Etape::cible, errno);
        existe_ = true;
        mode_ = static_cast<unsigned>(etat.st_mode) & 07777u;
    } else {
        existe_ = false;
        mode_ = mode_nouveau();
    }
    std::string modele = cible_ + suffixe + "XXXXXX";
    descripteur_ = mkstemp(modele.data());
    if (descripteur_ < 0) return echec(Etape::creation, errno);
    temporaire_ = modele;
    return Etat{};
}

Etat Fichier_remplace::valider(void const* octets, std::size_t taille) {
    if (descripteur_ < 0) return echec(Etape::creation, EBADF);
    Etat resultat;
    if (!tout_ecrire(descripteur_, static_cast<unsigned char const*>(octets), taille))
        resultat = echec(Etape::ecriture, errno);
    else if (fchmod(descripteur_, static_cast<mode_t>(mode_)) != 0)
        resultat = echec(Etape::droits, errno);
    else if (fsync(descripteur_) != 0)
        resultat = echec(Etape::synchronisation, errno);
    if (!resultat.remplace()) {
        abandonner();
        return resultat;
    }
    int const descripteur = descripteur_;
    descripteur_ = -1;
    if (close(descripteur) != 0) {
        resultat = echec(Etape::fermeture, errno);
        abandonner();
        return resultat;
    }
    if (rename(temporaire_.c_str(), cible_.c_str()) != 0) {
        resultat = echec(Etape::renommage, errno);
        abandonner();
        return resultat;
    }
    temporaire_.clear();
    // The rename reaches the disk with the folder's own sync; the file is already the new one.
    int const dossier = open(dossier_de(cible_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dossier < 0) return echec(Etape::dossier, errno);
    if (fsync(dossier) != 0) resultat = echec(Etape::dossier, errno);
    if (close(dossier) != 0 && resultat.etape == Etape::aucune) resultat = echec(Etape::dossier, errno);
    return resultat;
}

Etat remplacer(std::string const& chemin, void const* octets, std::size_t taille) {
    Fichier_remplace fichier;
    Etat const prepare = fichier.preparer(chemin);
    if (!prepare.remplace()) return prepare;
    return fichier.valider(octets, taille);
}

Verrou::~Verrou() {
    if (descripteur_ >= 0) close(descripteur_);
}

bool Verrou::prendre(std::string const& chemin) {
    std::string const cible = resoudre(chemin);
    for (;;) {
        // Not blocking on the open: a pipe given as the file must be refused, not waited on.
        int const descripteur = open(cible.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (descripteur < 0) return false;
        struct stat genre;
        if (fstat(descripteur, &genre) != 0 || !S_ISREG(genre.st_mode)) {
            close(descripteur);
            errno = EINVAL;
            return false;
        }
        int verrouille;
        do verrouille = flock(descripteur, LOCK_EX);
        while (verrouille != 0 && errno == EINTR);
        struct stat ouvert;
        struct stat nomme;
        // The file may have been replaced while this process waited: then the name leads to
        // another file, whose lock is the one that counts.
        if (verrouille == 0 && fstat(descripteur, &ouvert) == 0 && stat(cible.c_str(), &nomme) == 0 &&
            ouvert.st_dev == nomme.st_dev && ouvert.st_ino == nomme.st_ino) {
            if (descripteur_ >= 0) close(descripteur_);
            descripteur_ = descripteur;
            return true;
        }
        int const erreur = errno;
        close(descripteur);
        if (verrouille != 0) {
            errno = erreur;
            return false;
        }
    }
}

}  // namespace Remplacement
