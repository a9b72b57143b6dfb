#include "lib/calcul.h"

#include <climits>
#include <cstdio>
#include <cstring>

#include "lib/erreur.h"
#include "lib/vorlan_lib.h"

namespace Calcul {

namespace {

char const NEGATIF[] = "math_error : Le résultat va être négatif, calcul arrêté.\n";
char const DIVISION_PAR_ZERO[] = "math_error : Tentative de division par zéro, calcul arrêté.\n";
char const INCORRECTE[] = "math_error : La formule est incorrecte, calcul arrêté.\n";
char const TROP_LONGUE[] = "math_error : La formule est trop longue, calcul arrêté.\n";
char const NOMBRE_TROP_LONG[] = "math_error : Un nombre de la formule est trop long, calcul arrêté.\n";

// Code of an operator or parenthesis character; OPERANDE for any other character.
Code code_de(char c)
{
    switch (c) {
    case '%': return MODULO;
    case '/': return DIVISION;
    case '*': return MULTIPLICATION;
    case '-': return SOUSTRACTION;
    case '+': return ADDITION;
    case ')': return PARA_F;
    case '(': return PARA_O;
    default: return OPERANDE;
    }
}

bool est_binaire(Code code)
{
    return code >= ADDITION && code <= MODULO;
}

bool est_multiplicatif(Code code)
{
    return code == MULTIPLICATION || code == DIVISION || code == MODULO;
}

// 32-bit two's complement results, computed in unsigned arithmetic so that nothing overflows.
std::int32_t enveloppe(std::uint32_t valeur)
{
    return static_cast<std::int32_t>(valeur);
}

std::int32_t appliquer(std::int32_t gauche, Code operateur, std::int32_t droite)
{
    switch (operateur) {
    case MULTIPLICATION:
        return enveloppe(static_cast<std::uint32_t>(gauche) * static_cast<std::uint32_t>(droite));
    case DIVISION:
        if (droite == 0)
            throw math_error(DIVISION_PAR_ZERO);
        // The one quotient that does not fit wraps back to INT_MIN, as in two's complement.
        if (droite == -1)
            return enveloppe(0u - static_cast<std::uint32_t>(gauche));
        return gauche / droite;
    case MODULO:
        if (droite == 0)
            throw math_error(DIVISION_PAR_ZERO);
        if (droite == -1)
            return 0;
        return gauche % droite;
    case ADDITION:
        return enveloppe(static_cast<std::uint32_t>(gauche) + static_cast<std::uint32_t>(droite));
    case SOUSTRACTION:
        if (gauche < droite)
            throw math_error(NEGATIF);
        return enveloppe(static_cast<std::uint32_t>(gauche) - static_cast<std::uint32_t>(droite));
    default:
        throw math_error(INCORRECTE);
    }
}

// Tokens up to the end mark must read: operand (operator operand)*, where an operand is a
// value or a parenthesised group, and every ")" closes an earlier "(".
void verifier_jetons(std::vector<Jeton> const& jetons)
{
    bool attend_operande = true;
    int profondeur = 0;
    for (Jeton const& jeton : jetons) {
        if (jeton.code == FIN) {
            if (attend_operande || profondeur != 0)
                throw math_error(INCORRECTE);
            return;
        }
        if (attend_operande) {
            if (jeton.code == OPERANDE)
                attend_operande = false;
            else if (jeton.code == PARA_O)
                ++profondeur;
            else
                throw math_error(INCORRECTE);
        } else {
            if (est_binaire(jeton.code))
                attend_operande = true;
            else if (jeton.code == PARA_F && profondeur > 0)
                --profondeur;
            else
                throw math_error(INCORRECTE);
        }
    }
    throw math_error(INCORRECTE);
}

// Reduces one flat level: '*', '/', '%' from the left first, then '+', '-' from the left.
std::int32_t reduire(std::vector<Jeton> const& plat)
{
    std::vector<std::int32_t> termes;
    std::vector<Code> operateurs;
    std::int32_t courant = plat[0].valeur;
    for (std::size_t k = 1; k + 1 < plat.size(); k += 2) {
        Code operateur = plat[k].code;
        std::int32_t droite = plat[k + 1].valeur;
        if (est_multiplicatif(operateur)) {
            courant = appliquer(courant, operateur, droite);
        } else {
            termes.push_back(courant);
            operateurs.push_back(operateur);
            courant = droite;
        }
    }
    termes.push_back(courant);

    std::int32_t valeur = termes[0];
    for (std::size_t k = 0; k < operateurs.size(); ++k)
        valeur = appliquer(valeur, operateurs[k], termes[k + 1]);
    return valeur;
}

// One level of a checked token array, from `i` up to its ")" or the end mark (left at `i`).
// Its groups are evaluated left to right before anything else of the level.
std::int32_t evaluer_niveau(std::vector<Jeton> const& jetons, std::size_t& i)
{
    std::vector<Jeton> plat;
    while (jetons[i].code != FIN && jetons[i].code != PARA_F) {
        if (jetons[i].code == PARA_O) {
            ++i;
            std::int32_t groupe = evaluer_niveau(jetons, i);
            ++i;
            plat.push_back({OPERANDE, groupe});
        } else {
            plat.push_back(jetons[i]);
            ++i;
        }
    }
    return reduire(plat);
}

}  // namespace

int calculer(char const* formule, int x)
{
    if (!verifier_parentheses(formule))
        return 0;
    return resultat(convertir_chaine(formule, x));
}

bool verifier_parentheses(char const* formule)
{
    if (verifier_chaine(formule))
        return true;
    std::fputs("Erreur, il y a une erreur dans les paranthèses\n", stdout);
    return false;
}

bool verifier_chaine(char const* formule)
{
    int ouvrantes = 0;
    int fermantes = 0;
    for (char const* p = formule == nullptr ? "" : formule; *p != '\0'; ++p) {
        if (*p == '(')
            ++ouvrantes;
        else if (*p == ')')
            ++fermantes;
    }
    return ouvrantes == fermantes;
}

std::vector<Jeton> convertir_chaine(char const* formule, int x)
{
    std::vector<Jeton> jetons;
    auto ajouter = [&jetons](Jeton jeton) {
        if (jetons.size() + 1 >= static_cast<std::size_t>(JETONS_MAX))
            throw math_error(TROP_LONGUE);
        jetons.push_back(jeton);
    };

    char const* p = formule == nullptr ? "" : formule;
    while (*p != '\0') {
        if (*p == '$') {
            ++p;
            ajouter({OPERANDE, prendre_nombre(p, 16)});
        } else if (p[0] == '0' && p[1] == 'x') {
            p += 2;
            ajouter({OPERANDE, prendre_nombre(p, 16)});
        } else if (*p >= '0' && *p <= '9') {
            ajouter({OPERANDE, prendre_nombre(p, 10)});
        } else {
            if (*p == 'X')
                ajouter({OPERANDE, x});
            else if (code_de(*p) != OPERANDE)
                ajouter({code_de(*p), 0});
            ++p;
        }
    }
    jetons.push_back({FIN, 0});
    return jetons;
}

std::int32_t prendre_nombre(char const*& curseur, int base)
{
    char const* debut = curseur;
    while (*curseur != '\0' && code_de(*curseur) == OPERANDE)
        ++curseur;
    std::size_t longueur = static_cast<std::size_t>(curseur - debut);
    if (longueur > static_cast<std::size_t>(CHIFFRES_MAX))
        throw math_error(NOMBRE_TROP_LONG);

    char texte[CHIFFRES_MAX + 1];
    std::memcpy(texte, debut, longueur);
    texte[longueur] = '\0';
    int ok;
    return enveloppe(Chaine::char_to_number(texte, &ok, base == 16 ? 1 : 0));
}

std::int32_t resultat(std::vector<Jeton> const& jetons)
{
    verifier_jetons(jetons);
    std::size_t i = 0;
    return evaluer_niveau(jetons, i);
}

}  // namespace Calcul
