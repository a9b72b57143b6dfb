#include "insertion/image-rom.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Insereur::Image_rom;
using Zones = std::vector<Image_rom::Zone>;

std::string contenu(Image_rom const& image) { return {image.octets().begin(), image.octets().end()}; }

TEST(ImageRom, WrittenBytesAreGivenAsMergedRunsInOffsetOrder) {
    Image_rom image(std::vector<unsigned char>(16, '.'));
    unsigned char const abc[] = {'A', 'B', 'C'};
    image.ecrire(8, abc, 3);                                         // 8..11
    image.remplir(2, 2, 'z');                                        // 2..4, before the first run
    ASSERT_TRUE(image.ecrire_entier(4, 2, Ordre_octets::grand_boutiste, 0x3132));  // 4..6, touching 2..4
    image.remplir(12, 2, 'y');                                       // 12..14
    image.ecrire(11, abc, 1);                                        // 11..12: touches 8..11 and 12..14
    image.remplir(0, 0, 'x');                                        // nothing
    image.ecrire(15, abc, 0);                                        // nothing
    EXPECT_EQ(image.zones_ecrites(), (Zones{{2, 6}, {8, 14}}));
    EXPECT_EQ(contenu(image), "..zz12..ABCAyy..");
}

TEST(ImageRom, WritesOutsideTheRomChangeNothing) {
    Image_rom image(std::vector<unsigned char>(6, '.'));
    // A slot that does not lie wholly inside is refused; the last one that does is written.
    EXPECT_FALSE(image.ecrire_entier(5, 2, Ordre_octets::petit_boutiste, 0x4241));
    EXPECT_FALSE(image.ecrire_entier(-1, 2, Ordre_octets::petit_boutiste, 0x4241));
    unsigned char const ab[] = {'A', 'B'};
    EXPECT_THROW(image.ecrire(5, ab, 2), std::out_of_range);
    EXPECT_THROW(image.remplir(-1, 2, 'z'), std::out_of_range);
    EXPECT_THROW(image.remplir(0, 7, 'z'), std::out_of_range);
    EXPECT_EQ(contenu(image), "......");
    EXPECT_TRUE(image.zones_ecrites().empty());

    EXPECT_TRUE(image.ecrire_entier(4, 2, Ordre_octets::petit_boutiste, 0x4241));
    EXPECT_EQ(contenu(image), "....AB");
    EXPECT_EQ(image.zones_ecrites(), (Zones{{4, 6}}));
}

}  // namespace
