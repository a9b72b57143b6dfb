#include "decouverte/classement.h"

#include <algorithm>
#include <queue>
#include <tuple>

namespace Decouverte {

namespace {

class Octets_pris {
public:
    explicit Octets_pris(long long taille) : bits_(static_cast<std::size_t>((taille + 63) / 64), 0) {}
    bool pris(long long o) const { return (bits_[static_cast<std::size_t>(o >> 6)] >> (o & 63) & 1) != 0; }
    void prendre(long long o) { bits_[static_cast<std::size_t>(o >> 6)] |= std::uint64_t{1} << (o & 63); }

private:
    std::vector<std::uint64_t> bits_;
};

}  // namespace

bool meilleure(Recherche const& r, Serie const& a, Serie const& b) {
    auto cle = [&r](Serie const& s) {
        Lecture const& l = r.lectures[static_cast<std::size_t>(s.lecture)];
        Forme const& f = s.forme;
        return std::make_tuple(-s.atteintes, s.manques, -l.taille, s.nombre, l.eclatee(), s.pas, f.correspondance,
                               l.ordre, s.premier, l.ecart, f.constante, f.base, f.fenetre, f.entete);
    };
    return cle(a) < cle(b);
}

std::vector<Serie> retenir(Recherche const& r, std::vector<Serie> candidates, int minimum) {
    auto pire = [&r](Serie const& a, Serie const& b) { return meilleure(r, b, a); };
    std::priority_queue<Serie, std::vector<Serie>, decltype(pire)> file(pire, std::move(candidates));
    Octets_pris octets(static_cast<long long>(r.rom.size()));
    std::vector<Serie> retenues;
    while (!file.empty()) {
        Serie const s = file.top();
        file.pop();
        Lecture const& l = r.lectures[static_cast<std::size_t>(s.lecture)];
        auto libre = [&](int i) {
            for (int k = 0; k < l.taille; ++k)
                if (octets.pris(l.octet(s.emplacement(i), k))) return false;
            return true;
        };
        auto touche = [&](int i) { return designe(r, l, s.forme, s.emplacement(i)).has_value(); };
        int libres = 0;
        while (libres < s.nombre && libre(libres)) ++libres;
        if (libres == s.nombre) {
            for (int i = 0; i < s.nombre; ++i)
                for (int k = 0; k < l.taille; ++k) octets.prendre(l.octet(s.emplacement(i), k));
            retenues.push_back(s);
            continue;
        }
        for (int i = 0; i < s.nombre;) {
            while (i < s.nombre && !libre(i)) ++i;
            int fin = i;
            while (fin < s.nombre && libre(fin)) ++fin;
            int debut = i;
            i = fin;
            while (debut < fin && !touche(debut)) ++debut;
            while (fin > debut && !touche(fin - 1)) --fin;
            Serie morceau = s;
            morceau.premier = s.emplacement(debut);
            morceau.nombre = fin - debut;
            compter(r, morceau);
            if (morceau.nombre - morceau.manques >= minimum) file.push(morceau);
        }
    }
    // A piece may rank above runs kept before it was cut.
    std::sort(retenues.begin(), retenues.end(), [&r](Serie const& a, Serie const& b) { return meilleure(r, a, b); });
    return retenues;
}

}  // namespace Decouverte
