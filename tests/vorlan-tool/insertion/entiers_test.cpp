#include "lib/entiers.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Octets = std::vector<unsigned char>;

TEST(EntiersBornes, WriteAndReadTheLowBytesInEitherOrder) {
    struct Cas {
        int taille;
        Ordre_octets ordre;
        std::uint32_t valeur;
        Octets octets;   // as stored
        std::uint32_t lu;  // read back: the low bytes only
    };
    Cas const cas[] = {
        {1, Ordre_octets::petit_boutiste, 0x1234, {0x34}, 0x34},
        {2, Ordre_octets::petit_boutiste, 0x12345, {0x45, 0x23}, 0x2345},
        {2, Ordre_octets::grand_boutiste, 0x12345, {0x23, 0x45}, 0x2345},
        {3, Ordre_octets::petit_boutiste, 0xC12345, {0x45, 0x23, 0xC1}, 0xC12345},
        {3, Ordre_octets::grand_boutiste, 0xC12345, {0xC1, 0x23, 0x45}, 0xC12345},
        {4, Ordre_octets::petit_boutiste, 0xF1234567, {0x67, 0x45, 0x23, 0xF1}, 0xF1234567},
        {4, Ordre_octets::grand_boutiste, 0xF1234567, {0xF1, 0x23, 0x45, 0x67}, 0xF1234567},
    };
    for (Cas const& c : cas) {
        SCOPED_TRACE(testing::Message() << c.taille << " bytes, value " << std::hex << c.valeur);
        // At the last position where the integer fits, after one untouched byte.
        std::size_t const taille = 1 + static_cast<std::size_t>(c.taille);
        Octets tampon(taille, 0xEE);
        ASSERT_TRUE(ecrire_entier_borne(tampon, 1, c.taille, c.ordre, c.valeur));
        EXPECT_EQ(tampon[0], 0xEE);
        EXPECT_EQ(Octets(tampon.begin() + 1, tampon.end()), c.octets);
        std::uint32_t lu = 0;
        ASSERT_TRUE(lire_entier_borne(tampon, 1, c.taille, c.ordre, lu));
        EXPECT_EQ(lu, c.lu);
    }
}

TEST(EntiersBornes, IntegersNotWhollyInsideTheBufferOrOfABadSizeAreRefused) {
    struct Cas {
        long long position;
        int taille;
    };
    // A buffer of 4 bytes.
    Cas const cas[] = {{3, 2}, {2, 3}, {1, 4}, {-1, 2}, {4, 1}, {0, 0}, {0, 5}, {0, -1}};
    for (Cas const& c : cas) {
        SCOPED_TRACE(testing::Message() << c.taille << " bytes at " << c.position);
        for (Ordre_octets ordre : {Ordre_octets::petit_boutiste, Ordre_octets::grand_boutiste}) {
            Octets tampon = {1, 2, 3, 4};
            EXPECT_FALSE(ecrire_entier_borne(tampon, c.position, c.taille, ordre, 0xFFFFFFFF));
            EXPECT_EQ(tampon, (Octets{1, 2, 3, 4}));
            std::uint32_t lu = 0xDEAD;
            EXPECT_FALSE(lire_entier_borne(tampon, c.position, c.taille, ordre, lu));
            EXPECT_EQ(lu, 0xDEADu);
        }
    }
    std::uint32_t lu = 0;
    EXPECT_FALSE(lire_entier_borne({}, 0, 1, Ordre_octets::petit_boutiste, lu));
}

}  // namespace
