#include "apercu/police.h"

#include <gtest/gtest.h>

#include <vector>

#include "apercu/police_de_test.h"

namespace {

// Two rows share three bytes, the first row's 12 bits first, most significant bit leftmost.
TEST(Police, ReadsTwelveBitRowsPackedInThreeBytes) {
    // Four bytes before the tile.
    std::vector<unsigned char> const rom = {0x00, 0x00, 0x00, 0x00, 0xAB, 0xCD, 0xEF, 0x80, 0x10, 0x01, 0xFF,
                                            0xF0, 0x00, 0x00, 0x0F, 0xFF, 0x12, 0x34, 0x56, 0x00, 0x00, 0x00};
    Apercu::Police const police(rom, 4, 0x30);
    Apercu::Glyphe const g = police.glyphe(0x30);
    Apercu::Glyphe const attendu = {0xABC, 0xDEF, 0x801, 0x001, 0xFFF, 0x000,
                                    0x000, 0xFFF, 0x123, 0x456, 0x000, 0x000};
    EXPECT_EQ(g, attendu);
}

TEST(Police, HoldsOnlyTheCodesWhoseWholeTileLiesInTheRom) {
    std::vector<unsigned char> const rom(100, 0);  // tiles at 10, 28, 46, 64 and 82, the last ending at 100
    Apercu::Police const police(rom, 10, 0x20);
    struct Cas {
        int code;
        bool contenu;
    } const cas[] = {{0x1F, false}, {0x20, true}, {0x23, true}, {0x24, true}, {0x25, false}, {-1, false}};
    for (Cas const& c : cas) EXPECT_EQ(police.contient(c.code), c.contenu) << c.code;
    // A tile one byte short of the end.
    std::vector<unsigned char> const courte(99, 0);
    EXPECT_FALSE(Apercu::Police(courte, 10, 0x20).contient(0x24));
}

TEST(Police, TheTestFontHoldsTheGlyphsItDescribes) {
    std::vector<unsigned char> const rom = Police_de_test::rom();
    Apercu::Police const police(rom, Police_de_test::adresse_police, Police_de_test::premier);
    for (char c : {'a', 'W', 'M', ' ', 'i'}) EXPECT_EQ(police.glyphe(c), Police_de_test::glyphe(c)) << c;
    EXPECT_TRUE(police.contient(0x7F));
    EXPECT_FALSE(police.contient(0x80));
}

}  // namespace
