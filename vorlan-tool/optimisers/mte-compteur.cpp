#include "optimisers/mte-compteur.h"

#include <divsufsort.h>

#include <algorithm>
#include <cstring>
#include <string_view>

namespace MTE {

namespace {

// FNV-1a over the bytes of a candidate, extended one byte at a time as the candidate grows.
constexpr std::uint64_t graine = 0xcbf29ce484222325ULL;

std::uint64_t pas(std::uint64_t hache, unsigned char octet) { return (hache ^ octet) * 0x100000001b3ULL; }

// Spreads the bits before they pick a slot, so that nearby candidates do not cluster.
std::uint64_t melanger(std::uint64_t h) {
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdULL;
    h ^= h >> 33;
    h *= 0xc4ceb9fe1a85ec53ULL;
    h ^= h >> 33;
    return h;
}

// The filter's bit for a candidate comes straight from its FNV hash, whose high bits the last
// multiply has mixed: most look-ups stop there, before the hash is spread for the table.
std::size_t bit_du_filtre(std::uint64_t hache) { return static_cast<std::size_t>(hache >> 40 | hache << 24); }

constexpr std::size_t introuvable = static_cast<std::size_t>(-1);

// What vie_ keeps of a byte's run: longer runs, for words longer than that, are measured again.
constexpr std::size_t vie_max = 255;

// The shortest piece of a line that survives cleaning.
constexpr std::size_t morceau_min = 3;

// What neighbours in the suffix array share is kept up to this many bytes; longer common
// starts, for words longer than that, are measured again when walked.
constexpr std::size_t commun_max = 255;

// Candidates held: more make every look-up of a removal wait for memory, fewer make the walks
// that hold the next ones come more often (16 MiB: 9.7 s with 262,144, 5.7 s with 1,024, 6.2 s
// with 256).
constexpr std::size_t part_usuelle = 1024;

// How far ahead in the suffix array a walk fetches the text it will read.
constexpr std::size_t avance = 16;

}  // namespace

Compteur::Compteur(std::string texte, int taille_max, int taille_rom, std::size_t part)
    : texte_(std::move(texte)),
      vie_(texte_.size(), 0),
      longueur_min_(static_cast<std::size_t>(std::max(taille_rom, 0)) + 1),
      longueur_max_(static_cast<std::size_t>(std::max(taille_max, 0))),
      taille_rom_(static_cast<std::uint32_t>(std::max(taille_rom, 0))),
      part_(part != 0 ? part : part_usuelle) {
    std::size_t plus_longue = 0;
    std::size_t debut = 0;
    while (debut < texte_.size()) {
        std::size_t fin = texte_.find('\n', debut);
        if (fin == std::string::npos) fin = texte_.size();
        for (std::size_t p = fin; p > debut; --p) vie_[p - 1] = static_cast<unsigned char>(std::min(fin - p + 1, vie_max));
        plus_longue = std::max(plus_longue, fin - debut);
        debut = fin + 1;
    }
    std::size_t plus_long_mot = std::min(plus_longue, longueur_max_);
    // No candidate occurs more often than there are bytes in the text.
    peut_deborder_ = plus_long_mot > taille_rom_ && !texte_.empty() &&
                     plus_long_mot - taille_rom_ > UINT32_MAX / texte_.size();

    std::size_t const n = texte_.size();
    if (n > 0 && n <= static_cast<std::size_t>(INT32_MAX)) {
        suffixes_.resize(n);
        divsufsort(reinterpret_cast<unsigned char const*>(texte_.data()), suffixes_.data(), static_cast<std::int32_t>(n));
        commun_.resize(n, 0);
        std::size_t const borne = std::min<std::size_t>(longueur_max_, commun_max);
        for (std::size_t r = 1; r < n; ++r) {
            if (r + avance < n) __builtin_prefetch(texte_.data() + suffixes_[r + avance]);
            commun_[r] = static_cast<unsigned char>(longueur_commune(static_cast<std::size_t>(suffixes_[r - 1]),
                                                                     static_cast<std::size_t>(suffixes_[r]), borne));
        }
    }
    charger();
}

std::size_t Compteur::longueur_commune(std::size_t a, std::size_t b, std::size_t borne) const {
    std::size_t const n = texte_.size();
    std::size_t l = 0;
    while (l < borne && a + l < n && b + l < n && texte_[a + l] == texte_[b + l]) ++l;
    return l;
}

template <typename F>
void Compteur::parcourir(F&& f) const {
    std::size_t const n = suffixes_.size();
    if (longueur_max_ < longueur_min_ || n == 0) return;
    // For each length, the count of the run being walked and a start of it; the lengths with a
    // count are longueur_min_..haut.
    std::vector<std::uint32_t> compte(longueur_max_ + 1, 0);
    std::vector<std::size_t> position(longueur_max_ + 1, 0);
    std::size_t haut = 0;
    for (std::size_t r = 0; r < n; ++r) {
        std::size_t const p = static_cast<std::size_t>(suffixes_[r]);
        // The starts are scattered over the text: the bytes of one further on are fetched now.
        if (r + avance < n) __builtin_prefetch(&vie_[static_cast<std::size_t>(suffixes_[r + avance])]);
        if (r > 0) {
            std::size_t h = commun_[r];
            if (h == commun_max && longueur_max_ > commun_max)
                h = longueur_commune(static_cast<std::size_t>(suffixes_[r - 1]), p, longueur_max_);
            // The runs longer than what this start shares with the one before end here.
            for (; haut > h && haut >= longueur_min_; --haut) {
                if (compte[haut] != 0) f(position[haut], haut, compte[haut]);
                compte[haut] = 0;
            }
            haut = std::min(haut, h);
        }
        // This start counts for every length its bytes are still in the text.
        std::size_t vie = std::min<std::size_t>(vie_[p], longueur_max_);
        if (vie == vie_max)
            while (vie < longueur_max_ && p + vie < n && vie_[p + vie]) ++vie;
        for (std::size_t l = longueur_min_; l <= vie; ++l) {
            if (compte[l]++ == 0) position[l] = p;
        }
        haut = std::max(haut, vie);
    }
    for (; haut >= longueur_min_; --haut) {
        if (compte[haut] != 0) f(position[haut], haut, compte[haut]);
        compte[haut] = 0;
    }
}

void Compteur::charger() {
    auto score_de = [this](std::size_t l, std::uint32_t apparitions) {
        return (static_cast<std::uint32_t>(l) - taille_rom_) * apparitions;
    };
    // One walk keeps the share's best in a heap whose least is at its front; `rejete` is the
    // best score left out. Every candidate scoring above it is held, and only those: one tied
    // with it may have been left out.
    struct Garde {
        std::uint32_t score, position, apparitions;
        std::uint16_t longueur;
    };
    auto plus_haut = [](Garde const& a, Garde const& b) { return a.score > b.score; };
    // The words this pass already handed out stay out of it, as they would have left the heap;
    // few candidates get as far as this look.
    auto donne = [this](std::size_t p, std::size_t l) {
        for (auto const& [position, longueur] : donnes_)
            if (longueur == l && std::memcmp(texte_.data() + position, texte_.data() + p, l) == 0) return true;
        return false;
    };
    std::vector<Garde> gardes;
    bool rejet = false;
    std::uint32_t rejete = 0;
    std::size_t const part = part_;
    // What could wrap past 32 bits could grow again: then every candidate is held.
    if (peut_deborder_) {
        parcourir([&](std::size_t p, std::size_t l, std::uint32_t apparitions) {
            if (!donne(p, l))
                gardes.push_back(Garde{score_de(l, apparitions), static_cast<std::uint32_t>(p), apparitions,
                                   static_cast<std::uint16_t>(l)});
        });
    } else {
        gardes.reserve(std::min(part, part_usuelle));
        parcourir([&](std::size_t p, std::size_t l, std::uint32_t apparitions) {
            std::uint32_t const s = score_de(l, apparitions);
            if (gardes.size() == part && s <= gardes.front().score && rejet && s <= rejete) return;
            if (donne(p, l)) return;
            Garde const g{s, static_cast<std::uint32_t>(p), apparitions, static_cast<std::uint16_t>(l)};
            if (gardes.size() < part) {
                gardes.push_back(g);
                std::push_heap(gardes.begin(), gardes.end(), plus_haut);
                return;
            }
            if (s <= gardes.front().score) {
                if (!rejet || s > rejete) rejete = s;
                rejet = true;
                return;
            }
            std::pop_heap(gardes.begin(), gardes.end(), plus_haut);
            if (!rejet || gardes.back().score > rejete) rejete = gardes.back().score;
            rejet = true;
            gardes.back() = g;
            std::push_heap(gardes.begin(), gardes.end(), plus_haut);
        });
    }
    std::uint32_t seuil = 0;
    if (rejet) {
        gardes.erase(std::remove_if(gardes.begin(), gardes.end(), [&](Garde const& g) { return g.score <= rejete; }),
                     gardes.end());
        seuil = rejete + 1;
        // Too many ties with the best left out (or, when every candidate scores below the
        // threshold, all of them): another walk holds all of that score too, so that each
        // walk holds more.
        if (gardes.size() < part / 4 + 1) {
            seuil = rejete;
            gardes.clear();
            parcourir([&](std::size_t p, std::size_t l, std::uint32_t apparitions) {
                std::uint32_t const s = score_de(l, apparitions);
                if (s >= seuil && !donne(p, l))
                    gardes.push_back(Garde{s, static_cast<std::uint32_t>(p), apparitions, static_cast<std::uint16_t>(l)});
            });
        }
    }
    seuil_ = seuil;
    std::size_t const garde = gardes.size();

    std::size_t capacite = 1024;
    while (capacite < 2 * garde) capacite *= 2;
    table_.assign(capacite, Entree{0, 0, 0, 0});
    table_.shrink_to_fit();
    // 64 bits a held candidate (the table's capacity is at least twice their count): few
    // false hits, and still a few kilobytes.
    filtre_.assign(capacite * 32 / 64, 0);
    for (Garde const& g : gardes) inserer(g.position, g.longueur, g.apparitions);
    classer();
}

bool Compteur::memes_octets(Entree const& e, std::size_t position, std::size_t longueur) const {
    return e.longueur == longueur && std::memcmp(texte_.data() + e.position, texte_.data() + position, longueur) == 0;
}

void Compteur::inserer(std::size_t position, std::size_t longueur, std::uint32_t apparitions) {
    std::uint64_t hache = graine;
    for (std::size_t k = 0; k < longueur; ++k) hache = pas(hache, texte_[position + k]);
    std::uint64_t const h = melanger(hache);
    std::size_t const masque = table_.size() - 1;
    std::size_t i = h & masque;
    while (table_[i].longueur != 0) i = (i + 1) & masque;
    table_[i] = Entree{static_cast<std::uint32_t>(position), apparitions, static_cast<std::uint16_t>(longueur),
                       static_cast<std::uint16_t>(h >> 48)};
    std::size_t const bit = bit_du_filtre(hache) & (filtre_.size() * 64 - 1);
    filtre_[bit / 64] |= std::uint64_t{1} << (bit % 64);
}

std::size_t Compteur::trouver(std::size_t position, std::size_t longueur, std::uint64_t h) const {
    std::uint16_t empreinte = static_cast<std::uint16_t>(h >> 48);
    std::size_t masque = table_.size() - 1;
    for (std::size_t i = h & masque;; i = (i + 1) & masque) {
        Entree const& e = table_[i];
        if (e.longueur == 0) return introuvable;
        if (e.empreinte == empreinte && memes_octets(e, position, longueur)) return i;
    }
}

void Compteur::decompter(std::size_t position, std::size_t longueur, std::uint64_t hache) {
    // Most candidates a removal touches are not held: the filter, small enough for the
    // caches, says so without a look in the table.
    std::size_t const bit = bit_du_filtre(hache) & (filtre_.size() * 64 - 1);
    if ((filtre_[bit / 64] >> (bit % 64) & 1) == 0) return;
    std::size_t i = trouver(position, longueur, melanger(hache));
    if (i != introuvable && table_[i].apparitions > 0) --table_[i].apparitions;
}

std::uint32_t Compteur::score(Entree const& e) const {
    return (static_cast<std::uint32_t>(e.longueur) - taille_rom_) * e.apparitions;
}

bool Compteur::moins_bon(Rang const& a, Rang const& b) const {
    if (a.score != b.score) return a.score < b.score;
    Entree const& ea = table_[a.entree];
    Entree const& eb = table_[b.entree];
    int c = std::memcmp(texte_.data() + ea.position, texte_.data() + eb.position, std::min(ea.longueur, eb.longueur));
    if (c != 0) return c > 0;
    return ea.longueur > eb.longueur;
}

void Compteur::classer() {
    tas_.clear();
    for (std::size_t i = 0; i < table_.size(); ++i)
        if (table_[i].longueur != 0 && table_[i].apparitions != 0)
            tas_.push_back(Rang{score(table_[i]), static_cast<std::uint32_t>(i)});
    std::make_heap(tas_.begin(), tas_.end(), [this](Rang const& a, Rang const& b) { return moins_bon(a, b); });
}

void Compteur::nouvelle_passe() {
    donnes_.clear();
    if (peut_deborder_) classer();
}

bool Compteur::meilleur(word_t& mot) {
    auto ordre = [this](Rang const& a, Rang const& b) { return moins_bon(a, b); };
    for (;;) {
        if (tas_.empty() || tas_.front().score < seuil_) {
            // Scores held only go down: once the best held is below the threshold, one not held
            // may be better.
            if (seuil_ == 0) return false;
            charger();
            continue;
        }
        std::pop_heap(tas_.begin(), tas_.end(), ordre);
        Rang r = tas_.back();
        tas_.pop_back();
        Entree const& e = table_[r.entree];
        if (e.apparitions == 0) continue;
        std::uint32_t actuel = score(e);
        if (actuel != r.score) {
            tas_.push_back(Rang{actuel, r.entree});
            std::push_heap(tas_.begin(), tas_.end(), ordre);
            continue;
        }
        mot.texte.assign(texte_, e.position, e.longueur);
        mot.apparitions = e.apparitions;
        mot.score = actuel;
        dernier_ = r;
        donnes_.emplace_back(e.position, e.longueur);
        return true;
    }
}

void Compteur::remettre() {
    donnes_.pop_back();
    tas_.push_back(dernier_);
    std::push_heap(tas_.begin(), tas_.end(), [this](Rang const& a, Rang const& b) { return moins_bon(a, b); });
}

std::vector<std::size_t> Compteur::occurrences(std::string const& mot) const {
    // The starts holding the word are one run of the suffix array.
    std::size_t const n = texte_.size(), l = mot.size();
    auto avant = [&](std::int32_t r, bool ou_egal) {
        std::size_t const p = static_cast<std::size_t>(r);
        int const c = texte_.compare(p, std::min(l, n - p), mot);
        // A start shorter than the word but equal to its beginning comes before it.
        return c < 0 || (c == 0 && n - p < l) || (ou_egal && c == 0);
    };
    auto const debut = std::partition_point(suffixes_.begin(), suffixes_.end(),
                                            [&](std::int32_t r) { return avant(r, false); });
    auto const fin = std::partition_point(debut, suffixes_.end(), [&](std::int32_t r) { return avant(r, true); });
    std::vector<std::size_t> positions;
    for (auto r = debut; r != fin; ++r) {
        std::size_t const p = static_cast<std::size_t>(*r);
        bool const vivante = l < vie_max ? vie_[p] >= l
                                         : std::find(vie_.begin() + static_cast<std::ptrdiff_t>(p),
                                                     vie_.begin() + static_cast<std::ptrdiff_t>(p + l),
                                                     0) == vie_.begin() + static_cast<std::ptrdiff_t>(p + l);
        if (vivante) positions.push_back(p);
    }
    std::sort(positions.begin(), positions.end());
    return positions;
}

void Compteur::retirer(std::string const& mot) {
    if (mot.empty()) return;
    std::size_t const n = texte_.size();
    std::vector<std::size_t> const positions = occurrences(mot);
    std::vector<std::pair<std::size_t, std::size_t>> morts;
    for (std::size_t k = 0; k < positions.size();) {
        // The line of the next occurrence, and its occurrences taken from the left without
        // overlap, as a search of the line would.
        std::size_t a = positions[k];
        while (a > 0 && vie_[a - 1]) --a;
        std::size_t b = positions[k] + mot.size();
        while (b < n && vie_[b]) ++b;
        // Each occurrence dies, and so does any piece beside it too short to stay a line.
        morts.clear();
        std::size_t morceau = a;
        for (; k < positions.size() && positions[k] < b; ++k) {
            std::size_t const debut = positions[k], fin = debut + mot.size();
            if (debut < morceau) continue;
            std::size_t const mort_debut = debut - morceau < morceau_min ? morceau : debut;
            if (!morts.empty() && morts.back().second == mort_debut)
                morts.back().second = fin;
            else
                morts.emplace_back(mort_debut, fin);
            morceau = fin;
        }
        if (b - morceau < morceau_min) morts.back().second = b;
        oter(a, b, morts);
    }
}

void Compteur::oter(std::size_t a, std::size_t b, std::vector<std::pair<std::size_t, std::size_t>> const& morts) {
    // Each vanishing candidate is taken off once, at the first dead interval that it touches.
    std::size_t debut_min = a;
    for (auto const& [d0, d1] : morts) {
        std::size_t p0 = d0 + 1 > longueur_max_ ? d0 + 1 - longueur_max_ : 0;
        for (std::size_t p = std::max(p0, debut_min); p < d1; ++p) {
            std::size_t lmin = std::max(longueur_min_, p < d0 ? d0 - p + 1 : 1);
            std::size_t lmax = std::min(longueur_max_, b - p);
            if (lmin > lmax) continue;
            std::uint64_t hache = graine;
            for (std::size_t l = 1; l <= lmax; ++l) {
                hache = pas(hache, texte_[p + l - 1]);
                if (l >= lmin) decompter(p, l, hache);
            }
        }
        debut_min = d1;
    }
    for (auto const& [d0, d1] : morts) {
        std::fill(vie_.begin() + d0, vie_.begin() + d1, 0);
        // The bytes before now reach this one at most; from one that stops sooner on, all do.
        for (std::size_t q = d0; q > 0 && vie_[q - 1] > d0 - (q - 1); --q)
            vie_[q - 1] = static_cast<unsigned char>(d0 - (q - 1));
    }
}

std::string Compteur::texte_restant() const {
    std::string reste;
    std::size_t const n = texte_.size();
    for (std::size_t p = 0; p < n;) {
        if (!vie_[p]) {
            ++p;
            continue;
        }
        std::size_t fin = p;
        while (fin < n && vie_[fin]) ++fin;
        reste.append(texte_, p, fin - p);
        reste += '\n';
        p = fin;
    }
    return reste;
}

}  // namespace MTE
