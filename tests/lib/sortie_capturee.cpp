#include "sortie_capturee.h"

#include <unistd.h>

#include <cstdio>
#include <stdexcept>

namespace {

void retablir(int sauvegarde)
{
    std::fflush(stdout);
    dup2(sauvegarde, STDOUT_FILENO);
    close(sauvegarde);
}

}  // namespace

std::string capturer_sortie(std::function<void()> const& action)
{
    std::FILE* fichier = std::tmpfile();
    if (fichier == nullptr)
        throw std::runtime_error("tmpfile failed");
    std::fflush(stdout);
    int sauvegarde = dup(STDOUT_FILENO);
    dup2(fileno(fichier), STDOUT_FILENO);
    try {
        action();
    } catch (...) {
        retablir(sauvegarde);
        std::fclose(fichier);
        throw;
    }
    retablir(sauvegarde);

    std::string sortie;
    std::rewind(fichier);
    int c;
    while ((c = std::fgetc(fichier)) != EOF)
        sortie.push_back(static_cast<char>(c));
    std::fclose(fichier);
    return sortie;
}
