// The relative search over any ROM and any motif: a phrase drawn from letters, marks, accented
// and kana characters or raw bytes, with its joker and lists of alphabets, or a value scan;
// either width and byte order, any bounds and maximum. The phrase is planted a few times under
// encodings of the input, and the ROM is made large at times by repeating the input, so that
// the search cuts it into several blocks. Whatever the input, every hit reported obeys the
// rules, checked here on its own values; the hits come in ROM order, as many as the maximum
// lets through the total, which is every place a plain scan accepts; one thread and three find
// the same; the hits' groups share their table; and the table a hit implies reads back into a
// table with no report, the phrase's characters under their own codes.
#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>

#include "support.h"
#include "decouverte/motif.h"
#include "decouverte/recherche-relative.h"
#include "decouverte/table-deduite.h"
#include "lib/entiers.h"
#include "tables/extracteur-table.h"

namespace {

using Decouverte::Motif;
using Decouverte::Position;
using Decouverte::Trouvaille;
using Sorte = Position::Sorte;

// The characters a phrase and its alphabets are drawn from; past the list, a raw byte.
std::string const palette[] = {
    "a", "b", "c", "e", "z", "A", "B", "Z", "0", "9", " ", "-", "*", "?", "=", "\\", "\n", "\r", std::string(1, '\0'),
    "\xC3\xA9", "\xE3\x81\x82", "\xE3\x81\x84", "\xE3\x81\x86", "\xE3\x80\x81", "\xE9",
};
constexpr int couleurs = static_cast<int>(sizeof palette / sizeof palette[0]);

std::string tirer_texte(FuzzedDataProvider& in, std::size_t longueur_max) {
    std::string texte;
    std::size_t const n = in.ConsumeIntegralInRange<std::size_t>(0, longueur_max);
    for (std::size_t k = 0; k < n; ++k) {
        int const choix = in.ConsumeIntegralInRange<int>(0, couleurs);
        if (choix == couleurs) texte += static_cast<char>(in.ConsumeIntegral<std::uint8_t>());
        else texte += palette[choix];
    }
    return texte;
}

std::optional<Motif> tirer_motif(FuzzedDataProvider& in) {
    std::variant<Motif, Decouverte::Motif_refuse> lu;
    if (in.ConsumeIntegralInRange<int>(0, 5) == 0) {
        std::vector<long long> valeurs(in.ConsumeIntegralInRange<std::size_t>(0, 8));
        for (long long& v : valeurs) v = in.ConsumeIntegralInRange<long long>(-300, 300);
        if (in.ConsumeIntegralInRange<int>(0, 15) == 0) valeurs.push_back(in.ConsumeIntegral<long long>());
        lu = Decouverte::motif_de_valeurs(valeurs);
    } else {
        std::string const joker = in.ConsumeBool() ? "*" : tirer_texte(in, 2);
        std::vector<std::string> alphabets(in.ConsumeIntegralInRange<std::size_t>(0, 2));
        for (std::string& a : alphabets) a = tirer_texte(in, 10);
        lu = Decouverte::lire_motif(tirer_texte(in, 20), joker, alphabets);
    }
    if (std::holds_alternative<Decouverte::Motif_refuse>(lu)) return std::nullopt;
    return std::get<Motif>(std::move(lu));
}

// What the motif says of each character, against its own lists.
void verifier_motif(Motif const& m) {
    bool const valeurs = m.caracteres.empty();
    if (!valeurs && m.caracteres.size() != m.positions.size()) __builtin_trap();
    for (std::size_t i = 0; i < m.positions.size(); ++i) {
        Position const& p = m.positions[i];
        if (p.sorte == Sorte::lettre) {
            if (p.indice >= m.alphabets.size()) __builtin_trap();
            std::vector<Decouverte::Caractere> const& l = m.alphabets[p.indice].lettres;
            if (!valeurs && (p.rang < 0 || p.rang >= static_cast<long long>(l.size()) ||
                             l[static_cast<std::size_t>(p.rang)] != m.caracteres[i]))
                __builtin_trap();
        } else if (p.sorte == Sorte::autre) {
            if (p.indice >= m.autres.size() || m.autres[p.indice] != m.caracteres[i]) __builtin_trap();
            for (Decouverte::Alphabet const& a : m.alphabets)
                if (std::find(a.lettres.begin(), a.lettres.end(), m.caracteres[i]) != a.lettres.end()) __builtin_trap();
        }
    }
}

bool meme_caractere(Position const& a, Position const& b) {
    return a.sorte == b.sorte && a.indice == b.indice && (a.sorte != Sorte::lettre || a.rang == b.rang);
}

struct Bornes {
    long long premier;  // the first byte a hit may hold
    long long dernier;  // the last
};

Bornes bornes(std::vector<unsigned char> const& rom, Decouverte::Recherche const& r) {
    long long const taille = static_cast<long long>(rom.size());
    return {std::max(0LL, r.debut), r.fin < 0 || r.fin >= taille ? taille - 1 : r.fin};
}

// The rules, taken character by character: each one against the first of its alphabet (a
// letter) or the first of its occurrences (another character), then every two different
// characters apart.
class Verification {
public:
    Verification(std::vector<unsigned char> const& rom, Motif const& m, Decouverte::Recherche const& r)
        : rom_(rom), m_(m), r_(r), bornes_(bornes(rom, r)) {
        for (std::size_t i = 0; i < m.positions.size(); ++i)
            for (std::size_t j = 0; j < i; ++j)
                if (meme_classe(m.positions[i], m.positions[j])) {
                    liens_.push_back({j, i});
                    break;
                }
    }

