#pragma once
#include <sys/stat.h>

#include <filesystem>
#include <map>
#include <ostream>
#include <string>

#include "remplacement/remplacement.h"

#include "support/scratch.h"

namespace essai_remplacement {

// Every entry below a folder by its relative path, links by their own name (never followed):
// a regular file by its bytes, a link by "-> " and what it designates, anything else by a mark.
// Comparing two of them tells what a replacement left behind.
inline std::map<std::string, std::string> contenu(std::string const& dossier) {
    namespace fs = std::filesystem;
    std::map<std::string, std::string> entrees;
    for (auto const& e : fs::recursive_directory_iterator(dossier)) {
        std::string const nom = e.path().lexically_relative(dossier).string();
        if (e.is_symlink())
            entrees[nom] = "-> " + fs::read_symlink(e.path()).string();
        else if (e.is_directory())
            entrees[nom] = "(folder)";
        else if (e.is_regular_file())
            entrees[nom] = test_support::read_file(e.path().string());
        else
            entrees[nom] = "(special)";
    }
    return entrees;
}

// The permission bits of a file (a link followed).
inline unsigned droits(std::string const& chemin) {
    struct stat etat;
    if (stat(chemin.c_str(), &etat) != 0) return 0xFFFFFFFFu;
    return static_cast<unsigned>(etat.st_mode) & 07777u;
}

// Sets the process's umask for the time of a test.
class Masque {
public:
    explicit Masque(mode_t masque) : ancien_(umask(masque)) {}
    ~Masque() { umask(ancien_); }
    Masque(Masque const&) = delete;
    Masque& operator=(Masque const&) = delete;

private:
    mode_t ancien_;
};

}  // namespace essai_remplacement

namespace Remplacement {

// The step by its name in a failed check.
inline void PrintTo(Etape etape, std::ostream* os) {
    static char const* const noms[] = {"aucune",    "cible",    "creation", "ecriture", "synchronisation",
                                       "fermeture", "droits", "renommage", "dossier"};
    auto const rang = static_cast<std::size_t>(etape);
    *os << (rang < sizeof noms / sizeof noms[0] ? noms[rang] : "?");
}

}  // namespace Remplacement
