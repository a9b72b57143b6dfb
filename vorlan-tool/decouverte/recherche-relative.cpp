#include "decouverte/recherche-relative.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <map>
#include <thread>
#include <utility>

#include "decouverte/filtre-ecarts.h"
#include "decouverte/regles-relatives.h"
#include "decouverte/valeurs-rom.h"

namespace Decouverte {

namespace {

// The ROM is cut into blocks of hit addresses, taken by the threads as they come free; a block
// reads past its end what the phrases starting in it hold. Several blocks per thread even out
// a slow core; below this size a block costs more to hand out than to search.
constexpr long long bloc_min = 1 << 16;
constexpr long long blocs_par_fil = 8;

// The hits that start in one block: the first `maximum` kept, all counted.
struct Moisson {
    std::vector<Trouvaille> trouvailles;
    std::size_t total = 0;
};

long long division_haute(long long a, long long b) { return a >= 0 ? (a + b - 1) / b : -(-a / b); }
long long division_basse(long long a, long long b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

// The two lists of hits, each in ROM order, as one, the first `maximum` kept.
Moisson fusionner(Moisson a, Moisson b, std::size_t maximum) {
    Moisson m;
    m.total = a.total + b.total;
    std::merge(std::make_move_iterator(a.trouvailles.begin()), std::make_move_iterator(a.trouvailles.end()),
               std::make_move_iterator(b.trouvailles.begin()), std::make_move_iterator(b.trouvailles.end()),
               std::back_inserter(m.trouvailles),
               [](Trouvaille const& x, Trouvaille const& y) { return x.adresse < y.adresse; });
    if (m.trouvailles.size() > maximum) m.trouvailles.resize(maximum);
    return m;
}

class Chercheur {
public:
    Chercheur(std::vector<unsigned char> const& rom, Regles const& regles, Filtre_ecarts const& filtre,
              std::size_t maximum)
        : rom_(rom), regles_(regles), filtre_(filtre), maximum_(maximum) {}

    // The hits whose first byte lies from a0 to a1, both inside the ROM with their whole phrase.
    template <int L, bool P>
    Moisson bloc(long long a0, long long a1) const {
        Moisson m;
        for (int alignement = 0; alignement < L; ++alignement) {
            long long const p0 = division_haute(a0 - alignement, L);
            long long const p1 = division_basse(a1 - alignement, L);
            if (p1 < p0) continue;
            m = fusionner(std::move(m), alignes<L, P>(alignement, static_cast<std::size_t>(p0),
                                                      static_cast<std::size_t>(p1)),
                          maximum_);
        }
        return m;
    }

private:
    template <int L, bool P>
    Moisson alignes(int alignement, std::size_t p0, std::size_t p1) const {
        Valeurs_rom<L, P> const v(rom_, static_cast<std::size_t>(alignement));
        std::vector<long long> constantes(regles_.classes());
        std::vector<long long> tampon;
        Moisson m;
        filtre_.parcourir(v, p0, p1, [&](std::size_t p) {
            if (!regles_.verifier(v, p, constantes, tampon)) return;
            ++m.total;
            if (m.trouvailles.size() < maximum_)
                m.trouvailles.push_back(
                    regles_.trouvaille(v, p, alignement + static_cast<long long>(p) * L, constantes));
        });
        return m;
    }

    std::vector<unsigned char> const& rom_;
    Regles const& regles_;
    Filtre_ecarts const& filtre_;
    std::size_t maximum_;
};

// Runs the blocks on `fils` threads; each block's hits land in its own slot.
template <typename F>
void repartir(std::size_t blocs, unsigned fils, F const& chercher_bloc) {
    std::atomic<std::size_t> suivant{0};
    std::vector<std::exception_ptr> erreurs(fils);
    auto travailler = [&](unsigned f) {
        try {
            for (std::size_t b = suivant++; b < blocs; b = suivant++) chercher_bloc(b);
        } catch (...) {
            erreurs[f] = std::current_exception();
        }
    };
    std::vector<std::thread> threads;
    for (unsigned f = 1; f < fils; ++f) threads.emplace_back(travailler, f);
    travailler(0);
    for (std::thread& t : threads) t.join();
    // What failed in a thread fails the search, as it would have done on one.
    for (std::exception_ptr const& e : erreurs)
        if (e) std::rethrow_exception(e);
}

}  // namespace

Resultat_relatif chercher_relatif(std::vector<unsigned char> const& rom, Motif const& motif, Recherche const& r,
                                  unsigned fils) {
    Resultat_relatif resultat;
    if (r.largeur != 1 && r.largeur != 2) return resultat;
    Regles const regles(motif);
    Filtre_ecarts const filtre(regles, r.largeur == 1 ? 0xFFu : 0xFFFFu);
    long long const taille = static_cast<long long>(rom.size());
    long long const etendue = static_cast<long long>(regles.longueur()) * r.largeur;
    long long const dernier = r.fin < 0 || r.fin >= taille ? taille - 1 : r.fin;
    long long const a0 = std::max(0LL, r.debut);
    long long const a1 = dernier - etendue + 1;
    if (filtre.impossible() || regles.longueur() == 0 || a1 < a0) return resultat;

    if (fils == 0) fils = 1;
    long long const longueur = a1 - a0 + 1;
    long long const taille_bloc = std::max(bloc_min, division_haute(longueur, blocs_par_fil * fils));
    std::size_t const blocs = static_cast<std::size_t>(division_haute(longueur, taille_bloc));
    fils = static_cast<unsigned>(std::min<std::size_t>(fils, blocs));

    Chercheur const chercheur(rom, regles, filtre, r.maximum);
    std::vector<Moisson> moissons(blocs);
    repartir(blocs, fils, [&](std::size_t b) {
        long long const debut = a0 + static_cast<long long>(b) * taille_bloc;
        long long const fin = std::min(a1, debut + taille_bloc - 1);
        Moisson& m = moissons[b];
        if (r.largeur == 1) m = chercheur.bloc<1, true>(debut, fin);
        else if (r.ordre == Ordre_octets::petit_boutiste) m = chercheur.bloc<2, true>(debut, fin);
        else m = chercheur.bloc<2, false>(debut, fin);
    });
    for (Moisson& m : moissons) {
        resultat.total += m.total;
        for (Trouvaille& t : m.trouvailles) {
            if (resultat.trouvailles.size() == r.maximum) break;
            resultat.trouvailles.push_back(std::move(t));
        }
    }
    return resultat;
}

std::vector<std::vector<std::size_t>> grouper(Resultat_relatif const& resultat) {
    using Cle = std::pair<std::vector<std::optional<long long>>, std::vector<std::uint32_t>>;
    std::map<Cle, std::size_t> groupe_de;
    std::vector<std::vector<std::size_t>> groupes;
    for (std::size_t i = 0; i < resultat.trouvailles.size(); ++i) {
        Trouvaille const& t = resultat.trouvailles[i];
        auto const [place, nouveau] = groupe_de.try_emplace(Cle(t.bases, t.autres), groupes.size());
        if (nouveau) groupes.emplace_back();
        groupes[place->second].push_back(i);
    }
    return groupes;
}

}  // namespace Decouverte
