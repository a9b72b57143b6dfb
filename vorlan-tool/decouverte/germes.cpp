#include "decouverte/germes.h"

#include <algorithm>
#include <cstring>
#include <tuple>

namespace Decouverte {

namespace {

// A slot of the block that designates a start through a fixed sonde: i from the block's first
// slot, and for a banked sonde the bank's number and the window its value lies in, as one key.
struct Touche {
    std::uint32_t i;
    std::uint32_t banque;
    long long debut;
};

// The windows of a bank of 2^bits bytes among 2-byte values: 16 - bits bits of the key.
int bits_fenetre(Index_banques const& b) { return 16 - b.bits_periode(); }

// One reading's values over a block from `a`, and room for the sondes' touches.
struct Bloc {
    long long a = 0;
    long long nombre_germes = 0;  // seeds start at a .. a + nombre_germes - 1
    std::vector<std::uint32_t> valeurs;
    std::vector<unsigned char> remplissage;  // 1 where a slot begins longueur_egale equal values
    std::vector<long long> positions;
    std::vector<std::uint32_t> candidats;
    std::vector<std::vector<Touche>> touches;  // by sonde
    std::vector<Touche> par_banque;
    std::vector<std::uint32_t> comptes;
};

// A slot that begins this many equal values in a row starts no seed at any stride (its three
// slots would hold one value): stretches of equal bytes (padding) are passed over.
constexpr std::size_t longueur_egale = 2 * pas_max + 1;

void marquer_remplissage(Bloc& bloc) {
    std::vector<std::uint32_t> const& v = bloc.valeurs;
    bloc.remplissage.assign(v.size(), 0);
    for (std::size_t i = 0; i + 1 < v.size();) {
        if (v[i] != v[i + 1]) {
            ++i;
            continue;
        }
        std::size_t fin = i + 1;  // the last slot holding v[i]
        while (fin + 1 < v.size() && v[fin + 1] == v[i]) ++fin;
        for (std::size_t k = i; k + longueur_egale <= fin + 1; ++k) bloc.remplissage[k] = 1;
        i = fin + 1;
    }
}

unsigned hors_remplissage(Bloc const& bloc, std::size_t i) { return bloc.remplissage[i] ^ 1u; }

// 0 or 1, to be combined with `&` rather than `&&`: no branch on the value.
unsigned plausible(Sonde const& s, std::uint32_t v) {
    return static_cast<unsigned>(v - s.valeur_min <= s.valeur_max - s.valeur_min) &
           static_cast<unsigned>((v & s.bit_requis) == s.bit_requis);
}

// Four differences of slot values at a time, without a branch: most lie outside the span of
// the distances between consecutive starts.
using Quatre = std::uint32_t __attribute__((vector_size(16)));

// Slots whose values step as three consecutive starts do, plain or relative to the slots.
void semer_libres(Recherche const& r, int lecture, Bloc const& bloc, std::vector<Germe>& germes) {
    if (r.sans_ecarts) return;
    int lineaire = -1;
    int relative = -1;
    for (int s : r.sondes_par_taille[static_cast<std::size_t>(r.lectures[static_cast<std::size_t>(lecture)].taille)]) {
        Sonde const& sonde = r.sondes[static_cast<std::size_t>(s)];
        if (sonde.libre) (sonde.forme.correspondance == Correspondance::relative ? relative : lineaire) = s;
    }
    std::uint32_t const* const v = bloc.valeurs.data();
    auto const n = static_cast<long long>(bloc.valeurs.size());
    std::uint32_t const bas = r.ecart_bas;
    std::uint32_t const etendue = r.etendue;
    for (int p = r.lectures[static_cast<std::size_t>(lecture)].pas_minimum(); p <= pas_max; ++p) {
        std::uint64_t const* const bits = r.ecarts_par_pas[static_cast<std::size_t>(p)].data();
        auto candidat = [&](long long i) {
            std::uint32_t const e = v[i + p] - v[i] + Recherche::decalage_ecart;
            if ((bits[e >> 6] >> (e & 63) & 1) == 0) return;
            long long const d1 = static_cast<long long>(v[i + p]) - v[i];
            long long const d2 = static_cast<long long>(v[i + 2 * p]) - v[i + p];
            // Equal values relative to their slots step as evenly spaced starts do: a stretch
            // of equal bytes, padding say, is no table.
            if (d2 == 0) return;
            for (auto [sonde, plus] : {std::pair(lineaire, 0), std::pair(relative, p)})
                if (r.index.paire(d1 + plus, d2 + plus)) germes.push_back({lecture, sonde, p, 0, 0, bloc.a + i});
        };
        long long const fin = std::min(bloc.nombre_germes, n - 2 * p);
        long long i = 0;
        for (; i + 4 <= fin; i += 4) {
            Quatre a;
            Quatre b;
            std::memcpy(&a, v + i, sizeof a);
            std::memcpy(&b, v + i + p, sizeof b);
            Quatre const dedans = ((b - a - bas) <= etendue) & (b != a);
            std::uint64_t m[2];
            std::memcpy(m, &dedans, sizeof m);
            if ((m[0] | m[1]) == 0) continue;
            for (int k = 0; k < 4; ++k)
                if (dedans[k] != 0) candidat(i + k);
        }
        for (; i < fin; ++i)
            if (v[i + p] - v[i] - bas <= etendue && v[i + p] != v[i]) candidat(i);
    }
}

// The slots of the block that the par_valeur sondes make designate a start, by slot: a slot
// whose value none can use is passed over at one look.
void toucher_par_valeur(Recherche const& r, int taille, std::vector<int> const& sondes, Bloc& bloc) {
    for (std::size_t i = 0; i < bloc.valeurs.size(); ++i) {
        std::uint32_t const v = bloc.valeurs[i];
        if (!r.valeur_utile(taille, v) || hors_remplissage(bloc, i) == 0) continue;
        for (int s : sondes) {
            Sonde const& sonde = r.sondes[static_cast<std::size_t>(s)];
            if (!sonde.par_valeur || plausible(sonde, v) == 0) continue;
            std::optional<long long> const o = position(sonde.forme, v, bloc.a + static_cast<long long>(i));
            if (o && r.index.est_debut(*o))
                bloc.touches[static_cast<std::size_t>(s)].push_back({static_cast<std::uint32_t>(i), 0, *o});
        }
    }
}

// The slots of the block that a banked or relative sonde makes designate a start, by slot.
void toucher(Recherche const& r, Sonde const& sonde, Bloc& bloc, std::vector<Touche>& touches) {
    auto const n = bloc.valeurs.size();
    if (sonde.banques != nullptr) {
        Index_banques const& banques = *sonde.banques;
        std::uint32_t const masque = static_cast<std::uint32_t>(banques.periode()) - 1;
        // The slots worth a look first, without a branch: a good part of them are.
        bloc.candidats.resize(n);
        std::size_t candidats = 0;
        for (std::size_t i = 0; i < n; ++i) {
            std::uint32_t const v = bloc.valeurs[i];
            bloc.candidats[candidats] = static_cast<std::uint32_t>(i);
            candidats += plausible(sonde, v) & static_cast<unsigned>(banques.occupee(v & masque)) &
                         hors_remplissage(bloc, i);
        }
        // Counted, then written in place: there are many.
        std::size_t total = 0;
        for (std::size_t k = 0; k < candidats; ++k) {
            auto const [premiere, fin] = banques.bases(bloc.valeurs[bloc.candidats[k]] & masque);
            total += static_cast<std::size_t>(fin - premiere);
        }
        std::size_t const deja = touches.size();
        touches.resize(deja + total);
        Touche* t = touches.data() + deja;
        for (std::size_t k = 0; k < candidats; ++k) {
            std::uint32_t const i = bloc.candidats[k];
            long long const q = bloc.valeurs[i] & masque;
            auto const fenetre = bloc.valeurs[i] >> banques.bits_periode();
            auto const [premiere, fin] = banques.bases(q);
            for (long long const* b = premiere; b != fin; ++b) {
                auto const numero = static_cast<std::uint32_t>((*b - banques.entete()) >> banques.bits_periode());
                *t++ = {i, numero << bits_fenetre(banques) | fenetre, *b + q};
            }
        }
        return;
    }
    bloc.positions.resize(n);
    positions(sonde.forme, bloc.valeurs.data(), static_cast<long long>(n), bloc.a, bloc.positions.data());
    for (std::size_t i = 0; i < n; ++i)
        if ((plausible(sonde, bloc.valeurs[i]) & static_cast<unsigned>(r.index.est_debut(bloc.positions[i])) &
             hors_remplissage(bloc, i)) != 0)
            touches.push_back({static_cast<std::uint32_t>(i), 0, bloc.positions[i]});
}

// The touches grouped by bank, each bank's in slot order.
std::vector<Touche> const& par_banque(Bloc& bloc, std::vector<Touche> const& touches, bool banquee) {
    if (!banquee) return touches;
    std::uint32_t banques = 0;
    for (Touche const& t : touches) banques = std::max(banques, t.banque + 1);
    bloc.comptes.assign(banques + 1, 0);
    for (Touche const& t : touches) ++bloc.comptes[t.banque + 1];
    for (std::size_t b = 1; b < bloc.comptes.size(); ++b) bloc.comptes[b] += bloc.comptes[b - 1];
    bloc.par_banque.resize(touches.size());
    for (Touche const& t : touches) bloc.par_banque[bloc.comptes[t.banque]++] = t;
    return bloc.par_banque;
}

// Three touches of one sonde and bank at one stride, designating two starts at least and not
// holding one value thrice: the same start over and over, or one value relative to evenly
// spaced slots, is what a run of equal bytes gives.
void semer_fixes(Recherche const& r, int lecture, int indice, Bloc& bloc, std::vector<Germe>& germes) {
    Sonde const& sonde = r.sondes[static_cast<std::size_t>(indice)];
    std::vector<Touche>& miennes = bloc.touches[static_cast<std::size_t>(indice)];
    if (!sonde.par_valeur) toucher(r, sonde, bloc, miennes);
    std::vector<Touche> const& touches = par_banque(bloc, miennes, sonde.banques != nullptr);
    auto const pas_minimum = static_cast<std::uint32_t>(r.lectures[static_cast<std::size_t>(lecture)].pas_minimum());
    for (std::size_t a = 0; a < touches.size(); ++a) {
        Touche const& t = touches[a];
        if (t.i >= bloc.nombre_germes) continue;
        for (std::size_t b = a + 1; b < touches.size() && touches[b].banque == t.banque; ++b) {
            std::uint32_t const pas = touches[b].i - t.i;
            if (pas > pas_max) break;
            if (pas < pas_minimum) continue;
            std::size_t c = b + 1;
            while (c < touches.size() && touches[c].banque == t.banque && touches[c].i < t.i + 2 * pas) ++c;
            if (c == touches.size() || touches[c].banque != t.banque || touches[c].i != t.i + 2 * pas) continue;
            if (t.debut == touches[b].debut && t.debut == touches[c].debut) continue;
            std::uint32_t const v = bloc.valeurs[t.i];
            if (bloc.valeurs[touches[b].i] == v && bloc.valeurs[touches[c].i] == v) continue;
            Germe g{lecture, indice, static_cast<int>(pas), 0, 0, bloc.a + t.i};
            if (sonde.banques != nullptr) {
                Index_banques const& banques = *sonde.banques;
                std::uint32_t const fenetres = (1u << bits_fenetre(banques)) - 1;
                g.base = banques.entete() + (static_cast<long long>(t.banque >> bits_fenetre(banques)) << banques.bits_periode());
                g.fenetre = static_cast<long long>(t.banque & fenetres) << banques.bits_periode();
            }
            germes.push_back(g);
        }
    }
}

}  // namespace

bool avant(Germe const& a, Germe const& b) {
    auto cle = [](Germe const& g) {
        return std::make_tuple(g.lecture, g.sonde, g.base, g.fenetre, g.pas, g.o % g.pas, g.o);
    };
    return cle(a) < cle(b);
}

bool meme_chaine(Germe const& a, Germe const& b) {
    return a.lecture == b.lecture && a.sonde == b.sonde && a.base == b.base && a.fenetre == b.fenetre &&
           a.pas == b.pas && a.o % a.pas == b.o % b.pas;
}

void semer(Recherche const& r, long long debut, long long fin, std::vector<Germe>& germes) {
    auto const taille_rom = static_cast<long long>(r.rom.size());
    Bloc bloc;
    for (std::size_t l = 0; l < r.lectures.size(); ++l) {
        Lecture const& lecture = r.lectures[l];
        long long const fin_lisible = lecture.fin_lisible(taille_rom);
        bloc.a = std::max(debut, lecture.premier_lisible());
        long long const b = std::min(fin, fin_lisible);
        if (bloc.a >= b) continue;
        // The seeds' last slots reach two strides past the block.
        long long const c = std::min(b + 2 * pas_max, fin_lisible);
        bloc.nombre_germes = b - bloc.a;
        bloc.valeurs.resize(static_cast<std::size_t>(c - bloc.a));
        lecture.lire_lisibles(r.rom, bloc.a, c - bloc.a, bloc.valeurs.data());
        marquer_remplissage(bloc);
        semer_libres(r, static_cast<int>(l), bloc, germes);
        std::vector<int> const& sondes = r.sondes_par_taille[static_cast<std::size_t>(lecture.taille)];
        bloc.touches.resize(r.sondes.size());
        for (int s : sondes) bloc.touches[static_cast<std::size_t>(s)].clear();
        toucher_par_valeur(r, lecture.taille, sondes, bloc);
        for (int s : sondes)
            if (!r.sondes[static_cast<std::size_t>(s)].libre) semer_fixes(r, static_cast<int>(l), s, bloc, germes);
    }
}

}  // namespace Decouverte
