#include "patchs/bps-encodeur.h"

#include <algorithm>
#include <cstring>

#include "patchs/chaines-hachage.h"

namespace BPS {

namespace {

using Octets = std::vector<unsigned char>;

// Positions of each chain tried at one output offset: the nearest ones, which also give the
// shortest offset moves for text repeating its recent words. Each try is about one wait for
// memory, which bounds the whole.
constexpr int essais_source = 6;
constexpr int essais_cible = 24;
// A match this long is taken without looking further.
constexpr std::uint64_t assez_long = 256;
// Nor is a byte waited for when it is this long: waiting seldom gains on a long match.
constexpr std::uint64_t attente_inutile = 16;
// The output a match this long copies is not entered in the output's chains but for its last
// bytes: it is itself a copy of something the chains already reach.
constexpr std::uint64_t long_a_sauter = 64;
constexpr std::uint64_t fin_gardee = 16;

// Bytes equal from the start of `a` and `b`, at most `maximum`. `a` may lie before `b` in the
// same buffer and run into it: that is what an overlapping TargetCopy reproduces.
std::uint64_t longueur_commune(unsigned char const* a, unsigned char const* b, std::uint64_t maximum) {
    std::uint64_t n = 0;
    while (n + 8 <= maximum) {
        std::uint64_t x, y;
        std::memcpy(&x, a + n, 8);
        std::memcpy(&y, b + n, 8);
        if (x != y) break;
        n += 8;
    }
    while (n < maximum && a[n] == b[n]) ++n;
    return n;
}

struct Candidat {
    Genre genre = Genre::lecture_cible;
    std::uint64_t longueur = 0;
    std::uint64_t depuis = 0;
    std::int64_t gain = 0;  // patch bytes saved against literals: length less encoded size
};

class Encodeur {
public:
    Encodeur(Octets const& source, Octets const& cible, Octets& patch)
        : source_(source), cible_(cible), patch_(patch), index_source_(source), index_cible_(cible) {}

    void encoder(Creation& creation) {
        std::size_t const n = cible_.size();
        std::size_t i = 0;
        bool suivant_connu = false;
        Candidat suivant;
        while (i < n) {
            index_cible_.entrer_jusqua(i);
            Candidat const c = suivant_connu ? suivant : chercher(i);
            suivant_connu = false;
            // Taking a match inside a run of literals cuts the run: its second part needs an
            // action of its own.
            std::int64_t const seuil = i > litteraux_ ? 2 : 1;
            if (c.gain < seuil) {
                ++i;
                continue;
            }
            if (c.longueur < attente_inutile && i + 1 < n) {
                index_cible_.entrer_jusqua(i + 1);
                suivant = chercher(i + 1);
                // Waiting costs cible[i] as a literal (and an action when it starts a run).
                if (suivant.gain > c.gain + (i > litteraux_ ? 1 : 2)) {
                    suivant_connu = true;
                    ++i;
                    continue;
                }
            }
            ecrire_litteraux(i, creation);
            ecrire(c, creation);
            if (c.longueur > long_a_sauter) {
                index_cible_.entrer_jusqua(i + 1);
                index_cible_.sauter_jusqua(i + static_cast<std::size_t>(c.longueur - fin_gardee));
            }
            i += static_cast<std::size_t>(c.longueur);
            litteraux_ = i;
        }
        ecrire_litteraux(n, creation);
    }

private:
    // The best match at output offset i, or one of length 0.
    Candidat chercher(std::size_t i) {
        std::uint64_t const reste = cible_.size() - i;
        unsigned char const* const ici = cible_.data() + i;
        Candidat meilleur;
        bool const cherchable = reste >= Chaines_hachage::longueur_cle;
        if (cherchable) {
            // The source is entered whole when first searched: a ROM patched in place may
            // never need it.
            index_source_.entrer_jusqua(source_.size());
            index_source_.preparer(ici);
            index_cible_.preparer(ici);
        }
        auto evaluer = [&](Genre genre, std::uint64_t depuis, std::uint64_t longueur) {
            if (longueur == 0) return;
            std::int64_t cout = taille_nombre((longueur - 1) << 2 | static_cast<unsigned>(genre));
            if (genre == Genre::copie_source)
                cout += taille_nombre(nombre_signe(static_cast<std::int64_t>(depuis - decalage_source_)));
            else if (genre == Genre::copie_cible)
                cout += taille_nombre(nombre_signe(static_cast<std::int64_t>(depuis - decalage_cible_)));
            std::int64_t const gain = static_cast<std::int64_t>(longueur) - cout;
            if (gain > meilleur.gain || (gain == meilleur.gain && longueur > meilleur.longueur))
                meilleur = {genre, longueur, depuis, gain};
        };
        auto depuis_source = [&](std::uint64_t p) {
            return longueur_commune(source_.data() + p, ici, std::min<std::uint64_t>(source_.size() - p, reste));
        };
        auto depuis_cible = [&](std::uint64_t p) { return longueur_commune(cible_.data() + p, ici, reste); };

        // Where no offset needs moving first: a ROM edited in place mostly reads its source
        // where it is, and a moved block goes on where the last copy stopped.
        if (i < source_.size()) evaluer(Genre::lecture_source, i, depuis_source(i));
        if (decalage_source_ < source_.size())
            evaluer(Genre::copie_source, decalage_source_, depuis_source(decalage_source_));
        if (decalage_cible_ < i) evaluer(Genre::copie_cible, decalage_cible_, depuis_cible(decalage_cible_));
        if (meilleur.longueur >= assez_long || !cherchable) return meilleur;

        // A copy costs at least 2 bytes (its action and its offset move): a candidate can only do
        // better if it matches up to byte gain + 1. The bytes after the key, kept in the chain,
        // tell that for most candidates before the buffer is read there.
        std::uint32_t const suite_ici = reste >= Chaines_hachage::longueur_suivie ? Chaines_hachage::suite_de(ici) : 0;
        auto prometteur = [&](Chaines_hachage const& index, std::uint32_t p, unsigned char const* depuis,
                              std::uint64_t disponible) {
            std::uint64_t const dernier = static_cast<std::uint64_t>(std::max<std::int64_t>(meilleur.gain + 1, 0));
            if (dernier >= disponible) return false;
            if (dernier < Chaines_hachage::longueur_cle) return true;
            if (dernier < Chaines_hachage::longueur_suivie && disponible >= Chaines_hachage::longueur_suivie &&
                reste >= Chaines_hachage::longueur_suivie) {
                int const octets = static_cast<int>(dernier - Chaines_hachage::longueur_cle) + 1;
                std::uint32_t const masque = octets == 4 ? UINT32_MAX : (std::uint32_t{1} << (8 * octets)) - 1;
                return ((index.suite(p) ^ suite_ici) & masque) == 0;
            }
            return depuis[dernier] == ici[dernier];
        };
        int essais = essais_source;
        for (std::uint32_t p = index_source_.premiere(ici); p != Chaines_hachage::aucune && essais-- > 0;
             p = index_source_.suivante(p))
            if (prometteur(index_source_, p, source_.data() + p, std::min<std::uint64_t>(source_.size() - p, reste)))
                evaluer(Genre::copie_source, p, depuis_source(p));
        if (meilleur.longueur >= assez_long) return meilleur;
        essais = essais_cible;
        for (std::uint32_t p = index_cible_.premiere(ici); p != Chaines_hachage::aucune && essais-- > 0;
             p = index_cible_.suivante(p))
            if (prometteur(index_cible_, p, cible_.data() + p, reste)) evaluer(Genre::copie_cible, p, depuis_cible(p));
        return meilleur;
    }

