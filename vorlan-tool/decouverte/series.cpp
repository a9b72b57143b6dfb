#include "decouverte/series.h"

#include <algorithm>
#include <climits>

namespace Decouverte {

namespace {

// The largest constant whose hex text Calcul reads whole.
constexpr long long constante_max = 0xFFFFFFFFLL;

// Grows the run whose seed is the three slots from o; nothing when they do not all designate a
// start through `forme`. The run goes back no further than `borne`.
std::optional<Serie> etendre(Recherche const& r, int lecture, Forme const& forme, long long pas, long long o,
                             long long borne) {
    Lecture const& l = r.lectures[static_cast<std::size_t>(lecture)];
    auto touche = [&](long long x) { return designe(r, l, forme, x).has_value(); };
    // x holds the value of the two slots on its side of the run: a third in a row.
    auto valeur = [&](long long x) {
        std::uint32_t v = 0;
        l.lire(r.rom, x, v);
        return v;
    };
    auto troisieme = [&](long long x, long long sens) {
        std::uint32_t const v = valeur(x);
        return valeur(x + sens) == v && valeur(x + 2 * sens) == v;
    };
    if (!touche(o) || !touche(o + pas) || !touche(o + 2 * pas)) return std::nullopt;
    long long const ecart = espacement_manques * pas;
    long long const fin_lisible = l.fin_lisible(static_cast<long long>(r.rom.size()));

    long long debut = o;
    std::optional<long long> manque;        // the last miss met
    std::optional<long long> manque_garde;  // the nearest to the seed of those kept before it
    for (long long x = o - pas; x >= std::max(borne, l.premier_lisible()); x -= pas) {
        if (troisieme(x, pas)) break;
        if (touche(x)) {
            debut = x;
            if (manque && !manque_garde) manque_garde = manque;
            continue;
        }
        if (manque && *manque - x < ecart) break;
        manque = x;
    }
    long long fin = o + 2 * pas;
    manque = manque_garde;
    for (long long x = fin + pas; x < fin_lisible; x += pas) {
        if (troisieme(x, -pas)) break;
        if (touche(x)) {
            fin = x;
            continue;
        }
        if (manque && x - *manque < ecart) break;
        manque = x;
    }

    Serie s;
    s.lecture = lecture;
    s.forme = forme;
    s.pas = pas;
    s.premier = debut;
    s.nombre = static_cast<int>((fin - debut) / pas + 1);
    compter(r, s);
    return s;
}

// The constants a free sonde's seed gives: start j, j + 1, j + 2 being designated by its three
// slots for each j whose distances to the next starts are those between the slot values. When
// several j fit, the slots after the seed that go on stepping as starts do tell them apart.
std::vector<Forme> formes_libres(Recherche const& r, Germe const& g) {
    Lecture const& l = r.lectures[static_cast<std::size_t>(g.lecture)];
    Forme modele = r.sondes[static_cast<std::size_t>(g.sonde)].forme;
    bool const relative = modele.correspondance == Correspondance::relative;
    auto w = [&](long long x, long long& sortie) {
        std::uint32_t v = 0;
        if (!l.lire(r.rom, x, v)) return false;
        sortie = static_cast<long long>(v) + (relative ? x : 0);
        return true;
    };
    long long w0 = 0;
    long long w1 = 0;
    long long w2 = 0;
    std::vector<Forme> formes;
    if (!w(g.o, w0) || !w(g.o + g.pas, w1) || !w(g.o + 2 * g.pas, w2)) return formes;
    std::vector<long long> const& d = r.index.debuts();
    std::vector<int> j = r.index.paires(w1 - w0, w2 - w1);
    long long precedente = w2;
    for (long long m = 3; j.size() > 1; ++m) {
        long long wm = 0;
        if (!w(g.o + m * g.pas, wm)) break;
        std::vector<int> restants;
        for (int c : j) {
            auto const suivant = static_cast<std::size_t>(c + m);
            if (suivant < d.size() && d[suivant] - d[suivant - 1] == wm - precedente) restants.push_back(c);
        }
        if (restants.empty()) break;
        j.swap(restants);
        precedente = wm;
    }
    for (int c : j) {
        modele.constante = w0 - d[static_cast<std::size_t>(c)];
        if (modele.constante >= -constante_max && modele.constante <= constante_max) formes.push_back(modele);
    }
    return formes;
}

std::vector<Forme> formes_du_germe(Recherche const& r, Germe const& g) {
    Sonde const& sonde = r.sondes[static_cast<std::size_t>(g.sonde)];
    if (sonde.libre) return formes_libres(r, g);
    Forme f = sonde.forme;
    if (sonde.banques != nullptr) {
        f.base = g.base;
        f.fenetre = g.fenetre;
        f.constante = g.fenetre - g.base;
    }
    return {f};
}

}  // namespace

std::optional<long long> designe(Recherche const& r, Lecture const& lecture, Forme const& forme, long long x) {
    std::uint32_t v = 0;
    if (!lecture.lire(r.rom, x, v)) return std::nullopt;
    std::optional<long long> const p = position(forme, v, x);
    if (!p || !r.index.est_debut(*p)) return std::nullopt;
    return p;
}

void compter(Recherche const& r, Serie& serie) {
    Lecture const& l = r.lectures[static_cast<std::size_t>(serie.lecture)];
    std::vector<long long> atteints;
    serie.manques = 0;
    for (int i = 0; i < serie.nombre; ++i) {
        if (std::optional<long long> const d = designe(r, l, serie.forme, serie.emplacement(i)))
            atteints.push_back(*d);
        else
            ++serie.manques;
    }
    std::sort(atteints.begin(), atteints.end());
    serie.atteintes = static_cast<int>(std::unique(atteints.begin(), atteints.end()) - atteints.begin());
}

std::vector<Serie> series_de_la_chaine(Recherche const& r, Germe const* debut, Germe const* fin, int minimum) {
    std::vector<Serie> series;
    long long couvert = LLONG_MIN;  // the last slot of the runs found so far
    for (Germe const* g = debut; g != fin; ++g) {
        if (g->o <= couvert) continue;
        long long const borne = couvert == LLONG_MIN ? LLONG_MIN : couvert + g->pas;
        for (Forme const& forme : formes_du_germe(r, *g)) {
            std::optional<Serie> const s = etendre(r, g->lecture, forme, g->pas, g->o, borne);
            if (!s) continue;
            couvert = std::max(couvert, s->dernier());
            if (s->atteintes >= minimum) series.push_back(*s);
        }
    }
    return series;
}

}  // namespace Decouverte
