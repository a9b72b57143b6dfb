#pragma once
#include <cstdint>
#include <vector>

// Integer formulas in the variable X that convert between pointer values and ROM offsets.
// "$" and "0x" introduce hexadecimal numbers; '*', '/', '%' bind tighter than '+', '-';
// both levels associate left; no intermediate subtraction may go below zero.
namespace Calcul {

// Token codes of the operators, parentheses and end mark; OPERANDE marks a value.
enum Code { MODULO = -1, DIVISION = -2, MULTIPLICATION = -3, SOUSTRACTION = -4, ADDITION = -5,
            PARA_F = -6, PARA_O = -7, FIN = -8, OPERANDE = 0 };

// One token; `valeur` is meaningful for OPERANDE only, so no value is ever taken for a code.
struct Jeton {
    Code code;
    std::int32_t valeur;
};

// A token array holds at most this many tokens, the end mark included, and the text of one
// number at most this many characters; longer formulas are rejected with math_error.
constexpr int JETONS_MAX = 100;
constexpr int CHIFFRES_MAX = 23;

// Prints "Erreur, il y a une erreur dans les paranthèses\n" and returns 0 when the counts of
// "(" and ")" differ. Throws math_error on a negative result, a division by zero, or a
// formula that is malformed or too long.
int calculer(char const* formule, int x);
bool verifier_chaine(char const* formule);
// verifier_chaine, printing calculer's message when the counts differ: lets a caller refuse
// such a formula before it acts on the 0 that calculer would give.
bool verifier_parentheses(char const* formule);

// The formula's tokens, ended by FIN. Characters that are no token are skipped.
std::vector<Jeton> convertir_chaine(char const* formule, int x);
// Reads one number's text (up to the next operator, parenthesis or end) in base 10 or 16;
// a text holding any other character is worth 0. Leaves the cursor just past the text.
std::int32_t prendre_nombre(char const*& curseur, int base);
// Value of a token array ended by FIN.
std::int32_t resultat(std::vector<Jeton> const& jetons);

}  // namespace Calcul
