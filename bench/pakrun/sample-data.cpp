#include "sample-data.h"

#include <random>
#include <string>

namespace pakrun_samples {

Bytes textLike(std::size_t size, std::uint32_t seed) {
    std::mt19937 random(seed);
    static char const* const syllables[] = {"ka", "ri", "to", "men", "sa", "lo", "ver", "de", "ul", "an",
                                            "thi", "é", "or", "qu", "ne", "la", "è", "st", "ion", "be"};
    std::vector<std::string> words;
    for (int i = 0; i < 400; ++i) {
        std::string word;
        int const parts = 1 + static_cast<int>(random() % 3);
        for (int p = 0; p < parts; ++p) word += syllables[random() % 20];
        words.push_back(word);
    }
    Bytes text;
    int sentence = 0;
    int tag = 0;
    while (text.size() < size) {
        // Squaring a uniform draw makes the first words of the vocabulary far more common.
        double const u = static_cast<double>(random()) / 4294967296.0;
        std::string const& word = words[static_cast<std::size_t>(u * u * words.size())];
        text.insert(text.end(), word.begin(), word.end());
        ++sentence;
        unsigned const roll = random() % 16;
        char const* end = " ";
        if (roll == 0 && sentence > 4) {
            end = ".\n";
            sentence = 0;
        } else if (roll == 1) {
            end = ", ";
        } else if (roll == 2 && sentence > 6) {
            end = "!\n<END>\n";
            sentence = 0;
        }
        text.insert(text.end(), end, end + std::char_traits<char>::length(end));
        if (roll == 3 && sentence == 0) {
            std::string const label = "<PT" + std::to_string(1000 + tag++) + ">\n";
            text.insert(text.end(), label.begin(), label.end());
        }
    }
    text.resize(size);
    return text;
}

Bytes randomBytes(std::size_t size, std::uint32_t seed) { return smallAlphabet(size, 256, seed); }

Bytes smallAlphabet(std::size_t size, int symbols, std::uint32_t seed) {
    std::mt19937 random(seed);
    Bytes bytes(size);
    for (auto& byte : bytes) byte = static_cast<unsigned char>(random() % static_cast<unsigned>(symbols));
    return bytes;
}

Bytes periodic(std::size_t size, std::size_t period, std::uint32_t seed) {
    Bytes const pattern = randomBytes(period, seed);
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = pattern[i % period];
    return bytes;
}

Bytes zeroRuns(std::size_t size, std::uint32_t seed) {
    std::mt19937 random(seed);
    Bytes bytes;
    while (bytes.size() < size) {
        std::size_t const run = random() % 40;
        bytes.insert(bytes.end(), run, 0);
        std::size_t const noise = random() % 12;
        for (std::size_t i = 0; i < noise; ++i) bytes.push_back(static_cast<unsigned char>(random()));
    }
    bytes.resize(size);
    return bytes;
}

}  // namespace pakrun_samples
