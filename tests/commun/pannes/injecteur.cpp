// Loaded with LD_PRELOAD into the real programs: stands between them and the system calls of
// the commit path, counts those calls, and makes one of them fail on demand.
//
//   VORLAN_PANNE_APPEL   the function whose call fails: write, fchmod, fsync, close, rename,
//                        mkstemp, open or flock
//   VORLAN_PANNE_RANG    which of its calls fails, counted from 1
//   VORLAN_PANNE_ERREUR  the error it fails with: EIO, ENOSPC or a number
//   VORLAN_PANNE_BLOC    when set, no write() takes more than this many bytes, so that the
//                        program's write loop runs many times and a failure can land inside it
//   VORLAN_PANNE_RAPPORT a file that receives, when the program exits, one line
//                        "function kind count" per kind of call seen, and the line
//                        "panne function kind" when a call was made to fail, then "fin"
//
// The kind tells which descriptor a call was about: "temporaire" for the file mkstemp made,
// "dossier" for a folder opened with O_DIRECTORY, "autre" for anything else; calls that take a
// name rather than a descriptor (mkstemp, rename) have the kind "nom". glibc's own stdio makes
// its system calls internally, so messages and the reads of the inputs are never seen here.
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/file.h>
#include <sys/stat.h>

namespace {

enum Appel { ecrire, droits, synchroniser, fermer, renommer, creer, ouvrir, verrouiller, nombre_appels };
char const* const noms_appels[nombre_appels] = {"write", "fchmod", "fsync", "close",
                                                "rename", "mkstemp", "open", "flock"};

// "autre" first: a descriptor never seen is one of the others.
enum Genre { autre, temporaire, dossier, nom, nombre_genres };
char const* const noms_genres[nombre_genres] = {"autre", "temporaire", "dossier", "nom"};

constexpr int descripteurs_suivis = 4096;

struct Etat {
    bool pret = false;
    int appel_en_panne = -1;
    long rang = 0;
    int erreur = EIO;
    long bloc = 0;
    char const* rapport = nullptr;

    long comptes[nombre_appels][nombre_genres] = {};
    long vus[nombre_appels] = {};
    int panne_appel = -1;
    int panne_genre = -1;

