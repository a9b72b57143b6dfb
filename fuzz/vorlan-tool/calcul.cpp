// The formula evaluator on any formula text and any value of X: the one-off evaluation, and a
// formula read once then evaluated for several X, as the commands do for every pointer. Both
// must agree with each other and with the token path (convertir_chaine, resultat).
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "lib/calcul.h"
#include "lib/erreur.h"

namespace {

// What a throwing computation gave: its value, or the message of its math_error.
struct Issue {
    std::int32_t valeur = 0;
    std::optional<Message> erreur;

    bool operator==(Issue const& autre) const { return valeur == autre.valeur && erreur == autre.erreur; }
};

template <typename F>
Issue essayer(F&& calcul) {
    Issue issue;
    try {
        issue.valeur = calcul();
    } catch (math_error const& e) {
        issue.erreur = e.rapport().message;
    }
    return issue;
}

void verifier(Calcul::Formule const& formule, std::string const& texte, std::int32_t x) {
    Calcul::Evaluation const evaluation = formule.evaluer(x);
    Issue const calculee = essayer([&] { return formule.calculer(x); });
    Issue const directe = essayer([&] { return Calcul::calculer(texte.c_str(), x); });
    if (!(calculee == directe)) std::abort();

    if (!formule.equilibree()) {
        // Unbalanced: worth 0 for every X; evaluer says why, calculer does not throw.
        if (evaluation.valeur != 0 || evaluation.erreur != Message::parentheses) std::abort();
        if (!(calculee == Issue{})) std::abort();
        return;
    }
    if (!(calculee == Issue{evaluation.erreur ? 0 : evaluation.valeur, evaluation.erreur})) std::abort();
    if (evaluation.erreur && evaluation.valeur != 0) std::abort();
    Issue const jetons = essayer([&] { return Calcul::resultat(Calcul::convertir_chaine(texte.c_str(), x)); });
    if (!(jetons == calculee)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    if (size < 4) return 0;
    std::int32_t x;
    std::memcpy(&x, data, 4);
    std::string formule(reinterpret_cast<char const*>(data + 4), size - 4);
    Calcul::Formule const lue(formule.c_str());
    verifier(lue, formule, x);
    // The same formula again for other values, as for the next pointers.
    verifier(lue, formule, static_cast<std::int32_t>(static_cast<std::uint32_t>(x) + 1u));
    verifier(lue, formule, ~x);
    verifier(lue, formule, 0);
    return 0;
}
