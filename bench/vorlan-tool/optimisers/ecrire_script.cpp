// Writes the generated game script of the benchmarks at any size, for timing the optimisers as
// whole commands on scripts of tens of megabytes: ecrire_script <mebibytes> <seed> <file>.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "script_aleatoire.h"

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: ecrire_script <mebibytes> <seed> <file>\n");
        return 2;
    }
    std::size_t const taille = std::strtoull(argv[1], nullptr, 10) << 20;
    std::string const script =
        bench_optimiseurs::script_de_jeu(taille, static_cast<std::uint32_t>(std::strtoul(argv[2], nullptr, 10)));
    std::FILE* f = std::fopen(argv[3], "wb");
    if (f == nullptr || std::fwrite(script.data(), 1, script.size(), f) != script.size() || std::fclose(f) != 0) {
        std::fprintf(stderr, "cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
