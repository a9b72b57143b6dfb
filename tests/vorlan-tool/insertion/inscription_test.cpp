#include "insertion/inscription.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lib/rapport.h"
#include "support/octets.h"

namespace {

using Insereur::Encodage;
using Insereur::Image_rom;
using Insereur::Placement;
using Insereur::Texte_encode;
using test_support::octets;

Texte_encode texte(std::vector<int> pointeurs, std::string const& octets, Rapports rapports = {}) {
    Texte_encode t;
    t.pointeurs = std::move(pointeurs);
    t.octets.assign(octets.begin(), octets.end());
    t.rapports = std::move(rapports);
    return t;
}

Rapport inconnu(char const* c) { return Rapport(Message::caractere_inconnu, {c, c}); }

std::string contenu(Image_rom const& image) { return {image.octets().begin(), image.octets().end()}; }

TEST(Inscrire, EachTextsRefusedPointersComeBeforeItsUnknownCharacters) {
    Encodage encodage;
    encodage.textes = {texte({5}, "AB", {inconnu("Z")}), texte({0, 1}, "C", {inconnu("Y")})};
    Placement placement;
    placement.places = {{2, 2}, {4, 1}};
    placement.fin_ecrite = 5;
    Image_rom image(std::vector<unsigned char>(12, 0xEE));
    Insereur::Inscription const r = Insereur::inscrire(encodage, placement, 6, {8, 2, 2, Ordre_octets::petit_boutiste},
                                                       Calcul::Formule("X"), image);
    EXPECT_EQ(formater(r.rapports),
              "Erreur : le pointeur numéro 5 ne sera pas inseré : son numéro est supérieur au nombre de pointeurs\n"
              "Le caractère \"Z\" est inconnu (\"Z\")...\n"
              "Erreur : le pointeur numéro 0 ne sera pas inseré : son numéro est inférieur à 1\n"
              "Le caractère \"Y\" est inconnu (\"Y\")...\n");
    EXPECT_FALSE(r.arret.has_value());
    // Texts at 2 and 4, zeros from 5 to the end 6, pointer 1 designating 4.
    EXPECT_EQ(contenu(image), octets({0xEE, 0xEE, 'A', 'B', 'C', 0, 0, 0xEE, 0x04, 0x00, 0xEE, 0xEE}));
}

TEST(Inscrire, OnlyThePlacedBytesOfATextAreWritten) {
    Encodage encodage;
    encodage.textes = {texte({}, "ABC"), texte({1}, "D")};
    Placement placement;
    placement.places = {{0, 1}, {1, 0}};
    placement.fin_ecrite = 1;
    placement.debordement = true;
    Image_rom image(std::vector<unsigned char>(6, 0xEE));
    Insereur::Inscription const r = Insereur::inscrire(encodage, placement, 1, {4, 1, 2, Ordre_octets::grand_boutiste},
                                                       Calcul::Formule("X"), image);
    EXPECT_EQ(formater(r.rapports), "");
    EXPECT_EQ(contenu(image), octets({'A', 0, 0xEE, 0xEE, 0x00, 0x01}));
}

TEST(Inscrire, StopsAtTheFirstPointerWhoseFormulaFailsWithNothingAfterIt) {
    // 16 / (9 - X): computes for the text at 8, divides by zero for the one at 9.
    Encodage encodage;
    encodage.textes = {texte({1}, "A", {inconnu("Z")}), texte({4, 2, 0}, "B", {inconnu("Y")}), texte({3}, "C")};
    Placement placement;
    placement.places = {{8, 1}, {9, 1}, {10, 1}};
    placement.fin_ecrite = 11;
    Image_rom image(std::vector<unsigned char>(16, 0xEE));
    Insereur::Inscription const r = Insereur::inscrire(encodage, placement, 12, {0, 3, 2, Ordre_octets::petit_boutiste},
                                                       Calcul::Formule("$10/(9-X)"), image);
    ASSERT_TRUE(r.arret.has_value());
    EXPECT_EQ(formater(*r.arret), "math_error : Tentative de division par zéro, calcul arrêté.\n");
    // Pointer 0's refusal and Y come after the failing pointer: not reported.
    EXPECT_EQ(formater(r.rapports),
              "Le caractère \"Z\" est inconnu (\"Z\")...\n"
              "Erreur : le pointeur numéro 4 ne sera pas inseré : son numéro est supérieur au nombre de pointeurs\n");
    // Only pointer 1 and the first text: no later text, slot or zero filling.
    std::string attendu(16, '\xEE');
    attendu.replace(0, 2, octets({0x10, 0x00}));
    attendu[8] = 'A';
    EXPECT_EQ(contenu(image), attendu);
    EXPECT_EQ(image.zones_ecrites(), (std::vector<Image_rom::Zone>{{0, 2}, {8, 9}}));
}

}  // namespace
