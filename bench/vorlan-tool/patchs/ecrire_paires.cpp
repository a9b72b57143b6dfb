// Writes the benchmark's ROM pairs to a folder, for timing creer_patch and appliquer_patch as
// whole commands: ecrire_paires <folder> gives traduction-{original,modifie}.bin and the same
// for corrections and agrandissement.
#include <cstdio>
#include <string>

#include "paires_roms.h"

namespace {

bool ecrire(std::string const& chemin, Octets const& octets) {
    std::FILE* f = std::fopen(chemin.c_str(), "wb");
    bool ok = f != nullptr && std::fwrite(octets.data(), 1, octets.size(), f) == octets.size();
    if (f != nullptr && std::fclose(f) != 0) ok = false;
    if (!ok) std::fprintf(stderr, "cannot write %s\n", chemin.c_str());
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: ecrire_paires <folder>\n");
        return 2;
    }
    std::string const dossier = argv[1];
    struct {
        char const* nom;
        Paire paire;
    } const paires[] = {{"traduction", paire_traduite()}, {"corrections", paire_corrigee(12)},
                        {"agrandissement", paire_agrandie()}};
    for (auto const& [nom, paire] : paires)
        if (!ecrire(dossier + "/" + nom + "-original.bin", paire.original) ||
            !ecrire(dossier + "/" + nom + "-modifie.bin", paire.modifie))
            return 1;
    return 0;
}
