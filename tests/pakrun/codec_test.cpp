#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "pakrun/codec-decoder.h"
#include "pakrun/codec-encoder.h"

namespace {

using Bytes = std::vector<unsigned char>;

Bytes bytesOf(std::string const& text) { return Bytes(text.begin(), text.end()); }

// Compresses into a buffer of exactly the documented size, so that the sanitizers catch any
// write beyond it.
Bytes compress(Bytes const& input) {
    Bytes out(static_cast<std::size_t>(pakrun::pkCompBound(static_cast<long>(input.size()))));
    out.resize(static_cast<std::size_t>(pakrun::pkComp(input.data(), out.data(), static_cast<int>(input.size()))));
    return out;
}

struct Decoded {
    Bytes bytes;
    int consumed;
};

// Decodes from an input buffer of exactly the given bytes into an output buffer with
// guard bytes after the requested size, which must stay untouched.
Decoded decompress(Bytes const& packed, int size) {
    Bytes const in(packed);
    Bytes out(static_cast<std::size_t>(size > 0 ? size : 0) + 16, 0xA5);
    int const consumed = pakrun::pkDecomp(in.data(), static_cast<int>(in.size()), out.data(), size);
    for (std::size_t i = out.size() - 16; i < out.size(); ++i) EXPECT_EQ(out[i], 0xA5) << "written past the size at " << i;
    out.resize(out.size() - 16);
    return {out, consumed};
}

struct Example {
    char const* name;
    Bytes input;
    Bytes packed;
};

TEST(PakrunCodec, WorkedExamplesComeOutByteForByte) {
    Example const examples[] = {
        {"abcabcabcabc", bytesOf("abcabcabcabc"), {0xE0, 0x61, 0x62, 0x63, 0xEF, 0x70}},
        {"Hello", bytesOf("Hello"), {0xF8, 0x48, 0x65, 0x6C, 0x6C, 0x6F}},
        {"40 A", Bytes(40, 'A'), {0x80, 0x41, 0xEF, 0xFF, 0x00, 0x11, 0x30}},
        {"4 zeros", Bytes(4, 0), {0x00, 0xEE, 0xF0}},
        {"empty", Bytes(), {0x00}},
    };
    for (auto const& example : examples) {
        SCOPED_TRACE(example.name);
        EXPECT_EQ(compress(example.input), example.packed);
        Decoded const decoded = decompress(example.packed, static_cast<int>(example.input.size()));
        EXPECT_EQ(decoded.bytes, example.input);
        EXPECT_EQ(decoded.consumed, example.input.empty() ? 0 : static_cast<int>(example.packed.size()));
    }
}

TEST(PakrunCodec, SizeZeroOrLessConsumesAndWritesNothing) {
    Bytes const packed = {0x00, 0xEE, 0xF0};
    for (int size : {0, -1, -100}) {
        Decoded const decoded = decompress(packed, size);
        EXPECT_EQ(decoded.consumed, 0);
    }
}

TEST(PakrunCodec, AReferenceJustBehindTheWritePositionRepeatsARun) {
    // A literal 'x' at 0xEF, then a reference to 0xEF (w - 1) of length 17.
    Decoded const decoded = decompress({0x80, 'x', 0xEF, 0xF0}, 18);
    EXPECT_EQ(decoded.bytes, Bytes(18, 'x'));
    EXPECT_EQ(decoded.consumed, 4);
}

TEST(PakrunCodec, ReferencesPairUpAcrossControlBytes) {
    // Block 1: a reference to the zero ring (length 3; the low nibble 3 is for the next
    // reference), then seven literals. Block 2: the second reference of the pair, one byte,
    // copying "abcde" with the length kept from block 1.
    Bytes const packed = {0x7F, 0xEE, 0x13, 'a', 'b', 'c', 'd', 'e', 'f', 'g', 0x00, 0xF2};
    Decoded const decoded = decompress(packed, 15);
    Bytes expected(3, 0);
    for (char c : std::string("abcdefgabcde")) expected.push_back(static_cast<unsigned char>(c));
    EXPECT_EQ(decoded.bytes, expected);
    EXPECT_EQ(decoded.consumed, 12);
}

TEST(PakrunCodec, ALastReferencePastTheEndIsCutToTheRequestedSize) {
    // Two requested bytes from a 17-byte reference into the zero ring: the rest is dropped,
    // and its length byte still counts as consumed.
    Decoded const decoded = decompress({0x00, 0xEE, 0xF0, 0x99}, 2);
    EXPECT_EQ(decoded.bytes, Bytes(2, 0));
    EXPECT_EQ(decoded.consumed, 3);
}

TEST(PakrunCodec, DecoderFailsInsteadOfReadingPastTheInput) {
    struct Case {
        char const* name;
        Bytes packed;
        int size;
    };
    Case const cases[] = {
        {"leading reference without its length byte", {0x00, 0xEE}, 1},
        {"no byte at all", {}, 1},
        {"control byte without its literal", {0xFF}, 1},
        {"eight literals, no next control byte", {0xFF, 1, 2, 3, 4, 5, 6, 7, 8}, 9},
        {"second reference of a pair missing", {0x00, 0xEE, 0x00}, 3},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(decompress(c.packed, c.size).consumed, pakrun::pkInputExhausted);
    }
}

TEST(PakrunCodec, EveryTruncatedStreamIsRejectedAndTheWholeOneAccepted) {
    std::string text;
    for (int i = 0; i < 30; ++i) text += "The hero said: \"Let us go\". ";
    Bytes const input = bytesOf(text);
    Bytes const packed = compress(input);
    int const size = static_cast<int>(input.size());
    for (std::size_t cut = 0; cut < packed.size(); ++cut) {
        Bytes const prefix(packed.begin(), packed.begin() + static_cast<std::ptrdiff_t>(cut));
        ASSERT_EQ(decompress(prefix, size).consumed, pakrun::pkInputExhausted) << "cut at " << cut;
    }
    Decoded const whole = decompress(packed, size);
    EXPECT_EQ(whole.bytes, input);
    EXPECT_EQ(whole.consumed, static_cast<int>(packed.size()));
}

Bytes randomBytes(std::size_t size, std::uint32_t seed, unsigned symbols = 256) {
    std::mt19937 random(seed);
    Bytes bytes(size);
    for (auto& byte : bytes) byte = static_cast<unsigned char>(random() % symbols);
    return bytes;
}

TEST(PakrunCodec, RoundTripsGiveTheInputBackAndReportTheCompressedSize) {
    std::vector<std::pair<std::string, Bytes>> inputs;
    for (std::size_t size = 1; size <= 18; ++size) inputs.push_back({"random " + std::to_string(size), randomBytes(size, 1)});
    for (std::size_t size : {1, 2, 17, 18, 255, 256, 257, 600, 5000}) {
        inputs.push_back({"zeros " + std::to_string(size), Bytes(size, 0)});
        inputs.push_back({"random " + std::to_string(size), randomBytes(size, 2)});
        inputs.push_back({"two symbols " + std::to_string(size), randomBytes(size, 3, 2)});
    }
    Bytes zeroStart(300, 0);
    for (std::size_t i = 40; i < zeroStart.size(); ++i) zeroStart[i] = static_cast<unsigned char>(i * 7);
    inputs.push_back({"starts with zeros", zeroStart});
    Bytes periodic(1000);
    for (std::size_t i = 0; i < periodic.size(); ++i) periodic[i] = static_cast<unsigned char>("0123456789ABCDEFGHIJK"[i % 21]);
    inputs.push_back({"period 21", periodic});

    for (auto const& [name, input] : inputs) {
        SCOPED_TRACE(name);
        Bytes const packed = compress(input);
        EXPECT_LE(static_cast<long>(packed.size()), pakrun::pkCompBound(static_cast<long>(input.size())));
        Decoded const decoded = decompress(packed, static_cast<int>(input.size()));
        EXPECT_EQ(decoded.bytes, input);
        EXPECT_EQ(decoded.consumed, static_cast<int>(packed.size()));
    }
}

TEST(PakrunCodec, OutputBoundIsReachedByOneZeroByte) {
    // One byte costs a whole reference with its length byte when it matches the zero ring.
    Bytes const packed = compress(Bytes(1, 0));
    EXPECT_EQ(packed, (Bytes{0x00, 0xEE, 0xF0}));
    EXPECT_EQ(static_cast<long>(packed.size()), pakrun::pkCompBound(1));
}

}  // namespace
