#include "optimisers/mte-compteur.h"

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

constexpr std::size_t introuvable = static_cast<std::size_t>(-1);

// The shortest piece of a line that survives cleaning.
constexpr std::size_t morceau_min = 3;

}  // namespace

Compteur::Compteur(std::string const& texte, int taille_max, int taille_rom)
    : texte_(texte),
      vivant_(texte.size(), 0),
      longueur_min_(static_cast<std::size_t>(std::max(taille_rom, 0)) + 1),
      longueur_max_(static_cast<std::size_t>(std::max(taille_max, 0))),
      taille_rom_(static_cast<std::uint32_t>(std::max(taille_rom, 0))) {
    std::size_t capacite = 1024;
    while (capacite < 2 * texte_.size()) capacite *= 2;
    table_.assign(capacite, Entree{0, 0, 0, 0});

    std::size_t plus_longue = 0;
    std::size_t debut = 0;
    while (debut < texte_.size()) {
        std::size_t fin = texte_.find('\n', debut);
        if (fin == std::string::npos) fin = texte_.size();
        std::fill(vivant_.begin() + debut, vivant_.begin() + fin, 1);
        compter_ligne(debut, fin);
        plus_longue = std::max(plus_longue, fin - debut);
        debut = fin + 1;
    }
    std::size_t plus_long_mot = std::min(plus_longue, longueur_max_);
    // No candidate occurs more often than there are bytes in the text.
    peut_deborder_ = plus_long_mot > taille_rom_ && !texte_.empty() &&
                     plus_long_mot - taille_rom_ > UINT32_MAX / texte_.size();
    classer();
}

void Compteur::compter_ligne(std::size_t debut, std::size_t fin) {
    for (std::size_t p = debut; p < fin; ++p) {
        std::size_t lmax = std::min(longueur_max_, fin - p);
        std::uint64_t hache = graine;
        for (std::size_t l = 1; l <= lmax; ++l) {
            hache = pas(hache, texte_[p + l - 1]);
            if (l >= longueur_min_) ajouter(p, l, hache);
        }
    }
}

bool Compteur::memes_octets(Entree const& e, std::size_t position, std::size_t longueur) const {
    return e.longueur == longueur && std::memcmp(texte_.data() + e.position, texte_.data() + position, longueur) == 0;
}

void Compteur::ajouter(std::size_t position, std::size_t longueur, std::uint64_t hache) {
    std::uint64_t h = melanger(hache);
    std::uint16_t empreinte = static_cast<std::uint16_t>(h >> 48);
    std::size_t masque = table_.size() - 1;
    for (std::size_t i = h & masque;; i = (i + 1) & masque) {
        Entree& e = table_[i];
        if (e.longueur == 0) {
            e = Entree{static_cast<std::uint32_t>(position), 1, static_cast<std::uint16_t>(longueur), empreinte};
            if (++occupees_ * 4 > table_.size() * 3) agrandir();
            return;
        }
        if (e.empreinte == empreinte && memes_octets(e, position, longueur)) {
            ++e.apparitions;
            return;
        }
    }
}

void Compteur::agrandir() {
    std::vector<Entree> ancienne(table_.size() * 2, Entree{0, 0, 0, 0});
    ancienne.swap(table_);
    std::size_t masque = table_.size() - 1;
    for (Entree const& e : ancienne) {
        if (e.longueur == 0) continue;
        std::uint64_t hache = graine;
        for (std::size_t k = 0; k < e.longueur; ++k) hache = pas(hache, texte_[e.position + k]);
        std::size_t i = melanger(hache) & masque;
        while (table_[i].longueur != 0) i = (i + 1) & masque;
        table_[i] = e;
    }
}

std::size_t Compteur::trouver(std::size_t position, std::size_t longueur, std::uint64_t hache) const {
    std::uint64_t h = melanger(hache);
    std::uint16_t empreinte = static_cast<std::uint16_t>(h >> 48);
    std::size_t masque = table_.size() - 1;
    for (std::size_t i = h & masque;; i = (i + 1) & masque) {
        Entree const& e = table_[i];
        if (e.longueur == 0) return introuvable;
        if (e.empreinte == empreinte && memes_octets(e, position, longueur)) return i;
    }
}

void Compteur::decompter(std::size_t position, std::size_t longueur, std::uint64_t hache) {
    std::size_t i = trouver(position, longueur, hache);
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
    if (peut_deborder_) classer();
}

bool Compteur::meilleur(word_t& mot) {
    auto ordre = [this](Rang const& a, Rang const& b) { return moins_bon(a, b); };
    while (!tas_.empty()) {
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
        return true;
    }
    return false;
}

void Compteur::remettre() {
    tas_.push_back(dernier_);
    std::push_heap(tas_.begin(), tas_.end(), [this](Rang const& a, Rang const& b) { return moins_bon(a, b); });
}

void Compteur::retirer(std::string const& mot) {
    if (mot.empty()) return;
    std::size_t const n = texte_.size();
    std::vector<std::pair<std::size_t, std::size_t>> morts;
    std::size_t p = 0;
    while (p < n) {
        if (!vivant_[p]) {
            ++p;
            continue;
        }
        std::size_t const a = p;
        void const* mort = std::memchr(vivant_.data() + a, 0, n - a);
        std::size_t const b = mort == nullptr ? n : static_cast<unsigned char const*>(mort) - vivant_.data();
        p = b;
        std::string_view const ligne(texte_.data() + a, b - a);
        std::size_t i = ligne.find(mot);
        if (i == std::string_view::npos) continue;
        // Each occurrence dies, and so does any piece beside it too short to stay a line.
        morts.clear();
        std::size_t morceau = a;
        while (i != std::string_view::npos) {
            std::size_t const debut = a + i, fin = debut + mot.size();
            std::size_t const mort_debut = debut - morceau < morceau_min ? morceau : debut;
            if (!morts.empty() && morts.back().second == mort_debut)
                morts.back().second = fin;
            else
                morts.emplace_back(mort_debut, fin);
            morceau = fin;
            i = ligne.find(mot, fin - a);
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
    for (auto const& [d0, d1] : morts) std::fill(vivant_.begin() + d0, vivant_.begin() + d1, 0);
}

}  // namespace MTE