    Genre genres[descripteurs_suivis] = {};
};

Etat etat;

template <typename F>
F reel(char const* symbole) {
    void* const f = dlsym(RTLD_NEXT, symbole);
    if (f == nullptr) {
        std::fprintf(stderr, "injecteur: no %s in the system's libraries\n", symbole);
        std::abort();
    }
    return reinterpret_cast<F>(f);
}

using Write = ssize_t (*)(int, void const*, size_t);
using Fchmod = int (*)(int, mode_t);
using Fsync = int (*)(int);
using Close = int (*)(int);
using Rename = int (*)(char const*, char const*);
using Mkstemp = int (*)(char*);
using Open = int (*)(char const*, int, ...);
using Flock = int (*)(int, int);

int erreur_nommee(char const* texte) {
    if (std::strcmp(texte, "EIO") == 0) return EIO;
    if (std::strcmp(texte, "ENOSPC") == 0) return ENOSPC;
    int const n = std::atoi(texte);
    return n > 0 ? n : EIO;
}

void preparer() {
    if (etat.pret) return;
    etat.pret = true;
    if (char const* appel = std::getenv("VORLAN_PANNE_APPEL")) {
        for (int a = 0; a < nombre_appels; ++a)
            if (std::strcmp(appel, noms_appels[a]) == 0) etat.appel_en_panne = a;
    }
    if (char const* rang = std::getenv("VORLAN_PANNE_RANG")) etat.rang = std::atol(rang);
    if (char const* erreur = std::getenv("VORLAN_PANNE_ERREUR")) etat.erreur = erreur_nommee(erreur);
    if (char const* bloc = std::getenv("VORLAN_PANNE_BLOC")) etat.bloc = std::atol(bloc);
    etat.rapport = std::getenv("VORLAN_PANNE_RAPPORT");
}

Genre genre_de(int fd) { return fd >= 0 && fd < descripteurs_suivis ? etat.genres[fd] : autre; }

void suivre(int fd, Genre genre) {
    if (fd >= 0 && fd < descripteurs_suivis) etat.genres[fd] = genre;
}

// Counts the call; true when this is the one to fail (errno is then set).
bool compter(Appel appel, Genre genre) {
    preparer();
    ++etat.comptes[appel][genre];
    ++etat.vus[appel];
    if (appel != etat.appel_en_panne || etat.vus[appel] != etat.rang) return false;
    etat.panne_appel = appel;
    etat.panne_genre = genre;
    errno = etat.erreur;
    return true;
}

// Written with the real calls, so that the report counts nothing of its own.
__attribute__((destructor)) void rapporter() {
    preparer();
    if (etat.rapport == nullptr) return;
    static Open const ouvrir_reel = reel<Open>("open");
    static Write const ecrire_reel = reel<Write>("write");
    static Close const fermer_reel = reel<Close>("close");
    int const fd = ouvrir_reel(etat.rapport, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return;
    char ligne[128];
    for (int a = 0; a < nombre_appels; ++a)
        for (int g = 0; g < nombre_genres; ++g)
            if (etat.comptes[a][g] > 0) {
                int const n = std::snprintf(ligne, sizeof ligne, "%s %s %ld\n", noms_appels[a], noms_genres[g],
                                            etat.comptes[a][g]);
                (void)!ecrire_reel(fd, ligne, static_cast<size_t>(n));
            }
    if (etat.panne_appel >= 0) {
        int const n = std::snprintf(ligne, sizeof ligne, "panne %s %s\n", noms_appels[etat.panne_appel],
                                    noms_genres[etat.panne_genre]);
        (void)!ecrire_reel(fd, ligne, static_cast<size_t>(n));
    }
    (void)!ecrire_reel(fd, "fin\n", 4);
    fermer_reel(fd);
}

}  // namespace

extern "C" {

ssize_t write(int fd, void const* octets, size_t taille) {
    static Write const reelle = reel<Write>("write");
    if (compter(ecrire, genre_de(fd))) return -1;
    if (etat.bloc > 0 && taille > static_cast<size_t>(etat.bloc)) taille = static_cast<size_t>(etat.bloc);
    return reelle(fd, octets, taille);
}

int fchmod(int fd, mode_t mode) {
    static Fchmod const reelle = reel<Fchmod>("fchmod");
    if (compter(droits, genre_de(fd))) return -1;
    return reelle(fd, mode);
}

int fsync(int fd) {
    static Fsync const reelle = reel<Fsync>("fsync");
    if (compter(synchroniser, genre_de(fd))) return -1;
    return reelle(fd);
}

// As the kernel does on an error, the descriptor is released all the same.
int close(int fd) {
    static Close const reelle = reel<Close>("close");
    bool const panne = compter(fermer, genre_de(fd));
    suivre(fd, autre);
    int const erreur = errno;
    int const resultat = reelle(fd);
    if (!panne) return resultat;
    errno = erreur;
    return -1;
}

int rename(char const* ancien, char const* nouveau) {
    static Rename const reelle = reel<Rename>("rename");
    if (compter(renommer, nom)) return -1;
    return reelle(ancien, nouveau);
}

int mkstemp(char* modele) {
    static Mkstemp const reelle = reel<Mkstemp>("mkstemp");
    if (compter(creer, nom)) return -1;
    int const fd = reelle(modele);
    suivre(fd, temporaire);
    return fd;
}

int open(char const* chemin, int drapeaux, ...) {
    static Open const reelle = reel<Open>("open");
    mode_t mode = 0;
    if ((drapeaux & O_CREAT) != 0 || (drapeaux & O_TMPFILE) == O_TMPFILE) {
        std::va_list arguments;
        va_start(arguments, drapeaux);
        mode = static_cast<mode_t>(va_arg(arguments, int));
        va_end(arguments);
    }
    Genre const genre = (drapeaux & O_DIRECTORY) != 0 ? dossier : autre;
    if (compter(ouvrir, genre)) return -1;
    int const fd = reelle(chemin, drapeaux, mode);
    suivre(fd, genre);
    return fd;
}

int flock(int fd, int operation) {
    static Flock const reelle = reel<Flock>("flock");
    if (compter(verrouiller, genre_de(fd))) return -1;
    return reelle(fd, operation);
}

}  // extern "C"
