#include "patchs/bps-encodeur.h"

#include <algorithm>
#include <cstring>

#include "patchs/suffixes.h"

namespace BPS {

namespace {

using Octets = std::vector<unsigned char>;

// The suffix array's entry of the offset this far ahead is fetched while the current one is
// searched.
constexpr std::size_t avance = 16;
// A match this long is taken as it is, without weighing its shorter lengths, and the offsets it
// covers are not searched: that bounds the parse's work on long copies.
constexpr std::uint64_t assez_long = 128;
// Bytes the source reads in place over at least this length are left out of the suffix array
// (the source and the target sides alike): that is what SourceRead takes.
constexpr std::uint64_t lecture_longue = 64;
// The copies tried around the source and target offsets: a move of less than 64 takes one byte.
constexpr std::uint64_t proche = 16;

// Bytes equal from the start of `a` and `b`, at most `maximum`. `a` may lie before `b` in the
// same buffer and run into it: that is what an overlapping TargetCopy reproduces.
std::uint64_t longueur_commune(unsigned char const* a, unsigned char const* b, std::uint64_t maximum) {
    std::uint64_t n = 0;
    while (n + 8 <= maximum) {
        std::uint64_t x, y;
        std::memcpy(&x, a + n, 8);
        std::memcpy(&y, b + n, 8);
        if (x != y) return n + static_cast<std::uint64_t>(__builtin_ctzll(x ^ y) / 8);
        n += 8;
    }
    while (n < maximum && a[n] == b[n]) ++n;
    return n;
}

int taille_action(std::uint64_t longueur, Genre genre) {
    return taille_nombre((longueur - 1) << 2 | static_cast<unsigned>(genre));
}

// The best way found to write the output up to one offset: its cost in patch bytes, the last
// action that ends there, and the offsets that path leaves.
struct Etat {
    std::uint32_t cout = UINT32_MAX;
    std::uint32_t origine = 0;     // where the last action starts
    std::uint32_t depuis = 0;      // a copy's position
    std::uint32_t source = 0;      // the source offset after it
    std::uint32_t cible = 0;       // the target copy offset after it
    std::uint32_t litteraux = 0;   // the length of the TargetRead run it ends in, 0 after a copy or read
    Genre genre = Genre::lecture_cible;
};

// One match at an output offset: its kind, its position and length, and the bytes its offset
// move takes from the path's state there.
struct Candidat {
    Genre genre;
    std::uint32_t depuis;
    std::uint64_t longueur;
    int cout_decalage;
};

// The encoder parses the output once, from its start: at each offset, with the best path there
// (its cost and the offsets it leaves), it extends every action that could start there to the
// offsets it reaches, keeping at each offset the cheapest. The costs are the exact bytes of
// each action (its number, its offset move, its literal bytes), so the parse weighs a short copy
// whose offset moves little against a longer one from far away, and a literal run's growth
// against the copy that would cut it. Offset moves depend on the path: the state kept is the one
// of the best path, as a dictionary coder's optimal parse does.
class Encodeur {
public:
    Encodeur(Octets const& source, Octets const& cible)
        : source_(source),
          cible_(cible),
          en_place_(lectures_en_place(source, cible)),
          suffixes_(source, cible, exclusions(source.size(), cible.size(), en_place_)) {}

    void encoder(Octets& patch, Creation& creation) {
        std::size_t const n = cible_.size();
        std::vector<Etat> etats(n + 1);
        etats[0].cout = 0;
        std::vector<Candidat> candidats;
        for (std::size_t i = 0; i < n;) {
            Etat const ici = etats[i];
            relacher_litteral(etats, i, ici);
            suffixes_.preparer(i + avance);
            chercher(i, ici, candidats);
            std::uint64_t const plus_long = candidats.empty() ? 0 : candidats.front().longueur;
            if (plus_long >= assez_long) {
                Candidat const& c = meilleur_long(candidats);
                relacher(etats, i, ici, c, c.longueur);
                i += static_cast<std::size_t>(c.longueur);
                continue;
            }
            relacher_toutes(etats, i, ici, candidats);
            ++i;
        }
        ecrire(etats, patch, creation);
    }

private:
    // For each offset, the length from it that the source holds at the same offset.
    static std::vector<std::uint32_t> lectures_en_place(Octets const& source, Octets const& cible) {
        std::size_t const commun = std::min(source.size(), cible.size());
        std::vector<std::uint32_t> longueurs(commun + 1, 0);
        for (std::size_t p = commun; p-- > 0;)
            longueurs[p] = source[p] == cible[p] ? longueurs[p + 1] + 1 : 0;
        return longueurs;
    }

