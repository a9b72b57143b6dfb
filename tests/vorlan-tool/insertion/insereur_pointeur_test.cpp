#include "insertion/insereur-pointeur.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "insertion/image-rom.h"
#include "lib/rapport.h"
#include "support/octets.h"

namespace {

using test_support::octets;

struct Resultat {
    std::string rom;  // the image after the write
    std::string sortie;
};

std::vector<unsigned char> vecteur(std::string const& s) { return {s.begin(), s.end()}; }

// Writes one pointer into an image of the whole ROM; the formula must compute.
Resultat ecrire(std::string const& rom, int position, int numero, int adresse, int nombre, int taille,
                char const* formule, bool ordre) {
    Insereur::Image_rom image(vecteur(rom));
    Rapports rapports;
    auto const erreur = Insereur::inserer_pointeur(image, position, numero,
                                                   {adresse, nombre, taille, ordre_octets(ordre)},
                                                   Calcul::Formule(formule), rapports);
    EXPECT_FALSE(erreur.has_value()) << formule;
    return {std::string(image.octets().begin(), image.octets().end()), formater(rapports)};
}

TEST(InsererPointeur, WritesTheFormulasValueInTheSlotsSizeAndOrder) {
    struct Cas {
        int position;
        int taille;
        char const* formule;
        bool ordre;
        std::string attendu;  // the slot's bytes
    };
    Cas const cas[] = {
        {0x12345, 2, "X", true, octets({0x45, 0x23})},  // the high part 0x01 is dropped
        {0x12345, 2, "X", false, octets({0x23, 0x45})},
        {0x12345, 3, "X+$C00000", false, octets({0xC1, 0x23, 0x45})},
        {0x12345, 3, "X+$C00000", true, octets({0x45, 0x23, 0xC1})},
        {0x12345, 4, "X*$100+$7F", true, octets({0x7F, 0x45, 0x23, 0x01})},
        {0x12345, 4, "X*$100+$7F", false, octets({0x01, 0x23, 0x45, 0x7F})},
        {0x12345, 3, "((X/$8000)*$10000)+(X%$8000)+$8000", true, octets({0x45, 0xA3, 0x02})},
    };
    for (Cas const& c : cas) {
        std::string const rom(16, '\xEE');
        // Slot 2 of a table at offset 4.
        Resultat r = ecrire(rom, c.position, 2, 4, 3, c.taille, c.formule, c.ordre);
        std::string attendu = rom;
        attendu.replace(4 + c.taille, c.taille, c.attendu);
        EXPECT_EQ(r.rom, attendu) << c.formule << " size " << c.taille;
        EXPECT_EQ(r.sortie, "");
    }
}

TEST(InsererPointeur, TheLastSlotIsWrittenAndNumbersOutsideTheTableAreRefused) {
    std::string const rom(12, '\xEE');
    Resultat dernier = ecrire(rom, 0x0102, 3, 0, 3, 2, "X", false);
    EXPECT_EQ(dernier.rom, std::string(4, '\xEE') + octets({0x01, 0x02}) + std::string(6, '\xEE'));

    struct Cas {
        int numero;
        char const* message;
    };
    Cas const refus[] = {
        {4, "Erreur : le pointeur numéro 4 ne sera pas inseré : son numéro est supérieur au nombre de pointeurs\n"},
        {0, "Erreur : le pointeur numéro 0 ne sera pas inseré : son numéro est inférieur à 1\n"},
        {-2, "Erreur : le pointeur numéro -2 ne sera pas inseré : son numéro est inférieur à 1\n"},
    };
    for (Cas const& c : refus) {
        Resultat r = ecrire(rom, 0x0102, c.numero, 0, 3, 2, "X", false);
        EXPECT_EQ(r.sortie, c.message);
        EXPECT_EQ(r.rom, rom);
    }
}

TEST(InsererPointeur, ASlotNotWhollyInsideTheRomIsRefusedAndTheRomKeepsItsSize) {
    std::string const rom(10, '\xEE');
    // Slot 3 of 3-byte pointers at offset 2 covers 8..10: one byte past the end.
    Resultat partiel = ecrire(rom, 0x10, 3, 2, 5, 3, "X", true);
    EXPECT_EQ(partiel.sortie,
              "Erreur : le pointeur numéro 3 ne sera pas inseré : son emplacement est situé hors de la rom\n");
    EXPECT_EQ(partiel.rom, rom);
    // Slot 2 covers 5..7, wholly inside.
    Resultat dedans = ecrire(rom, 0x10, 2, 2, 5, 3, "X", true);
    EXPECT_EQ(dedans.rom, std::string(5, '\xEE') + octets({0x10, 0x00, 0x00}) + std::string(2, '\xEE'));
}

TEST(InsererPointeur, AFormulaErrorIsReturnedWithTheSlotUnwritten) {
    struct Cas {
        char const* formule;
        Message attendu;
    };
    Cas const cas[] = {
        {"X-$10", Message::resultat_negatif},
        {"X/0", Message::division_par_zero},
    };
    std::vector<unsigned char> const rom(8, 0xEE);
    for (Cas const& c : cas) {
        Insereur::Image_rom image(rom);
        Rapports rapports;
        auto const erreur = Insereur::inserer_pointeur(image, 4, 1, {0, 2, 2, Ordre_octets::petit_boutiste},
                                                       Calcul::Formule(c.formule), rapports);
        ASSERT_TRUE(erreur.has_value()) << c.formule;
        EXPECT_EQ(*erreur, c.attendu) << c.formule;
        EXPECT_TRUE(rapports.empty()) << c.formule;
        EXPECT_EQ(image.octets(), rom) << c.formule;
        EXPECT_TRUE(image.zones_ecrites().empty()) << c.formule;
    }
}

}  // namespace