    // The hit at `adresse`, with its values, bases and other characters' values, if the rules
    // accept it there.
    std::optional<Trouvaille> trouvaille(long long adresse) {
        std::size_t const n = m_.positions.size();
        if (adresse < bornes_.premier || adresse + static_cast<long long>(n) * r_.largeur - 1 > bornes_.dernier)
            return std::nullopt;
        // Most places fail on their first tie: the values are read as the ties need them.
        for (auto const& [premier, i] : liens_)
            if (constante(i, valeur(adresse, i)) != constante(premier, valeur(adresse, premier))) return std::nullopt;
        valeurs_.clear();
        for (std::size_t i = 0; i < n; ++i) valeurs_.push_back(valeur(adresse, i));
        for (std::size_t i = 0; i < n; ++i)
            for (std::size_t j = i + 1; j < n; ++j) {
                Position const& p = m_.positions[i];
                Position const& q = m_.positions[j];
                if (p.sorte != Sorte::joker && q.sorte != Sorte::joker && !meme_caractere(p, q) &&
                    valeurs_[i] == valeurs_[j])
                    return std::nullopt;
            }
        Trouvaille t;
        t.adresse = adresse;
        t.valeurs = valeurs_;
        t.bases.resize(m_.alphabets.size());
        t.autres.resize(m_.autres.size());
        for (std::size_t i = 0; i < n; ++i) {
            Position const& p = m_.positions[i];
            if (p.sorte == Sorte::lettre) t.bases[p.indice] = constante(i, valeurs_[i]);
            if (p.sorte == Sorte::autre) t.autres[p.indice] = valeurs_[i];
        }
        return t;
    }

private:
    static bool meme_classe(Position const& a, Position const& b) {
        return a.sorte != Sorte::joker && a.sorte == b.sorte && a.indice == b.indice;
    }
    std::uint32_t valeur(long long adresse, std::size_t i) const {
        std::uint32_t v = 0;
        if (!lire_entier_borne(rom_, adresse + static_cast<long long>(i) * r_.largeur, r_.largeur, r_.ordre, v))
            __builtin_trap();
        return v;
    }
    long long constante(std::size_t i, std::uint32_t valeur) const {
        Position const& p = m_.positions[i];
        return static_cast<long long>(valeur) - (p.sorte == Sorte::lettre ? p.rang : 0);
    }