    static Octets exclusions(std::size_t taille_source, std::size_t taille_cible,
                             std::vector<std::uint32_t> const& en_place) {
        Octets exclu(taille_source + taille_cible, 0);
        for (std::size_t p = 0; p + 1 < en_place.size();) {
            std::size_t const l = en_place[p];
            if (l >= lecture_longue) {
                std::fill(exclu.begin() + static_cast<std::ptrdiff_t>(p), exclu.begin() + static_cast<std::ptrdiff_t>(p + l), 1);
                std::fill(exclu.begin() + static_cast<std::ptrdiff_t>(taille_source + p),
                          exclu.begin() + static_cast<std::ptrdiff_t>(taille_source + p + l), 1);
            }
            p += std::max<std::size_t>(l, 1);
        }
        return exclu;
    }

    static int cout_decalage(std::uint64_t depuis, std::uint64_t decalage) {
        return taille_nombre(nombre_signe(static_cast<std::int64_t>(depuis - decalage)));
    }

    // The matches at output offset i for the path `ici`: longest first and, of equal lengths,
    // cheapest first.
    void chercher(std::size_t i, Etat const& ici, std::vector<Candidat>& candidats) {
        candidats.clear();
        std::uint64_t const reste = cible_.size() - i;
        unsigned char const* const t = cible_.data() + i;
        std::uint64_t plus_long = 0;
        auto ajouter = [&](Genre genre, std::uint64_t depuis, std::uint64_t longueur) {
            // A copy of 2 bytes costs at least as much as the 2 literals it saves.
            if (longueur < (genre == Genre::lecture_source ? 1u : 3u)) return;
            int const cout = genre == Genre::copie_source  ? cout_decalage(depuis, ici.source)
                             : genre == Genre::copie_cible ? cout_decalage(depuis, ici.cible)
                                                           : 0;
            candidats.push_back({genre, static_cast<std::uint32_t>(depuis), longueur, cout});
            plus_long = std::max(plus_long, longueur);
        };
        auto depuis_source = [&](std::uint64_t p) {
            return longueur_commune(source_.data() + p, t, std::min<std::uint64_t>(source_.size() - p, reste));
        };
        auto depuis_cible = [&](std::uint64_t p) { return longueur_commune(cible_.data() + p, t, reste); };

        if (i + 1 < en_place_.size()) ajouter(Genre::lecture_source, i, en_place_[i]);
        // Where the offsets already point, or a short move away: a block shifted by a few bytes,
        // a word the last copy stood beside.
        // `fin` is past the last position a copy may start at.
        auto autour = [&](Genre genre, std::uint64_t decalage, std::uint64_t fin, Octets const& octets) {
            if (reste < 3) return;
            std::uint64_t const bas = decalage > proche ? decalage - proche : 0;
            std::uint64_t const haut = std::min<std::uint64_t>({decalage + proche + 1, fin, octets.size() - 1});
            for (std::uint64_t p = bas; p < haut; ++p)
                if (octets[p] == t[0] && octets[p + 1] == t[1])
                    ajouter(genre, p, genre == Genre::copie_source ? depuis_source(p) : depuis_cible(p));
        };
        autour(Genre::copie_source, ici.source, source_.size(), source_);
        autour(Genre::copie_cible, ici.cible, i, cible_);

        if (plus_long < assez_long) {
            Suffixes::Voisin voisins[Suffixes::voisins_max];
            int const nombre = suffixes_.voisins(i, voisins);
            for (int k = 0; k < nombre; ++k) {
                if (voisins[k].dans_source)
                    ajouter(Genre::copie_source, voisins[k].position, depuis_source(voisins[k].position));
                else
                    ajouter(Genre::copie_cible, voisins[k].position, depuis_cible(voisins[k].position));
            }
        }
        std::sort(candidats.begin(), candidats.end(), [](Candidat const& a, Candidat const& b) {
            if (a.longueur != b.longueur) return a.longueur > b.longueur;
            if (a.cout_decalage != b.cout_decalage) return a.cout_decalage < b.cout_decalage;
            // Ties go to the source, then to the nearest: the same patch on every run.
            if (a.genre != b.genre) return a.genre < b.genre;
            return a.depuis < b.depuis;
        });
    }

    // Of matches of which one is long: the one that saves the most bytes, then the longest.
    static Candidat const& meilleur_long(std::vector<Candidat> const& candidats) {
        Candidat const* meilleur = &candidats.front();
        std::int64_t gain_meilleur = INT64_MIN;
        for (Candidat const& c : candidats) {
            std::int64_t const gain =
                static_cast<std::int64_t>(c.longueur) - taille_action(c.longueur, c.genre) - c.cout_decalage;
            if (gain > gain_meilleur) {
                gain_meilleur = gain;
                meilleur = &c;
            }
        }
        return *meilleur;
    }

    static void relacher(std::vector<Etat>& etats, std::size_t i, Etat const& ici, Candidat const& c,
                         std::uint64_t longueur) {
        std::uint32_t const cout = ici.cout + static_cast<std::uint32_t>(taille_action(longueur, c.genre) + c.cout_decalage);
        Etat& la = etats[i + longueur];
        if (cout >= la.cout) return;
        la.cout = cout;
        la.origine = static_cast<std::uint32_t>(i);
        la.depuis = c.depuis;
        la.genre = c.genre;
        la.litteraux = 0;
        la.source = c.genre == Genre::copie_source ? static_cast<std::uint32_t>(c.depuis + longueur) : ici.source;
        la.cible = c.genre == Genre::copie_cible ? static_cast<std::uint32_t>(c.depuis + longueur) : ici.cible;
    }

