#pragma once
#include <cstdint>
#include <vector>

// Deterministic inputs for the codec's benchmarks and equivalence checks.
namespace pakrun_samples {

using Bytes = std::vector<unsigned char>;

// Game-script-like Latin-1 text: words of a small vocabulary, most often the common ones,
// with punctuation, line breaks and pointer tags.
Bytes textLike(std::size_t size, std::uint32_t seed);
Bytes randomBytes(std::size_t size, std::uint32_t seed);
// Random bytes drawn from the first `symbols` byte values only: many equal matches.
Bytes smallAlphabet(std::size_t size, int symbols, std::uint32_t seed);
// A random pattern of `period` bytes repeated.
Bytes periodic(std::size_t size, std::size_t period, std::uint32_t seed);
// Random bytes broken by runs of zeros of random lengths.
Bytes zeroRuns(std::size_t size, std::uint32_t seed);

}  // namespace pakrun_samples
