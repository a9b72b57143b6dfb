#include <gtest/gtest.h>

#include "tilmar/colour-classifier.h"

namespace tilmar {
namespace {

TEST(TilmarColourClassifier, NearerColourWinsAndTiesAreBackground) {
    Colour_rule const white_on_black;
    Colour_rule const red_on_white{0xFF0000, 0xFFFFFF};
    Colour_rule const close{0x000002, 0x000000};
    struct Case {
        char const* what;
        Colour_rule rule;
        std::uint32_t rgb;
        unsigned alpha;
        bool foreground;
    } const cases[] = {
        {"white", white_on_black, 0xFFFFFF, 255, true},
        {"black", white_on_black, 0x000000, 255, false},
        {"0x7f grey: nearer black", white_on_black, 0x7F7F7F, 255, false},
        {"0x80 grey: nearer white", white_on_black, 0x808080, 255, true},
        {"pure red: nearer black", white_on_black, 0xFF0000, 255, false},
        {"pink", white_on_black, 0xFF8080, 255, true},
        {"red on white", red_on_white, 0xFF0000, 255, true},
        {"dark red on white", red_on_white, 0x800000, 255, true},
        {"pale pink on white", red_on_white, 0xFFC0C0, 255, false},
        {"half-way between the two", close, 0x000001, 255, false},
        {"on the foreground", close, 0x000002, 255, true},
        {"past the foreground", close, 0x0000FF, 255, true},
        {"alpha 127: background", white_on_black, 0xFFFFFF, 127, false},
        {"alpha 128: half opaque", white_on_black, 0xFFFFFF, 128, true},
        {"alpha 0", white_on_black, 0xFFFFFF, 0, false},
        {"transparent black stays background", white_on_black, 0x000000, 0, false},
    };
    for (auto const& c : cases)
        EXPECT_EQ(is_foreground(c.rule, static_cast<unsigned char>(c.rgb >> 16), static_cast<unsigned char>(c.rgb >> 8),
                                static_cast<unsigned char>(c.rgb), static_cast<unsigned char>(c.alpha)),
                  c.foreground)
            << c.what;
}

TEST(TilmarColourClassifier, PictureBecomesTopDownRowsOfBits) {
    // 13 pixels wide: the last one falls in the second byte of a 4-byte row.
    Colour_picture picture{13, 2, std::vector<unsigned char>(13 * 2 * 4, 0)};
    auto paint = [&picture](int x, int y, unsigned char r, unsigned char g, unsigned char b, unsigned char a) {
        unsigned char* const p = &picture.rgba[static_cast<std::size_t>((y * 13 + x) * 4)];
        p[0] = r, p[1] = g, p[2] = b, p[3] = a;
    };
    for (int x = 0; x < 13; ++x) paint(x, 1, 0, 0, 0, 255);
    paint(0, 0, 255, 255, 255, 255);
    paint(7, 0, 200, 200, 200, 255);
    paint(12, 0, 255, 255, 255, 255);
    paint(3, 0, 255, 255, 255, 100);  // translucent
    paint(12, 1, 250, 240, 230, 255);
    Bitmap const bits = classify_colours(picture, Colour_rule{});
    EXPECT_EQ(bits.width, 13);
    EXPECT_EQ(bits.height, 2);
    EXPECT_TRUE(bits.top_down);
    EXPECT_EQ(bits.pixels, (std::vector<unsigned char>{0x81, 0x08, 0, 0, 0x00, 0x08, 0, 0}));
}

TEST(TilmarColourClassifier, ColoursMustMatchTheSize) {
    Colour_picture const wrong{2, 2, std::vector<unsigned char>(15, 0)};
    EXPECT_THROW(classify_colours(wrong, Colour_rule{}), std::invalid_argument);
    Colour_picture const empty{0, 2147483648LL, {}};
    EXPECT_EQ(classify_colours(empty, Colour_rule{}).pixels.size(), 0u);
}

}  // namespace
}  // namespace tilmar
