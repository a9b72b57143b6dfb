#include "decouverte/classement.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
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

using File = std::priority_queue<Serie, std::vector<Serie>, std::function<bool(Serie const&, Serie const&)>>;

// Slots debut..fin - 1 of `s` as a run of their own, starting and ending on slots that designate
// a start, back in the queue when it still reaches `minimum` starts.
void remettre(Recherche const& r, Serie const& s, int debut, int fin, int minimum, File& file) {
    Lecture const& l = r.lectures[static_cast<std::size_t>(s.lecture)];
    auto touche = [&](int i) { return designe(r, l, s.forme, s.emplacement(i)).has_value(); };
    while (debut < fin && !touche(debut)) ++debut;
    while (fin > debut && !touche(fin - 1)) --fin;
    Serie morceau = s;
    morceau.premier = s.emplacement(debut);
    morceau.nombre = fin - debut;
    compter(r, morceau);
    if (morceau.atteintes >= minimum) file.push(morceau);
}

// The slots of a run that hold no byte twice: in a split table whose high bytes lie a whole
// number of strides from its low bytes, slot i's high byte is the low byte of slot i + ecart / pas.
int sans_octet_repete(Lecture const& l, Serie const& s) {
    if (!l.eclatee() || l.ecart % s.pas != 0 || std::llabs(l.ecart) / s.pas >= s.nombre) return s.nombre;
    return static_cast<int>(std::llabs(l.ecart) / s.pas);
}

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
    File file([&r](Serie const& a, Serie const& b) { return meilleure(r, b, a); }, std::move(candidates));
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
        if (int const longueur = sans_octet_repete(l, s); longueur < s.nombre) {
            for (int i = 0; i < s.nombre; i += longueur) remettre(r, s, i, std::min(i + longueur, s.nombre), minimum, file);
            continue;
        }
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
            remettre(r, s, i, fin, minimum, file);
            i = fin;
        }
    }
    // A piece may rank above runs kept before it was cut.
    std::sort(retenues.begin(), retenues.end(), [&r](Serie const& a, Serie const& b) { return meilleure(r, a, b); });
    return retenues;
}

}  // namespace Decouverte
