#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "lib/catalogue.h"

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

// The value of a formula for one X, or the message that stopped its computation.
struct Evaluation {
    std::int32_t valeur = 0;
    std::optional<Message> erreur;
};

// The variables a formula may name: X always; P, the offset of a pointer's slot, only where
// the command gives one (elsewhere a "P" is skipped like any character that is no token).
enum class Variables { x, x_et_p };

// A checked token array laid out for evaluation without allocating. Each level of parentheses
// becomes a run of terms, each term with the operator before it; the levels are stored with
// every group before the level that holds it, in the order evaluation reaches them (a level's
// groups left to right, then the level itself), so evaluation walks them in order and keeps
// the value of each in a fixed array of JETONS_MAX values: a formula has fewer levels than
// tokens.
class Programme {
public:
    Programme() = default;
    // `jetons` passed verifier's checks; the tokens at `places_x` stand for X, those at
    // `places_p` for P (both in ascending order).
    Programme(std::vector<Jeton> const& jetons, std::vector<std::size_t> const& places_x,
              std::vector<std::size_t> const& places_p);
    // The value for X and P, or the message that stopped the computation: groups first, then
    // '*', '/', '%' from the left, then '+', '-' from the left, level by level.
    Evaluation executer(std::int32_t x, std::int32_t p) const;

private:
    enum class Source : std::uint8_t { constante, x, p, niveau };
    struct Terme {
        Code operateur;  // before the term; ADDITION for a level's first term, never read
        Source source;
        std::int32_t valeur;  // the constant, or the index of the level that gives the value
    };
    struct Niveau {
        std::size_t debut, fin;  // its terms in termes_
    };

    // One level's terms into its value; `niveaux` holds the values of the levels before it.
    static std::optional<Message> reduire(Terme const* terme, Terme const* fin, std::int32_t const* niveaux,
                                          std::int32_t x, std::int32_t p, std::int32_t& valeur);
    std::size_t ajouter_niveau(std::vector<Jeton> const& jetons, std::vector<Source> const& sources, std::size_t& i);

    std::vector<Terme> termes_;
    std::vector<Niveau> niveaux_;  // the whole formula last
};

// A formula read once, for commands that evaluate it for every pointer. What is wrong with its
// text (unbalanced parentheses, too long, malformed) is found here and given again by every
// evaluation, as evaluating the text each time would.
class Formule {
public:
    explicit Formule(char const* texte, Variables variables = Variables::x);

    // False when the counts of "(" and ")" differ; such a formula is worth 0, with the
    // parentheses message, for every X.
    bool equilibree() const { return equilibree_; }
    // Never throws: a computation that cannot go on gives the message math_error would carry.
    Evaluation evaluer(std::int32_t x) const { return evaluer(x, 0); }
    Evaluation evaluer(std::int32_t x, std::int32_t p) const;
    // What is wrong with the text itself, whatever X and P are: nothing for a formula that
    // can be computed for some values.
    std::optional<Message> defaut() const { return erreur_; }
    // Throws math_error on a negative result, a division by zero, or a malformed or too long
    // formula; an unbalanced formula gives 0.
    std::int32_t calculer(std::int32_t x) const;

private:
    bool equilibree_ = true;
    std::optional<Message> erreur_;
    Programme programme_;
};

// One evaluation of a formula text, as Formule gives it.
int calculer(char const* formule, int x);
// True when the counts of "(" and ")" are equal.
bool verifier_chaine(char const* formule);

// The formula's tokens, ended by FIN. Characters that are no token are skipped.
std::vector<Jeton> convertir_chaine(char const* formule, int x);
// Reads one number's text (up to the next operator, parenthesis or end) in base 10 or 16;
// a text holding any other character is worth 0. Leaves the cursor just past the text.
std::int32_t prendre_nombre(char const*& curseur, int base);
// Value of a token array ended by FIN.
std::int32_t resultat(std::vector<Jeton> const& jetons);

}  // namespace Calcul