    std::vector<unsigned char> const& rom_;
    Motif const& m_;
    Decouverte::Recherche const& r_;
    Bornes bornes_;
    std::vector<std::pair<std::size_t, std::size_t>> liens_;  // each character tied to the first of its class
    std::vector<std::uint32_t> valeurs_;
};

bool egales(Trouvaille const& a, Trouvaille const& b) {
    return a.adresse == b.adresse && a.valeurs == b.valeurs && a.bases == b.bases && a.autres == b.autres;
}

bool identiques(Decouverte::Resultat_relatif const& a, Decouverte::Resultat_relatif const& b) {
    return a.total == b.total && std::equal(a.trouvailles.begin(), a.trouvailles.end(), b.trouvailles.begin(),
                                            b.trouvailles.end(), egales);
}

// The input's bytes, or for a large ROM those bytes repeated over several search blocks.
std::vector<unsigned char> faire_rom(FuzzedDataProvider& in) {
    bool const grande = in.ConsumeIntegralInRange<int>(0, 15) == 0;
    // Two blocks or three: the search cuts no block under 64 KiB.
    std::size_t const taille =
        grande ? in.ConsumeIntegralInRange<std::size_t>((1 << 16) + 1, (1 << 16) + (1 << 15)) : 0;
    std::vector<unsigned char> rom = in.ConsumeBytes<unsigned char>(in.ConsumeIntegralInRange<std::size_t>(0, 4096));
    if (!grande) return rom;
    if (rom.empty()) rom.push_back(0);
    std::size_t const motif = rom.size();
    rom.resize(taille);
    for (std::size_t k = motif; k < taille; ++k) rom[k] = static_cast<unsigned char>(rom[k % motif] + k / motif);
    return rom;
}

// Writes the phrase under bases and values of the input, its joker as any value.
void planter(FuzzedDataProvider& in, std::vector<unsigned char>& rom, Motif const& m, Decouverte::Recherche const& r) {
    long long const etendue = static_cast<long long>(m.positions.size()) * r.largeur;
    if (etendue > static_cast<long long>(rom.size())) return;
    std::uint32_t const masque = r.largeur == 1 ? 0xFF : 0xFFFF;
    std::vector<long long> bases(m.alphabets.size());
    for (long long& b : bases) b = in.ConsumeIntegralInRange<long long>(-8, masque);
    std::vector<std::uint32_t> autres(m.autres.size());
    for (std::uint32_t& v : autres) v = in.ConsumeIntegral<std::uint32_t>() & masque;
    long long const adresse = in.ConsumeIntegralInRange<long long>(0, static_cast<long long>(rom.size()) - etendue);
    for (std::size_t i = 0; i < m.positions.size(); ++i) {
        Position const& p = m.positions[i];
        std::uint32_t v = in.ConsumeIntegral<std::uint32_t>();
        if (p.sorte == Sorte::lettre) v = static_cast<std::uint32_t>(bases[p.indice] + p.rang);
        if (p.sorte == Sorte::autre) v = autres[p.indice];
        ecrire_entier_borne(rom, adresse + static_cast<long long>(i) * r.largeur, r.largeur, r.ordre, v & masque);
    }
}

// The table of a hit: no report, and each character of the phrase under its own code, unless
// no line can hold it.
void verifier_table(Motif const& m, Trouvaille const& t, Decouverte::Recherche const& r,
                    std::vector<unsigned char> const& rom) {
    Decouverte::Codes_connus const codes = Decouverte::codes_de(m, t);
    Decouverte::Table_deduite const table = Decouverte::deduire_table(codes, r.largeur, r.ordre);
    Extracteur::Table_ext lue;
    if (!lue.charger(table.texte).empty()) __builtin_trap();
    std::size_t lignes = 0;
    for (char c : table.texte) lignes += c == '\n';
    std::size_t entrees = 0;
    for (char c : lue.afficher()) entrees += c == '\n';
    if (entrees != lignes) __builtin_trap();
    for (std::size_t i = 0; i < m.positions.size() && !m.caracteres.empty(); ++i) {
        if (m.positions[i].sorte == Sorte::joker) continue;
        std::vector<unsigned char> cle(static_cast<std::size_t>(r.largeur));
        ecrire_entier_borne(cle, 0, r.largeur, r.ordre, t.valeurs[i]);
        Extracteur::Texte_ext const* texte = lue.chercher(cle.data(), cle.size());
        bool const non_inscrit =
            std::any_of(table.non_inscrits.begin(), table.non_inscrits.end(),
                        [&](auto const& e) { return e.second == static_cast<long long>(t.valeurs[i]); });
        if (non_inscrit ? texte != nullptr : texte == nullptr || texte->texte != m.caracteres[i]) __builtin_trap();
    }
    fuzz::comme_une_commande([&] { Decouverte::decoder(rom, t.adresse - 8, 64, r.largeur, r.ordre, codes); });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    std::optional<Motif> const motif = tirer_motif(in);
    if (!motif) return 0;
    verifier_motif(*motif);
    Decouverte::Recherche r;
    r.largeur = in.ConsumeBool() ? 2 : 1;
    r.ordre = in.ConsumeBool() ? Ordre_octets::petit_boutiste : Ordre_octets::grand_boutiste;
    r.debut = in.ConsumeIntegralInRange<long long>(-4, 6000);
    r.fin = in.ConsumeBool() ? -1 : in.ConsumeIntegralInRange<long long>(-4, 6000);
    r.maximum = in.ConsumeIntegralInRange<std::size_t>(0, 40);
    int const plantations = in.ConsumeIntegralInRange<int>(0, 3);
    std::vector<unsigned char> rom = faire_rom(in);
    for (int k = 0; k < plantations; ++k) planter(in, rom, *motif, r);

    Decouverte::Resultat_relatif const un = Decouverte::chercher_relatif(rom, *motif, r, 1);
    if (!identiques(un, Decouverte::chercher_relatif(rom, *motif, r, 3))) __builtin_trap();
    if (un.trouvailles.size() != std::min(un.total, r.maximum)) __builtin_trap();
    Verification verification(rom, *motif, r);
    for (std::size_t k = 0; k < un.trouvailles.size(); ++k) {
        Trouvaille const& t = un.trouvailles[k];
        if (k > 0 && t.adresse <= un.trouvailles[k - 1].adresse) __builtin_trap();
        std::optional<Trouvaille> const attendue = verification.trouvaille(t.adresse);
        if (!attendue || !egales(*attendue, t)) __builtin_trap();
    }
    // Every place a plain scan accepts is counted, and the first are those kept.
    Bornes const b = bornes(rom, r);
    std::size_t total = 0;
    for (long long a = b.premier; a <= b.dernier; ++a) {
        if (!verification.trouvaille(a)) continue;
        if (total < un.trouvailles.size() && un.trouvailles[total].adresse != a) __builtin_trap();
        ++total;
    }
    if (total != un.total) __builtin_trap();

    std::vector<std::vector<std::size_t>> const groupes = Decouverte::grouper(un);
    std::vector<bool> vus(un.trouvailles.size(), false);
    long long precedent = -1;
    for (std::vector<std::size_t> const& g : groupes) {
        if (g.empty() || static_cast<long long>(g[0]) <= precedent || !std::is_sorted(g.begin(), g.end()))
            __builtin_trap();
        precedent = static_cast<long long>(g[0]);
        for (std::size_t i : g) {
            Trouvaille const& t = un.trouvailles[i];
            Trouvaille const& tete = un.trouvailles[g[0]];
            if (vus[i] || t.bases != tete.bases || t.autres != tete.autres) __builtin_trap();
            vus[i] = true;
        }
    }
    if (std::find(vus.begin(), vus.end(), false) != vus.end()) __builtin_trap();
    for (std::size_t k = 0; k < un.trouvailles.size() && k < 3; ++k) verifier_table(*motif, un.trouvailles[k], r, rom);
    return 0;
}
