// The formula evaluator on any formula text and any value of X.
#include <cstdint>
#include <cstring>
#include <string>

#include "lib/calcul.h"
#include "lib/erreur.h"

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    if (size < 4) return 0;
    std::int32_t x;
    std::memcpy(&x, data, 4);
    std::string formule(reinterpret_cast<char const*>(data + 4), size - 4);
    try {
        Calcul::calculer(formule.c_str(), x);
    } catch (math_error const&) {
    }
    return 0;
}
