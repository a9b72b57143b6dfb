#include "lib/erreur.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(Erreur, KeepsItsOwnCopyOfTheMessage)
{
    char texte[] = "fopen_error : Impossible d'ouvrir le fichier \"a%sb\"\n";
    error e(texte);
    texte[0] = 'X';
    EXPECT_STREQ(e.read_error(), "fopen_error : Impossible d'ouvrir le fichier \"a%sb\"\n");
    EXPECT_NE(e.read_error(), texte);
}

TEST(Erreur, CopyOutlivesTheOriginal)
{
    auto original = std::make_unique<math_error>("math_error : Tentative de division par zéro, calcul arrêté.\n");
    math_error copie(*original);
    EXPECT_NE(copie.read_error(), original->read_error());
    original.reset();
    EXPECT_STREQ(copie.read_error(), "math_error : Tentative de division par zéro, calcul arrêté.\n");
}

TEST(Erreur, MadeFromAReportCarriesItsTextAndTheReport)
{
    fopen_error const e(Rapport(Message::fopen_impossible, {"rom 100%s.smc"}));
    EXPECT_STREQ(e.read_error(), "fopen_error : Impossible d'ouvrir le fichier \"rom 100%s.smc\"\n");
    fopen_error const copie(e);
    EXPECT_EQ(copie.rapport().message, Message::fopen_impossible);
    EXPECT_EQ(formater(copie.rapport()), copie.read_error());
    // A raw text is its own report.
    lua_error_ const brute("script.lua:1: erreur");
    EXPECT_EQ(brute.rapport().message, Message::texte_brut);
    EXPECT_EQ(formater(brute.rapport()), "script.lua:1: erreur");
}

TEST(Erreur, WithoutMessageReadsNull)
{
    error sans;
    EXPECT_EQ(sans.read_error(), nullptr);
    error copie(sans);
    EXPECT_EQ(copie.read_error(), nullptr);
    error nul(nullptr);
    EXPECT_EQ(nul.read_error(), nullptr);
}

// Each type is caught by its own name and by value; the catcher's copy carries the text.
template <typename Type>
void verifier_attrape(char const* message)
{
    try {
        throw Type(message);
    } catch (Type e) {
        EXPECT_STREQ(e.read_error(), message);
        return;
    }
}

TEST(Erreur, EachTypeIsCaughtByValueWithItsMessage)
{
    verifier_attrape<lua_error_>("script.lua:1: '=' expected near 'x'");
    verifier_attrape<math_error>("math_error : Le résultat va être négatif, calcul arrêté.\n");
    verifier_attrape<fopen_error>("fopen_error : Impossible d'ouvrir le fichier \"rom.smc\"\n");
    verifier_attrape<fseek_error>("fseek_error : La position d'origine est incorrecte\n");
    verifier_attrape<erreur_nombre>("$1G n'est pas une valeur hexadécimale correcte\n");
}

TEST(Erreur, OtherTypesPassThroughAConcreteCatch)
{
    auto lancer = [] {
        try {
            throw fseek_error("fseek_error : La position d'origine est incorrecte\n");
        } catch (fopen_error) {
            ADD_FAILURE() << "caught by the wrong type";
        }
    };
    EXPECT_THROW(lancer(), fseek_error);
}

}  // namespace
