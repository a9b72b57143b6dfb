#include "decouverte/recherche-pointeurs.h"

#include <algorithm>
#include <atomic>
#include <thread>

#include "decouverte/classement.h"
#include "decouverte/germes.h"
#include "decouverte/index-debuts.h"
#include "decouverte/series.h"

namespace Decouverte {

namespace {

// Blocks of slot offsets scanned at a time: fixed, so that the seeds do not depend on the
// number of threads.
constexpr long long taille_bloc = 0x4000;

// travail(i) for every i below n, on `fils` threads taking the next i as they finish; each i
// writes only its own result, so their order is that of i whatever the threads do.
template <typename Travail>
void en_parallele(unsigned fils, std::size_t n, Travail const& travail) {
    std::atomic<std::size_t> suivant{0};
    auto boucle = [&] {
        for (std::size_t i = suivant++; i < n; i = suivant++) travail(i);
    };
    std::vector<std::thread> threads;
    for (unsigned t = 1; t < std::min<std::size_t>(fils, n); ++t) threads.emplace_back(boucle);
    boucle();
    for (std::thread& t : threads) t.join();
}

template <typename T>
std::vector<T> mettre_bout_a_bout(std::vector<std::vector<T>>& parts) {
    std::size_t total = 0;
    for (auto const& p : parts) total += p.size();
    std::vector<T> tout;
    tout.reserve(total);
    for (auto& p : parts) {
        tout.insert(tout.end(), p.begin(), p.end());
        std::vector<T>().swap(p);
    }
    return tout;
}

// The insertion that gives back every start the run reaches: a 4-byte slot whose value the
// extraction took round 2^32 needs one that goes round too.
Forme forme_retenue(Recherche const& r, Serie const& s) {
    Lecture const& l = r.lectures[static_cast<std::size_t>(s.lecture)];
    Forme f = s.forme;
    for (int i = 0; i < s.nombre && !f.ins_modulaire; ++i) {
        std::optional<long long> const d = designe(r, l, f, s.emplacement(i));
        if (d && !valeur(f, *d, s.emplacement(i), l.taille)) f.ins_modulaire = true;
    }
    return f;
}

Groupe_trouve trouve(Recherche const& r, Serie const& s) {
    Lecture const& l = r.lectures[static_cast<std::size_t>(s.lecture)];
    Forme const f = forme_retenue(r, s);
    Groupe_trouve t;
    Jeu::Groupe& g = t.groupe;
    if (l.eclatee()) {
        g.disposition = Jeu::Disposition::eclate;
        g.octets = {s.premier, s.premier + l.ecart};
    } else {
        g.adresse = s.premier;
    }
    g.nombre = s.nombre;
    g.taille = l.taille;
    g.pas = s.pas;
    g.ordre = l.ordre;
    g.formule_ext = formule_ext(f);
    g.formule_ins = formule_ins(f);
    t.correspondance = f.correspondance;
    t.constante = f.constante;
    t.entete = f.entete;
    t.atteintes = s.atteintes;
    t.manques = s.manques;
    return t;
}

}  // namespace

std::vector<Groupe_trouve> chercher_pointeurs(std::vector<unsigned char> const& rom, Demande_pointeurs const& d,
                                             unsigned fils) {
    auto const taille_rom = static_cast<long long>(rom.size());
    Index_debuts const index(d.debuts, taille_rom);
    if (index.debuts().empty()) return {};
    Recherche const r(rom, index, d.ecarts);
    int const minimum = std::max(d.minimum, 1);

    std::vector<std::vector<Germe>> par_bloc(static_cast<std::size_t>((taille_rom + taille_bloc - 1) / taille_bloc));
    en_parallele(fils, par_bloc.size(), [&](std::size_t b) {
        long long const debut = static_cast<long long>(b) * taille_bloc;
        semer(r, debut, std::min(debut + taille_bloc, taille_rom), par_bloc[b]);
    });
    std::vector<Germe> germes = mettre_bout_a_bout(par_bloc);
    std::sort(germes.begin(), germes.end(), avant);

    std::vector<std::size_t> chaines;  // where each chain begins in germes
    for (std::size_t i = 0; i < germes.size(); ++i)
        if (i == 0 || !meme_chaine(germes[i - 1], germes[i])) chaines.push_back(i);
    chaines.push_back(germes.size());
    std::vector<std::vector<Serie>> par_chaine(chaines.size() - 1);
    en_parallele(fils, par_chaine.size(), [&](std::size_t c) {
        par_chaine[c] = series_de_la_chaine(r, germes.data() + chaines[c], germes.data() + chaines[c + 1], minimum);
    });

    std::vector<Groupe_trouve> groupes;
    for (Serie const& s : retenir(r, mettre_bout_a_bout(par_chaine), minimum)) groupes.push_back(trouve(r, s));
    return groupes;
}

}  // namespace Decouverte