    void action(Genre genre, std::uint64_t longueur, Creation& creation) {
        ajouter_nombre(patch_, (longueur - 1) << 2 | static_cast<unsigned>(genre));
        ++creation.actions[static_cast<unsigned>(genre)];
        creation.octets[static_cast<unsigned>(genre)] += longueur;
    }

    void ecrire_litteraux(std::size_t fin, Creation& creation) {
        if (fin <= litteraux_) return;
        action(Genre::lecture_cible, fin - litteraux_, creation);
        patch_.insert(patch_.end(), cible_.begin() + static_cast<std::ptrdiff_t>(litteraux_),
                      cible_.begin() + static_cast<std::ptrdiff_t>(fin));
        litteraux_ = fin;
    }

    void ecrire(Candidat const& c, Creation& creation) {
        action(c.genre, c.longueur, creation);
        if (c.genre == Genre::copie_source) {
            ajouter_nombre(patch_, nombre_signe(static_cast<std::int64_t>(c.depuis - decalage_source_)));
            decalage_source_ = c.depuis + c.longueur;
        } else if (c.genre == Genre::copie_cible) {
            ajouter_nombre(patch_, nombre_signe(static_cast<std::int64_t>(c.depuis - decalage_cible_)));
            decalage_cible_ = c.depuis + c.longueur;
        }
    }

    Octets const& source_;
    Octets const& cible_;
    Octets& patch_;
    Chaines_hachage index_source_;
    Chaines_hachage index_cible_;
    std::uint64_t decalage_source_ = 0;
    std::uint64_t decalage_cible_ = 0;
    std::size_t litteraux_ = 0;  // first output byte not yet in the patch
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
    Encodeur(source, cible, patch).encoder(creation);
    ajouter_le32(patch, crc32_octets(source.data(), source.size()));
    ajouter_le32(patch, crc32_octets(cible.data(), cible.size()));
    ajouter_le32(patch, crc32_octets(patch.data(), patch.size()));
    return creation;
}

}  // namespace BPS
