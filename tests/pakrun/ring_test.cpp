#include <gtest/gtest.h>

#include <string>

#include "pakrun/dictionary.h"
#include "pakrun/ring.h"

namespace {

using pakrun::Dictionary;

// A ring holding `text` from `position` on, zeros elsewhere.
Dictionary ringWith(int position, std::string const& text) {
    Dictionary ring;
    for (std::size_t i = 0; i < text.size(); ++i) ring.put(position + static_cast<int>(i), static_cast<unsigned char>(text[i]));
    return ring;
}

TEST(PakrunRing, CheckSequenceCountsEqualBytesUpTo17AcrossTheWrap) {
    Dictionary const ring = ringWith(0xF8, std::string("abcdefghXY") + "abcdefghXZ");
    EXPECT_EQ(checkSequence(ring, 0xF8, 0x02), 9);   // from 0xF8 and from 0x02 (= 0xF8 + 10 mod 256)
    EXPECT_EQ(checkSequence(ring, 0xF8, 0xF9), 0);
    EXPECT_EQ(checkSequence(ring, 0x10, 0x40), 17);  // zeros on both sides: capped
    EXPECT_EQ(checkSequence(ring, 0x05, 0x05), 17);
}

TEST(PakrunRing, FindSequenceWithoutAnyMatchingByteGivesPositionZero) {
    Dictionary const ring = ringWith(0x10, std::string(239, 'x') + "A");
    int best = -1;
    EXPECT_EQ(findSequence(ring, 0xFF, best), 0);  // 'A' occurs nowhere behind it
    EXPECT_EQ(best, 0);
}

TEST(PakrunRing, FindSequencePrefersTheNearestAmongEqualLengths) {
    // "abX" at 0x20 and at 0x60, coding "abY" at 0x80: both candidates match 2 bytes.
    Dictionary ring = ringWith(0x20, "abX");
    copyToDictionary(ring, 0x60, reinterpret_cast<unsigned char const*>("abX"), 3);
    copyToDictionary(ring, 0x80, reinterpret_cast<unsigned char const*>("abY"), 3);
    int best = -1;
    EXPECT_EQ(findSequence(ring, 0x80, best), 2);
    EXPECT_EQ(best, 0x60);
}

TEST(PakrunRing, FindSequencePrefersALongerMatchFurtherAway) {
    Dictionary ring = ringWith(0x20, "abcdQ");
    copyToDictionary(ring, 0x60, reinterpret_cast<unsigned char const*>("abX"), 3);
    copyToDictionary(ring, 0x80, reinterpret_cast<unsigned char const*>("abcdZ"), 5);
    int best = -1;
    EXPECT_EQ(findSequence(ring, 0x80, best), 4);
    EXPECT_EQ(best, 0x20);
}

TEST(PakrunRing, FindSequenceSearchesThe239PositionsBehindAndNotTheLookahead) {
    // Every byte of the background is its own position, so nothing matches but what is set.
    // Coding position j = 0x3F: the farthest candidate is j - 239 = 0x50, and 0x4F = j + 16
    // belongs to the lookahead.
    Dictionary background;
    for (int p = 0; p < 256; ++p) background.put(p, static_cast<unsigned char>(p));
    Dictionary ring = background;
    ring.put(0x50, 0x3F);
    ring.put(0x51, 0x40);
    int best = -1;
    EXPECT_EQ(findSequence(ring, 0x3F, best), 2);
    EXPECT_EQ(best, 0x50);

    ring = background;
    ring.put(0x4F, 0x3F);
    ring.put(0x50, 0x40);
    EXPECT_EQ(findSequence(ring, 0x3F, best), 0);
    EXPECT_EQ(best, 0);
}

TEST(PakrunRing, FindSequenceRunsIntoTheLookaheadAndStopsAt17) {
    // "ab" repeated: the candidate two bytes back overlaps the bytes it would produce.
    Dictionary const ring = ringWith(0x40, std::string("ab") + std::string("abababababababababababab"));
    int best = -1;
    EXPECT_EQ(findSequence(ring, 0x42, best), 17);
    EXPECT_EQ(best, 0x40);
    // Zeros everywhere: the nearest candidate already gives 17.
    EXPECT_EQ(findSequence(Dictionary(), 0x10, best), 17);
    EXPECT_EQ(best, 0x0F);
}

TEST(PakrunRing, CopyDictionaryCopiesByteByByteSoAnOverlapRepeatsARun) {
    Dictionary ring = ringWith(0xFE, "z");
    EXPECT_EQ(copyDictionary(ring, 0xFE, 0xFF, 17), 0x10);  // wraps past 0xFF
    for (int p = 0xFF; p < 0xFF + 17; ++p) EXPECT_EQ(ring.at(p), 'z') << p;
    EXPECT_EQ(ring.at(0x10), 0);
}

TEST(PakrunRing, CopyToDictionaryWritesModulo256AndKeepsTheSearchIndexCurrent) {
    Dictionary ring;
    unsigned char const bytes[] = {'k', 'e', 'y'};
    EXPECT_EQ(copyToDictionary(ring, 0xFE, bytes, 3), 0x01);
    EXPECT_EQ(ring.at(0xFE), 'k');
    EXPECT_EQ(ring.at(0xFF), 'e');
    EXPECT_EQ(ring.at(0x00), 'y');
    EXPECT_TRUE(ring.positionsOf('y').contains(0x00));
    EXPECT_FALSE(ring.positionsOf(0).contains(0x00));
    // Overwritten again: the old value leaves the index.
    copyToDictionary(ring, 0x00, bytes, 1);
    EXPECT_FALSE(ring.positionsOf('y').contains(0x00));
    int best = -1;
    EXPECT_EQ(findSequence(ring, 0x00, best), 1);  // "k" at 0xFE; no 'e' after it matches 0x01's 0
    EXPECT_EQ(best, 0xFE);
}

}  // namespace
