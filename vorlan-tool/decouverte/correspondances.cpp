#include "decouverte/correspondances.h"

#include <cstdio>

namespace Decouverte {

namespace {

// Calcul's arithmetic: 32-bit two's complement, sums and products wrapping round, a
// subtraction failing when its left operand is the smaller (signed comparison).
using Entier = std::int32_t;
using Resultat = std::optional<Entier>;

Entier plus(Entier a, Entier b) { return static_cast<Entier>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b)); }
Entier fois(Entier a, Entier b) { return static_cast<Entier>(static_cast<std::uint32_t>(a) * static_cast<std::uint32_t>(b)); }
Resultat moins(Entier a, Entier b) {
    if (a < b) return std::nullopt;
    return static_cast<Entier>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}
// A constant as Calcul reads its hex text: its low 32 bits.
Entier en_entier(long long c) { return static_cast<Entier>(static_cast<std::uint32_t>(c)); }

constexpr long long deux_puissance_32 = 1LL << 32;
constexpr Entier moins_un = -1;  // $FFFFFFFF: P*$FFFFFFFF is -P round 2^32

// A bank seen at the top of the 2-byte addresses ($8000-$FFFF for a bank of $8000): no 2-byte
// value lies past its window. Below the top, the extraction refuses the values past it with a
// subtraction that fails there, ($7FFF-X)*0, Calcul having no comparison.
bool fenetre_en_haut(Forme const& f) { return f.fenetre + periode(f.correspondance) >= 0x10000; }
long long haut_de_fenetre(Forme const& f) { return f.fenetre + periode(f.correspondance) - 1; }

bool lineaire_fixe(Correspondance c) {
    return c == Correspondance::gba || c == Correspondance::hirom_c0 || c == Correspondance::hirom_40 ||
           c == Correspondance::lineaire;
}

std::string hexa(long long n) {
    char texte[24];
    std::snprintf(texte, sizeof texte, "$%llX", n);
    return texte;
}

// The text of a - k: "-$k" for a constant above 0, "+$m" below (m = -k).
std::string texte_retirer(long long k) {
    if (k > 0) return "-" + hexa(k);
    if (k < 0) return "+" + hexa(-k);
    return "";
}

// The LoROM bank of an offset in banks $00-$7F: ((X/$8000)*$10000)+(X%$8000)+$8000.
Entier vers_lorom(Entier y, Entier rang) {
    return plus(plus(fois(plus(y / 0x8000, rang), 0x10000), y % 0x8000), 0x8000);
}

Resultat inverse(Forme const& f, Entier x, Entier p) {
    long long const k = f.constante;
    switch (f.correspondance) {
    case Correspondance::gba:
    case Correspondance::hirom_c0:
    case Correspondance::hirom_40:
    case Correspondance::lineaire:
        if (k >= 0) return plus(x, en_entier(k));
        if (f.ins_modulaire) return plus(x, en_entier(deux_puissance_32 + k));
        return moins(x, en_entier(-k));
    case Correspondance::relative:
        if (f.ins_modulaire) return plus(plus(x, en_entier(k < 0 ? deux_puissance_32 + k : k)), fois(p, moins_un));
        if (k > 0) return moins(plus(x, en_entier(k)), p);
        if (Resultat const r = moins(x, p)) return k == 0 ? r : moins(*r, en_entier(-k));
        return std::nullopt;
    case Correspondance::lorom_00:
    case Correspondance::lorom_80: {
        Resultat const y = moins(x, en_entier(f.entete));
        if (!y) return std::nullopt;
        return vers_lorom(*y, f.correspondance == Correspondance::lorom_80 ? 0x80 : 0);
    }
    default: {
        Resultat const dans_banque = moins(x, en_entier(f.base));
        if (!dans_banque) return std::nullopt;
        return plus(*dans_banque, en_entier(f.fenetre));
    }
    }
}

}  // namespace

long long periode(Correspondance c) {
    switch (c) {
    case Correspondance::banque_lorom: return 0x8000;
    case Correspondance::banque_hirom: return 0x10000;
    case Correspondance::banque_gb:
    case Correspondance::banque_nes_4000: return 0x4000;
    case Correspondance::banque_nes_2000: return 0x2000;
    default: return 0;
    }
}