    // Each length up to the longest, by the cheapest match that reaches it.
    static void relacher_toutes(std::vector<Etat>& etats, std::size_t i, Etat const& ici,
                                std::vector<Candidat> const& candidats) {
        int moins_cher = INT32_MAX;
        for (std::size_t k = 0; k < candidats.size(); ++k) {
            Candidat const& c = candidats[k];
            if (c.cout_decalage >= moins_cher) continue;
            moins_cher = c.cout_decalage;
            // c is the cheapest for the lengths down to the next cheaper candidate's.
            std::uint64_t plancher = 0;
            for (std::size_t j = k + 1; j < candidats.size(); ++j)
                if (candidats[j].cout_decalage < moins_cher) {
                    plancher = candidats[j].longueur;
                    break;
                }
            for (std::uint64_t l = c.longueur; l > plancher; --l) relacher(etats, i, ici, c, l);
        }
    }

    static void relacher_litteral(std::vector<Etat>& etats, std::size_t i, Etat const& ici) {
        std::uint32_t const run = ici.genre == Genre::lecture_cible ? ici.litteraux : 0;
        std::uint32_t const action = run == 0 ? 1
                                              : static_cast<std::uint32_t>(taille_action(run + 1, Genre::lecture_cible) -
                                                                           taille_action(run, Genre::lecture_cible));
        std::uint32_t const cout = ici.cout + 1 + action;
        Etat& la = etats[i + 1];
        // Of a literal run and a copy as dear, the run: its next byte costs one less.
        if (cout > la.cout || (cout == la.cout && la.genre == Genre::lecture_cible)) return;
        la = ici;
        la.cout = cout;
        la.origine = static_cast<std::uint32_t>(i);
        la.genre = Genre::lecture_cible;
        la.litteraux = run + 1;
    }

    // The actions of the best path to the end, in order.
    void ecrire(std::vector<Etat> const& etats, Octets& patch, Creation& creation) {
        struct Pas {
            Genre genre;
            std::uint64_t debut, longueur, depuis;
        };
        std::vector<Pas> pas;
        for (std::size_t j = cible_.size(); j > 0;) {
            Etat const& e = etats[j];
            if (e.genre == Genre::lecture_cible) {
                std::size_t const debut = j - e.litteraux;
                pas.push_back({Genre::lecture_cible, debut, e.litteraux, 0});
                j = debut;
            } else {
                pas.push_back({e.genre, e.origine, j - e.origine, e.depuis});
                j = e.origine;
            }
        }
        std::uint64_t source = 0, cible = 0;
        for (auto p = pas.rbegin(); p != pas.rend(); ++p) {
            ajouter_nombre(patch, (p->longueur - 1) << 2 | static_cast<unsigned>(p->genre));
            ++creation.actions[static_cast<unsigned>(p->genre)];
            creation.octets[static_cast<unsigned>(p->genre)] += p->longueur;
            if (p->genre == Genre::lecture_cible) {
                patch.insert(patch.end(), cible_.begin() + static_cast<std::ptrdiff_t>(p->debut),
                             cible_.begin() + static_cast<std::ptrdiff_t>(p->debut + p->longueur));
            } else if (p->genre == Genre::copie_source) {
                ajouter_nombre(patch, nombre_signe(static_cast<std::int64_t>(p->depuis - source)));
                source = p->depuis + p->longueur;
            } else if (p->genre == Genre::copie_cible) {
                ajouter_nombre(patch, nombre_signe(static_cast<std::int64_t>(p->depuis - cible)));
                cible = p->depuis + p->longueur;
            }
        }
    }

    Octets const& source_;
    Octets const& cible_;
    std::vector<std::uint32_t> en_place_;
    Suffixes suffixes_;
};

}  // namespace

Creation creer(Octets const& source, Octets const& cible, Octets const& metadonnees) {
    Creation creation;
    if (source.size() > taille_maximale || cible.size() > taille_maximale) {
        creation.statut = Statut_creation::trop_grand;
        return creation;
    }
    Octets& patch = creation.patch;
    patch.assign(std::begin(entete), std::end(entete));
    ajouter_nombre(patch, source.size());
    ajouter_nombre(patch, cible.size());
    ajouter_nombre(patch, metadonnees.size());
    patch.insert(patch.end(), metadonnees.begin(), metadonnees.end());
    Encodeur(source, cible).encoder(patch, creation);
    ajouter_le32(patch, crc32_octets(source.data(), source.size()));
    ajouter_le32(patch, crc32_octets(cible.data(), cible.size()));
    ajouter_le32(patch, crc32_octets(patch.data(), patch.size()));
    return creation;
}

}  // namespace BPS
