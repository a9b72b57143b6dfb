// Checks that the tool's indexed match search gives exactly what the plain search gives:
// the same (length, position) at every ring position of many rings, and the same compressed
// bytes for many inputs, each of which must also decode back to itself. With "--full" it
// also checks the 1 MiB benchmark inputs.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "pakrun/codec-decoder.h"
#include "pakrun/codec-encoder.h"
#include "pakrun/dictionary.h"
#include "pakrun/ring.h"
#include "reference-encoder.h"
#include "sample-data.h"

namespace {

using pakrun_samples::Bytes;

int failures = 0;

void fail(std::string const& what) {
    if (++failures <= 20) std::printf("MISMATCH %s\n", what.c_str());
}

void checkInput(std::string const& name, Bytes const& input) {
    int const length = static_cast<int>(input.size());
    Bytes fast(static_cast<std::size_t>(pakrun::pkCompBound(length)));
    Bytes plain(fast.size());
    int const fastSize = pakrun::pkComp(input.data(), fast.data(), length);
    int const plainSize = pakrun_reference::pkComp(input.data(), plain.data(), length);
    if (fastSize != plainSize || std::memcmp(fast.data(), plain.data(), static_cast<std::size_t>(fastSize)) != 0) {
        fail(name + ": compressed bytes differ");
        return;
    }
    Bytes decoded(input.size());
    int const consumed = pakrun::pkDecomp(fast.data(), fastSize, decoded.data(), length);
    if (decoded != input || consumed != (length == 0 ? 0 : fastSize)) fail(name + ": round trip");
}

void checkRing(std::string const& name, Bytes const& bytes) {
    pakrun::Dictionary ring;
    for (int p = 0; p < 256; ++p) ring.put(p, bytes[static_cast<std::size_t>(p)]);
    for (int position = 0; position < 256; ++position) {
        int fastBest = -1;
        int plainBest = -1;
        int const fastLength = pakrun::findSequence(ring, position, fastBest);
        int const plainLength = pakrun_reference::findSequence(bytes.data(), position, plainBest);
        if (fastLength != plainLength || fastBest != plainBest) {
            fail(name + " at position " + std::to_string(position) + ": " + std::to_string(fastLength) + "@" +
                 std::to_string(fastBest) + " instead of " + std::to_string(plainLength) + "@" +
                 std::to_string(plainBest));
            return;
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    using namespace pakrun_samples;
    bool const full = argc > 1 && std::strcmp(argv[1], "--full") == 0;

    for (std::uint32_t seed = 0; seed < 400; ++seed) {
        int const symbols = 1 + static_cast<int>(seed % 5);
        checkRing("ring of " + std::to_string(symbols) + " symbols, seed " + std::to_string(seed),
                  smallAlphabet(256, symbols, seed));
    }
    checkRing("zero runs ring", zeroRuns(256, 7));
    checkRing("text ring", textLike(256, 7));

    for (std::size_t size = 0; size <= 600; ++size) {
        std::uint32_t const seed = static_cast<std::uint32_t>(size);
        checkInput("random " + std::to_string(size), randomBytes(size, seed));
        if (size % 3 == 0) checkInput("zero runs " + std::to_string(size), zeroRuns(size, seed));
        if (size % 3 == 1) checkInput("two symbols " + std::to_string(size), smallAlphabet(size, 2, seed));
        if (size % 3 == 2) checkInput("text " + std::to_string(size), textLike(size, seed));
    }
    for (std::size_t period = 1; period <= 40; ++period) {
        checkInput("period " + std::to_string(period), periodic(300 + 7 * period, period, 100 + period));
    }
    checkInput("all zeros", Bytes(1000, 0));
    checkInput("text 32 KiB", textLike(32 << 10, 1));
    checkInput("random 32 KiB", randomBytes(32 << 10, 2));
    if (full) {
        checkInput("text 1 MiB", textLike(1 << 20, 1));
        checkInput("random 1 MiB", randomBytes(1 << 20, 2));
    }

    if (failures > 0) {
        std::printf("%d mismatches\n", failures);
        return 1;
    }
    std::printf("indexed search matches the plain search\n");
    return 0;
}