namespace {

// What position() gives, -1 for nothing; each case a loop of its own over the slots, without
// branches: whether a subtraction fails depends on the value, which a scan cannot foresee.
long long ou_rien(bool possible, std::uint32_t r) { return possible ? static_cast<long long>(r) : -1; }

// a - k as Calcul computes "X-$k" or "X+$m".
long long sans_constante(std::uint32_t a, long long k) {
    auto const c = static_cast<std::uint32_t>(k > 0 ? k : -k);
    if (k <= 0) return a + c;
    return ou_rien(static_cast<Entier>(a) >= static_cast<Entier>(c), a - c);
}

void calculer_positions(Forme const& f, std::uint32_t const* valeurs, long long nombre, long long p,
                        long long* sortie) {
    auto const n = static_cast<std::size_t>(nombre);
    long long const k = f.constante;
    switch (f.correspondance) {
    case Correspondance::gba:
    case Correspondance::hirom_c0:
    case Correspondance::hirom_40:
    case Correspondance::lineaire:
        for (std::size_t i = 0; i < n; ++i) sortie[i] = sans_constante(valeurs[i], k);
        return;
    case Correspondance::relative:
        for (std::size_t i = 0; i < n; ++i)
            sortie[i] = sans_constante(valeurs[i] + static_cast<std::uint32_t>(p + static_cast<long long>(i)), k);
        return;
    case Correspondance::lorom_00:
    case Correspondance::lorom_80: {
        Entier const rang = f.correspondance == Correspondance::lorom_80 ? 0x80 : 0;
        for (std::size_t i = 0; i < n; ++i) {
            Entier const x = static_cast<Entier>(valeurs[i]);
            Entier const banque = x / 0x10000;
            auto const r = static_cast<std::uint32_t>(plus(plus(fois(banque - rang, 0x8000), x % 0x8000), en_entier(f.entete)));
            sortie[i] = ou_rien(rang == 0 || banque >= rang, r);
        }
        return;
    }
    default: {
        Entier const w = en_entier(f.fenetre);
        bool const borne = !fenetre_en_haut(f);
        Entier const haut = en_entier(haut_de_fenetre(f));
        for (std::size_t i = 0; i < n; ++i) {
            auto const x = static_cast<std::uint32_t>(valeurs[i]);
            bool const dans = (w == 0 || static_cast<Entier>(x) >= w) && (!borne || haut >= static_cast<Entier>(x));
            sortie[i] = ou_rien(dans, x - static_cast<std::uint32_t>(w) + static_cast<std::uint32_t>(f.base));
        }
        return;
    }
    }
}

}  // namespace

std::optional<long long> position(Forme const& f, std::uint32_t valeur, long long p) {
    long long o = -1;
    calculer_positions(f, &valeur, 1, p, &o);
    if (o < 0) return std::nullopt;
    return o;
}

void positions(Forme const& forme, std::uint32_t const* valeurs, long long nombre, long long p, long long* sortie) {
    calculer_positions(forme, valeurs, nombre, p, sortie);
}

std::optional<std::uint32_t> valeur(Forme const& forme, long long position_, long long p, int taille) {
    if (position_ < 0 || position_ > INT32_MAX) return std::nullopt;
    Resultat const e = inverse(forme, static_cast<Entier>(position_), static_cast<Entier>(p));
    if (!e) return std::nullopt;
    if (taille < 4 && (*e < 0 || *e >= (Entier{1} << (8 * taille)))) return std::nullopt;
    auto const v = static_cast<std::uint32_t>(*e);
    std::optional<long long> const retour = position(forme, v, p);
    if (!retour || *retour != position_) return std::nullopt;
    return v;
}

std::string formule_ext(Forme const& f) {
    if (lineaire_fixe(f.correspondance)) return "X" + texte_retirer(f.constante);
    std::string const entete = f.entete != 0 ? "+" + hexa(f.entete) : "";
    switch (f.correspondance) {
    case Correspondance::relative: return "X+P" + texte_retirer(f.constante);
    case Correspondance::lorom_00: return "(X/$10000)*$8000+X%$8000" + entete;
    case Correspondance::lorom_80: return "(X/$10000-$80)*$8000+X%$8000" + entete;
    default: {
        std::string const dans_banque = f.fenetre != 0 ? "X-" + hexa(f.fenetre) : "X";
        std::string const sous_le_haut = fenetre_en_haut(f) ? "" : "+(" + hexa(haut_de_fenetre(f)) + "-X)*0";
        return dans_banque + sous_le_haut + (f.base != 0 ? "+" + hexa(f.base) : "");
    }
    }
}

std::string formule_ins(Forme const& f) {
    long long const k = f.constante;
    if (lineaire_fixe(f.correspondance)) {
        if (k > 0) return "X+" + hexa(k);
        if (k < 0) return f.ins_modulaire ? "X+" + hexa(deux_puissance_32 + k) : "X-" + hexa(-k);
        return "X";
    }
    switch (f.correspondance) {
    case Correspondance::relative:
        if (f.ins_modulaire) return "X" + (k != 0 ? "+" + hexa(k < 0 ? deux_puissance_32 + k : k) : "") + "+P*$FFFFFFFF";
        if (k > 0) return "X+" + hexa(k) + "-P";
        return "X-P" + (k < 0 ? "-" + hexa(-k) : "");
    case Correspondance::lorom_00:
    case Correspondance::lorom_80: {
        std::string const y = f.entete != 0 ? "(X-" + hexa(f.entete) + ")" : "X";
        std::string const banque = f.correspondance == Correspondance::lorom_80 ? "((" + y + "/$8000)+$80)"
                                                                                : "(" + y + "/$8000)";
        return "(" + banque + "*$10000)+(" + y + "%$8000)+$8000";
    }
    default:
        return "X" + (f.base != 0 ? "-" + hexa(f.base) : "") + (f.fenetre != 0 ? "+" + hexa(f.fenetre) : "");
    }
}

}  // namespace Decouverte
