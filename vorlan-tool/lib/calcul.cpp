#include "lib/calcul.h"

#include <cstring>

#include "lib/erreur.h"
#include "lib/vorlan_lib.h"

namespace Calcul {

namespace {

using Echec = std::optional<Message>;


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

[[noreturn]] void lancer(Message message)
{
    throw math_error(Rapport(message));
}

Echec appliquer(std::int32_t gauche, Code operateur, std::int32_t droite, std::int32_t& valeur)
{
    switch (operateur) {
    case MULTIPLICATION:
        valeur = enveloppe(static_cast<std::uint32_t>(gauche) * static_cast<std::uint32_t>(droite));
        return {};
    case DIVISION:
        if (droite == 0)
            return Message::division_par_zero;
        // The one quotient that does not fit wraps back to INT_MIN, as in two's complement.
        valeur = droite == -1 ? enveloppe(0u - static_cast<std::uint32_t>(gauche)) : gauche / droite;
        return {};
    case MODULO:
        if (droite == 0)
            return Message::division_par_zero;
        valeur = droite == -1 ? 0 : gauche % droite;
        return {};
    case ADDITION:
        valeur = enveloppe(static_cast<std::uint32_t>(gauche) + static_cast<std::uint32_t>(droite));
        return {};
    case SOUSTRACTION:
        if (gauche < droite)
            return Message::resultat_negatif;
        valeur = enveloppe(static_cast<std::uint32_t>(gauche) - static_cast<std::uint32_t>(droite));
        return {};
    default:
        return Message::formule_incorrecte;
    }
}

// Tokens up to the end mark must read: operand (operator operand)*, where an operand is a
// value or a parenthesised group, and every ")" closes an earlier "(".
Echec verifier_jetons(std::vector<Jeton> const& jetons)
{
    bool attend_operande = true;
    int profondeur = 0;
    for (Jeton const& jeton : jetons) {
        if (jeton.code == FIN)
            return attend_operande || profondeur != 0 ? Echec(Message::formule_incorrecte) : Echec();
        if (attend_operande) {
            if (jeton.code == OPERANDE)
                attend_operande = false;
            else if (jeton.code == PARA_O)
                ++profondeur;
            else
                return Message::formule_incorrecte;
        } else {
            if (est_binaire(jeton.code))
                attend_operande = true;
            else if (jeton.code == PARA_F && profondeur > 0)
                --profondeur;
            else
                return Message::formule_incorrecte;
        }
    }
    return Message::formule_incorrecte;
}

// The number's text from the cursor, left just past it; its value in `valeur`.
Echec lire_nombre(char const*& curseur, int base, std::int32_t& valeur)
{
    char const* debut = curseur;
    while (*curseur != '\0' && code_de(*curseur) == OPERANDE)
        ++curseur;
    std::size_t longueur = static_cast<std::size_t>(curseur - debut);
    if (longueur > static_cast<std::size_t>(CHIFFRES_MAX))
        return Message::nombre_trop_long;

    char texte[CHIFFRES_MAX + 1];
    std::memcpy(texte, debut, longueur);
    texte[longueur] = '\0';
    int ok;
    valeur = enveloppe(Chaine::char_to_number(texte, &ok, base == 16 ? 1 : 0));
    return {};
}

// The tokens of the text, X and P given the value 0; the indices of the X tokens in
// `places_x`, of the P tokens in `places_p` when it is given.
Echec lire_jetons(char const* formule, std::vector<Jeton>& jetons, std::vector<std::size_t>& places_x,
                  std::vector<std::size_t>* places_p = nullptr)
{
    auto ajouter = [&jetons](Jeton jeton) -> Echec {
        if (jetons.size() + 1 >= static_cast<std::size_t>(JETONS_MAX))
            return Message::formule_trop_longue;
        jetons.push_back(jeton);
        return {};
    };

    char const* p = formule == nullptr ? "" : formule;
    while (*p != '\0') {
        Echec e;
        std::int32_t nombre = 0;
        if (*p == '$') {
            ++p;
            e = lire_nombre(p, 16, nombre);
            if (!e) e = ajouter({OPERANDE, nombre});
        } else if (p[0] == '0' && p[1] == 'x') {
            p += 2;
            e = lire_nombre(p, 16, nombre);
            if (!e) e = ajouter({OPERANDE, nombre});
        } else if (*p >= '0' && *p <= '9') {
            e = lire_nombre(p, 10, nombre);
            if (!e) e = ajouter({OPERANDE, nombre});
        } else {
            if (*p == 'X') {
                places_x.push_back(jetons.size());
                e = ajouter({OPERANDE, 0});
            } else if (*p == 'P' && places_p != nullptr) {
                places_p->push_back(jetons.size());
                e = ajouter({OPERANDE, 0});
            } else if (code_de(*p) != OPERANDE) {
                e = ajouter({code_de(*p), 0});
            }
            ++p;
        }
        if (e)
            return e;
    }
    jetons.push_back({FIN, 0});
    return {};
}

}  // namespace

Programme::Programme(std::vector<Jeton> const& jetons, std::vector<std::size_t> const& places_x,
                     std::vector<std::size_t> const& places_p)
{
    std::vector<Source> sources(jetons.size(), Source::constante);
    for (std::size_t place : places_x)
        sources[place] = Source::x;
    for (std::size_t place : places_p)
        sources[place] = Source::p;
    std::size_t i = 0;
    ajouter_niveau(jetons, sources, i);
}

// The level from `i` up to its ")" or the end mark (left at `i`), after the levels of its groups.
std::size_t Programme::ajouter_niveau(std::vector<Jeton> const& jetons, std::vector<Source> const& sources,
                                      std::size_t& i)
{
    std::vector<Terme> niveau;
    Code operateur = ADDITION;
    while (jetons[i].code != FIN && jetons[i].code != PARA_F) {
        Jeton const& jeton = jetons[i];
        if (jeton.code == PARA_O) {
            ++i;
            std::size_t const groupe = ajouter_niveau(jetons, sources, i);
            niveau.push_back({operateur, Source::niveau, static_cast<std::int32_t>(groupe)});
        } else if (jeton.code == OPERANDE) {
            niveau.push_back({operateur, sources[i], jeton.valeur});
        } else {
            operateur = jeton.code;
        }
        ++i;
    }
    niveaux_.push_back({termes_.size(), termes_.size() + niveau.size()});
    termes_.insert(termes_.end(), niveau.begin(), niveau.end());
    return niveaux_.size() - 1;
}

// One level's terms into its value. The '*', '/', '%' are applied as they come; each finished
// product joins the sum, but the first error of a '-' is kept until every '*', '/', '%' of the
// level has been applied, since those come first.
std::optional<Message> Programme::reduire(Terme const* terme, Terme const* fin, std::int32_t const* niveaux,
                                          std::int32_t x, std::int32_t p, std::int32_t& valeur)
{
    auto valeur_de = [&](Terme const& t) {
        switch (t.source) {
        case Source::x: return x;
        case Source::p: return p;
        case Source::niveau: return niveaux[t.valeur];
        default: return t.valeur;
        }
    };
    std::int32_t courant = valeur_de(*terme);
    std::int32_t somme = 0;
    Code operateur_somme = ADDITION;
    bool premier = true;
    std::optional<Message> echec_somme;
    auto ajouter_produit = [&] {
        if (premier)
            somme = courant;
        else if (!echec_somme)
            echec_somme = appliquer(somme, operateur_somme, courant, somme);
        premier = false;
    };
    for (++terme; terme != fin; ++terme) {
        std::int32_t const droite = valeur_de(*terme);
        if (est_multiplicatif(terme->operateur)) {
            if (std::optional<Message> e = appliquer(courant, terme->operateur, droite, courant))
                return e;
        } else {
            ajouter_produit();
            operateur_somme = terme->operateur;
            courant = droite;
        }
    }
    ajouter_produit();
    if (echec_somme)
        return echec_somme;
    valeur = somme;
    return {};
}

Evaluation Programme::executer(std::int32_t x, std::int32_t p) const
{
    static_assert(JETONS_MAX > 0, "a formula holds at least its end mark");
    std::int32_t valeurs[JETONS_MAX];
    Evaluation resultat;
    for (std::size_t n = 0; n < niveaux_.size(); ++n) {
        Niveau const& niveau = niveaux_[n];
        resultat.erreur = reduire(termes_.data() + niveau.debut, termes_.data() + niveau.fin, valeurs, x, p, valeurs[n]);
        if (resultat.erreur)
            return resultat;
    }
    resultat.valeur = valeurs[niveaux_.size() - 1];
    return resultat;
}

Formule::Formule(char const* texte, Variables variables)
{
    if (!verifier_chaine(texte)) {
        equilibree_ = false;
        erreur_ = Message::parentheses;
        return;
    }
    std::vector<Jeton> jetons;
    std::vector<std::size_t> places_x;
    std::vector<std::size_t> places_p;
    erreur_ = lire_jetons(texte, jetons, places_x, variables == Variables::x_et_p ? &places_p : nullptr);
    if (!erreur_)
        erreur_ = verifier_jetons(jetons);
    if (!erreur_)
        programme_ = Programme(jetons, places_x, places_p);
}

Evaluation Formule::evaluer(std::int32_t x, std::int32_t p) const
{
    if (erreur_) {
        Evaluation resultat;
        resultat.erreur = erreur_;
        return resultat;
    }
    return programme_.executer(x, p);
}

std::int32_t Formule::calculer(std::int32_t x) const
{
    Evaluation const e = evaluer(x);
    if (!equilibree_)
        return 0;
    if (e.erreur)
        lancer(*e.erreur);
    return e.valeur;
}

int calculer(char const* formule, int x)
{
    return Formule(formule).calculer(x);
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
    std::vector<std::size_t> places_x;
    if (Echec e = lire_jetons(formule, jetons, places_x))
        lancer(*e);
    for (std::size_t place : places_x)
        jetons[place].valeur = x;
    return jetons;
}

std::int32_t prendre_nombre(char const*& curseur, int base)
{
    std::int32_t valeur = 0;
    if (Echec e = lire_nombre(curseur, base, valeur))
        lancer(*e);
    return valeur;
}

std::int32_t resultat(std::vector<Jeton> const& jetons)
{
    if (Echec e = verifier_jetons(jetons))
        lancer(*e);
    Evaluation const e = Programme(jetons, {}, {}).executer(0, 0);
    if (e.erreur)
        lancer(*e.erreur);
    return e.valeur;
}

}  // namespace Calcul
