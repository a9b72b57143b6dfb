// The codec's decoder on arbitrary compressed bytes and sizes, and the encoder's round trip:
// decoding what it wrote gives the input back and consumes exactly what it wrote.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "pakrun/codec-decoder.h"
#include "pakrun/codec-encoder.h"

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    if (size < 3) return 0;
    int taille = (data[1] << 8 | data[2]) % 4096;
    unsigned char const* octets = data + 3;
    int disponible = static_cast<int>(size - 3);
    if (data[0] & 1) {
        std::vector<unsigned char> sortie(static_cast<std::size_t>(taille));
        pakrun::pkDecomp(octets, disponible, sortie.data(), taille);
        return 0;
    }
    std::vector<unsigned char> comprime(static_cast<std::size_t>(pakrun::pkCompBound(disponible)));
    int n = pakrun::pkComp(octets, comprime.data(), disponible);
    if (n < 0 || n > static_cast<int>(comprime.size())) std::abort();
    std::vector<unsigned char> retour(static_cast<std::size_t>(disponible) + 1);
    int lus = pakrun::pkDecomp(comprime.data(), n, retour.data(), disponible);
    if (disponible > 0 && lus != n) std::abort();
    if (std::memcmp(retour.data(), octets, static_cast<std::size_t>(disponible)) != 0) std::abort();
    return 0;
}
