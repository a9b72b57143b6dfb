#include "patchs/ips-encodeur.h"

#include <algorithm>
#include <cstdint>

#include "patchs/ips-format.h"

namespace IPS {

namespace {

using Octets = std::vector<unsigned char>;

// What each form of record costs beyond the bytes it carries.
constexpr std::uint32_t cout_tete_litterale = taille_tete;
constexpr std::uint32_t cout_rle = taille_tete + taille_rle;

// A literal record spanning g unchanged bytes costs g bytes more, ending it and starting
// another after the gap costs one head of 5: from 8 unchanged bytes on, no record is worth
// carrying over the gap. (Only an RLE record whose value also fills the gap could be, and
// saves at most its 8 bytes; that case is given up so that long unchanged stretches cost no
// work.)
constexpr std::size_t ecart_separateur = 8;

struct Enregistrement {
    std::size_t debut;
    std::size_t taille;
    bool rle;
};

bool differe(Octets const& original, Octets const& modifie, std::size_t p) {
    return p >= original.size() || original[p] != modifie[p];
}

// The first position from `p` on where the files differ, or modifie.size().
std::size_t prochaine_difference(Octets const& original, Octets const& modifie, std::size_t p) {
    std::size_t const commun = std::min(original.size(), modifie.size());
    if (p >= commun) return std::min(p, modifie.size());
    auto const ecart = std::mismatch(original.begin() + static_cast<std::ptrdiff_t>(p),
                                     original.begin() + static_cast<std::ptrdiff_t>(commun),
                                     modifie.begin() + static_cast<std::ptrdiff_t>(p));
    return static_cast<std::size_t>(ecart.first - original.begin());
}

// A monotone queue of record starts, the cheapest at the front, for the sliding minimum
// below. Each start enters once, so a plain array serves.
class File_minimum {
public:
    explicit File_minimum(std::size_t capacite) : elements_(capacite) {}
    bool vide() const { return tete_ == queue_; }
    std::uint32_t premier() const { return elements_[tete_]; }
    void vider() { tete_ = queue_; }
    // Enters `k`, first dropping the starts that are no cheaper than it: it is later, so it
    // stays in the window longer.
    template <typename Valeur>
    void entrer(std::uint32_t k, Valeur valeur) {
        while (!vide() && valeur(elements_[queue_ - 1]) >= valeur(k)) --queue_;
        elements_[queue_++] = k;
    }
    void oublier_avant(std::uint32_t k) {
        while (!vide() && elements_[tete_] < k) ++tete_;
    }

private:
    std::vector<std::uint32_t> elements_;
    std::size_t tete_ = 0;
    std::size_t queue_ = 0;
};

enum class Choix : unsigned char { passer, litteral, rle };

// The cheapest records covering every difference of [s, e), by the shortest path over the
// positions: cout[k] is the least cost of covering the differences before s + k with records
// that end at or before it. Position k is reached by passing over an unchanged byte, by a
// literal record from any start within 65,535 bytes (cost 5 + its length), or by an RLE
// record from any start within the same run of one value (cost 8); both minima come from
// sliding queues, so the whole is linear.
void decouper(Octets const& original, Octets const& modifie, std::size_t s, std::size_t e,
              std::vector<Enregistrement>& enregistrements) {
    std::uint32_t const n = static_cast<std::uint32_t>(e - s);
    std::vector<std::uint32_t> cout(n + 1), depart(n + 1);
    std::vector<Choix> choix(n + 1);
    // Adding n keeps cout[i] - i non-negative: the literal cost to k is that plus 5 + k - n.
    auto valeur_litterale = [&](std::uint32_t i) { return std::uint64_t{cout[i]} + n - i; };
    auto valeur_rle = [&](std::uint32_t i) { return cout[i]; };
    File_minimum litteraux(n), runs(n);
    cout[0] = 0;
    for (std::uint32_t k = 1; k <= n; ++k) {
        std::size_t const p = s + k - 1;
        if (k >= 2 && modifie[p] != modifie[p - 1]) runs.vider();
        if (p != adresse_fin) {
            litteraux.entrer(k - 1, valeur_litterale);
            runs.entrer(k - 1, valeur_rle);
        }
        std::uint32_t const plus_ancien = k > taille_enregistrement_maximale ? k - taille_enregistrement_maximale : 0;
        litteraux.oublier_avant(plus_ancien);
        runs.oublier_avant(plus_ancien);

        std::uint64_t meilleur = UINT64_MAX;
        if (!differe(original, modifie, p)) {
            meilleur = cout[k - 1];
            choix[k] = Choix::passer;
        }
        if (!litteraux.vide()) {
            std::uint32_t const i = litteraux.premier();
            std::uint64_t const c = std::uint64_t{cout[i]} + cout_tete_litterale + (k - i);
            if (c < meilleur) {
                meilleur = c;
                choix[k] = Choix::litteral;
                depart[k] = i;
            }
        }
        if (!runs.vide()) {
            std::uint32_t const i = runs.premier();
            std::uint64_t const c = std::uint64_t{cout[i]} + cout_rle;
            if (c < meilleur) {
                meilleur = c;
                choix[k] = Choix::rle;
                depart[k] = i;
            }
        }
        cout[k] = static_cast<std::uint32_t>(meilleur);
    }

    std::size_t const premier = enregistrements.size();
    for (std::uint32_t k = n; k > 0;) {
        if (choix[k] == Choix::passer) {
            --k;
            continue;
        }
        enregistrements.push_back({s + depart[k], k - depart[k], choix[k] == Choix::rle});
        k = depart[k];
    }
    std::reverse(enregistrements.begin() + static_cast<std::ptrdiff_t>(premier), enregistrements.end());
}

void ajouter_be(Octets& sortie, std::uint32_t valeur, int largeur) {
    for (int k = largeur - 1; k >= 0; --k) sortie.push_back(static_cast<unsigned char>(valeur >> (8 * k)));
}

}  // namespace

Creation creer(Octets const& original, Octets const& modifie) {
    Creation creation;
    if (modifie.size() > taille_maximale) {
        creation.statut = Statut_creation::modifie_trop_grand;
        return creation;
    }
    creation.troncature = modifie.size() < original.size();
    if (creation.troncature && modifie.size() >= taille_maximale) {
        creation.statut = Statut_creation::troncature_impossible;
        return creation;
    }

    // Groups of differences that no unchanged gap of ecart_separateur bytes splits, each cut
    // into records on its own.
    std::vector<Enregistrement> enregistrements;
    std::size_t p = prochaine_difference(original, modifie, 0);
    while (p < modifie.size()) {
        std::size_t derniere = p;
        for (std::size_t q = p + 1; q < modifie.size() && q - derniere <= ecart_separateur; ++q)
            if (differe(original, modifie, q)) derniere = q;
        // A group cannot start at 0x454F46: it takes in the unchanged byte before.
        std::size_t const debut = p == adresse_fin ? p - 1 : p;
        decouper(original, modifie, debut, derniere + 1, enregistrements);
        p = prochaine_difference(original, modifie, derniere + 1);
    }

    Octets& patch = creation.patch;
    patch.assign(std::begin(entete), std::end(entete));
    for (Enregistrement const& e : enregistrements) {
        ajouter_be(patch, static_cast<std::uint32_t>(e.debut), 3);
        if (e.rle) {
            ajouter_be(patch, 0, 2);
            ajouter_be(patch, static_cast<std::uint32_t>(e.taille), 2);
            patch.push_back(modifie[e.debut]);
            ++creation.enregistrements_rle;
        } else {
            ajouter_be(patch, static_cast<std::uint32_t>(e.taille), 2);
            patch.insert(patch.end(), modifie.begin() + static_cast<std::ptrdiff_t>(e.debut),
                         modifie.begin() + static_cast<std::ptrdiff_t>(e.debut + e.taille));
        }
    }
    creation.enregistrements = enregistrements.size();
    patch.insert(patch.end(), std::begin(fin), std::end(fin));
    if (creation.troncature) ajouter_be(patch, static_cast<std::uint32_t>(modifie.size()), 3);
    return creation;
}

}  // namespace IPS
