#include "lib/calcul.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "lib/erreur.h"
#include "lib/rapport.h"

namespace {

char const NEGATIF[] = "math_error : Le résultat va être négatif, calcul arrêté.\n";
char const ZERO[] = "math_error : Tentative de division par zéro, calcul arrêté.\n";
char const INCORRECTE[] = "math_error : La formule est incorrecte, calcul arrêté.\n";
char const TROP_LONGUE[] = "math_error : La formule est trop longue, calcul arrêté.\n";
char const NOMBRE_TROP_LONG[] = "math_error : Un nombre de la formule est trop long, calcul arrêté.\n";

struct Cas {
    std::string formule;
    int x;
    int attendu;
};

void verifier_valeurs(std::initializer_list<Cas> cas)
{
    for (Cas const& c : cas) {
        SCOPED_TRACE(c.formule);
        int valeur = 0;
        try {
            valeur = Calcul::calculer(c.formule.c_str(), c.x);
        } catch (math_error e) {
            ADD_FAILURE() << e.read_error();
        }
        EXPECT_EQ(valeur, c.attendu);
        // The formula read once gives the same value, without an error.
        Calcul::Evaluation const e = Calcul::Formule(c.formule.c_str()).evaluer(c.x);
        EXPECT_EQ(e.valeur, c.attendu);
        EXPECT_FALSE(e.erreur.has_value());
    }
}

struct CasErreur {
    std::string formule;
    int x;
    char const* message;
};

void verifier_erreurs(std::initializer_list<CasErreur> cas)
{
    for (CasErreur const& c : cas) {
        SCOPED_TRACE(c.formule);
        try {
            int valeur = Calcul::calculer(c.formule.c_str(), c.x);
            ADD_FAILURE() << "no error, value " << valeur;
        } catch (math_error e) {
            EXPECT_STREQ(e.read_error(), c.message);
        }
        // The formula read once stops with the same message, and a value of 0.
        Calcul::Evaluation const e = Calcul::Formule(c.formule.c_str()).evaluer(c.x);
        ASSERT_TRUE(e.erreur.has_value());
        EXPECT_EQ(formater(Rapport(*e.erreur)), c.message);
        EXPECT_EQ(e.valeur, 0);
    }
}

TEST(Calcul, PointerProfileFormulas)
{
    verifier_valeurs({
        {"((X/$8000)*$10000)+(X%$8000)+$8000", 0x12345, 0x2A345},
        {"(X/$10000)*$8000+X%$8000", 0x2A345, 0x12345},
        {"(X/$10000-$80)*$8000+X%$8000", 0x82A345, 0x12345},
        {"X-$C00000", 0xC01234, 0x1234},
    });
    verifier_erreurs({{"(X/$10000-$80)*$8000+X%$8000", 0x2A345, NEGATIF}});
}

TEST(Calcul, NumbersAndTheVariable)
{
    verifier_valeurs({
        {"X", 77, 77},          {"$10", 0, 16},        {"0x10", 0, 16},      {"010", 0, 10},
        {"10", 0, 10},          {"0", 5, 0},           {"$aB", 0, 0xAB},     {"0xFFFFFFFF+1", 0, 0},
        {"$100000001", 0, 1},   {"4294967297", 0, 1},
        // A number's text runs to the next operator: what is no digit there makes it 0.
        {"X + $10", 1, 17},     {"X + $10 ", 1, 1},    {"($10 )+X", 1, 1},   {"$+X", 3, 3},
        {"0x+X", 3, 3},         {"$1G+X", 3, 3},       {"10X+2", 5, 2},
        // Characters that are no token are skipped.
        {" X\t*\t2", 4, 8},     {"X+x2", 4, 6},        {"X*a3", 4, 12},
        {"$" + std::string(23, '0') + "+X", 2, 2},
    });
}

TEST(Calcul, PrecedenceAndLeftAssociativity)
{
    verifier_valeurs({
        {"2*3+4", 0, 10},   {"2+3*4", 0, 14},    {"(2+3)*4", 0, 20},  {"10-4-3", 0, 3},
        {"100/10/5", 0, 2}, {"7%4*2", 0, 6},     {"X-$10-$5", 0x20, 0x0B},
        {"X/$10*$4", 0x25, 8}, {"((X))", 9, 9}, {"2*(3+(4-1)*2)", 0, 18}, {"5-5", 0, 0},
        {"((((((((((X+1))))))))))", 1, 2},
    });
}

TEST(Calcul, ThirtyTwoBitTwosComplement)
{
    verifier_valeurs({
        {"X*2", 0x40000000, INT_MIN},          {"X+1", INT_MAX, INT_MIN},
        {"X*$10000*$10000", 7, 0},             {"X/2", -7, -3},
        {"X%4", -7, -3},                       {"X/$FFFFFFFF", INT_MIN, INT_MIN},
        {"X%$FFFFFFFF", INT_MIN, 0},           {"X-$80000000", 5, static_cast<int>(0x80000005u)},
        // Operands equal to the operator codes stay operands.
        {"X+8", -8, 0},                        {"X*1", -1, -1},  {"(X)+X", -5, -10},
        {"$FFFFFFFF+X", 1, 0},
    });
}

TEST(Calcul, ArithmeticErrors)
{
    verifier_erreurs({
        {"3-5", 0, NEGATIF},          {"X-1", -1, NEGATIF},   {"1-2+5", 0, NEGATIF},
        {"X/0", 7, ZERO},             {"X%0", 7, ZERO},       {"X/(1-1)", 7, ZERO},
        {"X%$", 7, ZERO},
        // Groups first, then '*' '/' '%', then '+' '-'.
        {"(3-5)+1/0", 0, NEGATIF},    {"3-5+1/0", 0, ZERO},
        // Groups left to right, the innermost first; in a level, every '*' '/' '%' before the
        // '+' '-' that come earlier.
        {"(2-3)+(1/0)", 0, NEGATIF},  {"(1/0)+(2-3)", 0, ZERO}, {"((X-1)*2)/0", 0, NEGATIF},
        {"1-2-3*(4/0)", 0, ZERO},     {"2*3-7+5/0", 0, ZERO},   {"2*3-7+5%2", 0, NEGATIF},
    });
}

TEST(Calcul, UnbalancedParenthesesGiveZeroWithTheParenthesesMessage)
{
    for (char const* formule : {"(X/$8000", "X)", "((X)", "(1/0"}) {
        EXPECT_EQ(Calcul::calculer(formule, 0x1234), 0) << formule;
        Calcul::Formule const lue(formule);
        EXPECT_FALSE(lue.equilibree()) << formule;
        Calcul::Evaluation const e = lue.evaluer(0x1234);
        EXPECT_EQ(e.valeur, 0) << formule;
        ASSERT_TRUE(e.erreur.has_value()) << formule;
        EXPECT_EQ(formater(Rapport(*e.erreur)), "Erreur, il y a une erreur dans les paranthèses\n") << formule;
    }
    EXPECT_TRUE(Calcul::verifier_chaine("(X))("));
    EXPECT_FALSE(Calcul::verifier_chaine("(X"));
    EXPECT_TRUE(Calcul::verifier_chaine(""));
}

TEST(Calcul, MalformedFormulasAreRejected)
{
    verifier_erreurs({
        {"", 0, INCORRECTE},        {"   ", 0, INCORRECTE},   {"+", 0, INCORRECTE},
        {"X+", 1, INCORRECTE},      {"*X", 1, INCORRECTE},    {"-X", 1, INCORRECTE},
        {"X++1", 1, INCORRECTE},    {"X X", 1, INCORRECTE},   {"X10", 1, INCORRECTE},
        {"X$10", 1, INCORRECTE},    {"()", 0, INCORRECTE},    {"(X))(", 1, INCORRECTE},
        {")X(", 1, INCORRECTE},     {"(X)(X)", 1, INCORRECTE}, {"X(1)", 1, INCORRECTE},
        {"(X+)", 1, INCORRECTE},    {"(1/0)X", 1, INCORRECTE}, {"(+)", 1, INCORRECTE},
    });
}

TEST(Calcul, OverlongFormulasAreRejected)
{
    // 99 tokens and the end mark fill the array; one more token is too many.
    std::string quatre_vingt_dix_neuf = "X";
    for (int i = 0; i < 49; ++i)
        quatre_vingt_dix_neuf += "+1";
    verifier_valeurs({{quatre_vingt_dix_neuf, 1, 50}});
    std::string parentheses = std::string(49, '(') + "X" + std::string(49, ')');
    verifier_valeurs({{parentheses, 3, 3}});

    std::string tres_long = "X";
    for (int i = 0; i < 5000; ++i)
        tres_long += "+1";
    verifier_erreurs({
        {quatre_vingt_dix_neuf + "+", 1, TROP_LONGUE},
        {tres_long, 1, TROP_LONGUE},
        {std::string(5000, '(') + "X" + std::string(5000, ')'), 1, TROP_LONGUE},
        {"$" + std::string(24, '0') + "+X", 1, NOMBRE_TROP_LONG},
        {"1" + std::string(5000, ' '), 1, NOMBRE_TROP_LONG},
        {"X+0x" + std::string(24, 'F'), 1, NOMBRE_TROP_LONG},
    });
}

TEST(Calcul, AFormulaReadOnceTakesEachValueOfX)
{
    Calcul::Formule const profil("((X/$8000)*$10000)+(X%$8000)+$8000");
    EXPECT_TRUE(profil.equilibree());
    EXPECT_EQ(profil.calculer(0x12345), 0x2A345);
    EXPECT_EQ(profil.calculer(0), 0x8000);
    EXPECT_EQ(profil.evaluer(0x7FFF).valeur, 0xFFFF);
    // An error for one value leaves the next evaluation alone.
    Calcul::Formule const moins("X-$100");
    EXPECT_EQ(moins.evaluer(0xFF).erreur, Message::resultat_negatif);
    EXPECT_EQ(moins.evaluer(0x101).valeur, 1);
    EXPECT_FALSE(moins.evaluer(0x101).erreur.has_value());
}

TEST(Calcul, AFormulaWithPTakesEachPairOfValues)
{
    Calcul::Formule const relative("(P-(X%$100))*2+((X))", Calcul::Variables::x_et_p);
    EXPECT_EQ(relative.evaluer(3, 10).valeur, 17);
    EXPECT_EQ(relative.evaluer(0x103, 10).valeur, 0x111);
    EXPECT_EQ(relative.evaluer(3, 2).erreur, Message::resultat_negatif);
    EXPECT_EQ(relative.evaluer(3, 2).valeur, 0);
    EXPECT_EQ(relative.evaluer(4, 4).valeur, 4);
    // Where P is not given, it is no token: "P-X" reads "-X", which is malformed.
    EXPECT_EQ(Calcul::Formule("P-X").defaut(), Message::formule_incorrecte);
}

TEST(Calcul, Tokeniser)
{
    using Calcul::Jeton;
    std::vector<Jeton> const jetons = Calcul::convertir_chaine("(X+$1F)*0x2 - 07 / y%3", 9);
    std::vector<Jeton> const attendus = {
        {Calcul::PARA_O, 0},        {Calcul::OPERANDE, 9},  {Calcul::ADDITION, 0},
        {Calcul::OPERANDE, 0x1F},   {Calcul::PARA_F, 0},    {Calcul::MULTIPLICATION, 0},
        {Calcul::OPERANDE, 0},      {Calcul::SOUSTRACTION, 0}, {Calcul::OPERANDE, 0},
        {Calcul::DIVISION, 0},      {Calcul::MODULO, 0},    {Calcul::OPERANDE, 3},
        {Calcul::FIN, 0},
    };
    ASSERT_EQ(jetons.size(), attendus.size());
    for (std::size_t i = 0; i < jetons.size(); ++i) {
        EXPECT_EQ(jetons[i].code, attendus[i].code) << i;
        if (attendus[i].code == Calcul::OPERANDE) {
            EXPECT_EQ(jetons[i].valeur, attendus[i].valeur) << i;
        }
    }

    char const* texte = "12 )+1";
    char const* curseur = texte;
    EXPECT_EQ(Calcul::prendre_nombre(curseur, 10), 0);
    EXPECT_EQ(curseur, texte + 3);
    texte = "ff*2";
    curseur = texte;
    EXPECT_EQ(Calcul::prendre_nombre(curseur, 16), 255);
    EXPECT_EQ(curseur, texte + 2);
}

}  // namespace
