#include "redirection.h"

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace bench_optimiseurs {

Redirection::Redirection(char const* chemin) {
    std::fflush(stdout);
    ancienne_ = dup(STDOUT_FILENO);
    int fichier = open(chemin, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fichier < 0) return;  // stdout stays where it was
    dup2(fichier, STDOUT_FILENO);
    close(fichier);
}

Redirection::~Redirection() {
    std::fflush(stdout);
    dup2(ancienne_, STDOUT_FILENO);
    close(ancienne_);
}

}  // namespace bench_optimiseurs
