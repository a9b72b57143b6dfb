#include "fuzz/support.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <unistd.h>

namespace fuzz {

namespace {

std::string const& dossier() {
    static std::string const chemin = [] {
        char const* base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        std::string modele = std::string(base) + "/vorlan-fuzz-XXXXXX";
        if (mkdtemp(modele.data()) == nullptr) throw std::runtime_error("mkdtemp");
        return modele;
    }();
    return chemin;
}

}  // namespace

std::string ecrire(char const* nom, std::string const& octets) {
    std::string chemin = dossier() + "/" + nom;
    std::FILE* f = std::fopen(chemin.c_str(), "wb");
    if (f == nullptr) throw std::runtime_error("fopen " + chemin);
    std::fwrite(octets.data(), 1, octets.size(), f);
    std::fclose(f);
    return chemin;
}

std::string chemin_vide(char const* nom) {
    std::string chemin = dossier() + "/" + nom;
    std::remove(chemin.c_str());
    return chemin;
}

}  // namespace fuzz
