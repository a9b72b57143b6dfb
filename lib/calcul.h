#pragma once

// Integer formulas in the variable X that convert between pointer values and ROM offsets.
// "$" and "0x" introduce hexadecimal numbers; '*', '/', '%' bind tighter than '+', '-';
// both levels associate left; no intermediate subtraction may go below zero.
namespace Calcul {

// Token codes of the operators, parentheses and end mark; operands are stored as values.
enum Code { MODULO = -1, DIVISION = -2, MULTIPLICATION = -3, SOUSTRACTION = -4, ADDITION = -5,
            PARA_F = -6, PARA_O = -7, FIN = -8 };

// Prints "Erreur, il y a une erreur dans les paranthèses\n" and returns 0 when the counts of
// "(" and ")" differ. Throws math_error on a negative result or a division by zero.
int calculer(char const* formule, int x);
bool verifier_chaine(char const* formule);

}  // namespace Calcul
