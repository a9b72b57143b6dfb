#include "patchs/ips-decodeur.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "lib/entiers.h"
#include "patchs/ips-format.h"

namespace IPS {

namespace {

using Octets = std::vector<unsigned char>;

// A record as checked: where it writes, how much, and where its bytes (or its run's value)
// sit in the patch.
struct Enregistrement {
    std::size_t adresse;
    std::size_t taille;
    std::size_t donnees;
    bool rle;
};

bool lire_be(Octets const& patch, std::size_t position, int largeur, std::uint32_t& valeur) {
    return lire_entier_borne(patch, static_cast<long long>(position), largeur, Ordre_octets::grand_boutiste, valeur);
}

// The `reste` bytes at `position` are where "EOF" was cut, rather than a record.
bool debut_de_fin(Octets const& patch, std::size_t position, std::size_t reste) {
    return std::memcmp(patch.data() + position, fin, reste) == 0;
}

Application refus(Statut statut, std::size_t position) {
    Application a;
    a.statut = statut;
    a.position = position;
    return a;
}

}  // namespace

Application appliquer(Octets const& rom, Octets const& patch) {
    if (patch.size() < taille_entete || !std::equal(std::begin(entete), std::end(entete), patch.begin()))
        return refus(Statut::entete_absente, 0);

    // Every record is checked against the patch before the first byte is written.
    std::vector<Enregistrement> enregistrements;
    std::size_t taille = rom.size();
    std::size_t p = taille_entete;
    for (;;) {
        std::size_t const reste = patch.size() - p;
        if (reste < taille_fin)
            return refus(debut_de_fin(patch, p, reste) ? Statut::fin_absente : Statut::enregistrement_tronque, p);
        if (std::equal(std::begin(fin), std::end(fin), patch.begin() + static_cast<std::ptrdiff_t>(p))) {
            p += taille_fin;
            break;
        }
        std::uint32_t adresse = 0, longueur = 0;
        if (!lire_be(patch, p, 3, adresse) || !lire_be(patch, p + 3, 2, longueur))
            return refus(Statut::enregistrement_tronque, p);
        Enregistrement e{adresse, longueur, p + taille_tete, false};
        if (longueur == 0) {
            std::uint32_t run = 0;
            if (!lire_be(patch, p + taille_tete, 2, run) || patch.size() - p < taille_tete + taille_rle)
                return refus(Statut::enregistrement_tronque, p);
            if (run == 0) return refus(Statut::rle_vide, p);
            e = {adresse, run, p + taille_tete + 2, true};
            p += taille_tete + taille_rle;
        } else {
            if (patch.size() - p - taille_tete < longueur) return refus(Statut::enregistrement_tronque, p);
            p += taille_tete + longueur;
        }
        taille = std::max(taille, e.adresse + e.taille);
        enregistrements.push_back(e);
    }

    Application a;
    std::size_t const apres_fin = patch.size() - p;
    std::uint32_t troncature = 0;
    if (apres_fin == taille_troncature) {
        lire_be(patch, p, 3, troncature);
        a.troncature = true;
    } else if (apres_fin != 0) {
        return refus(Statut::octets_apres_fin, p);
    }

    a.rom = rom;
    a.rom.resize(taille, 0);
    for (Enregistrement const& e : enregistrements) {
        if (e.rle)
            std::fill_n(a.rom.begin() + static_cast<std::ptrdiff_t>(e.adresse), e.taille, patch[e.donnees]);
        else
            std::copy_n(patch.begin() + static_cast<std::ptrdiff_t>(e.donnees), e.taille,
                        a.rom.begin() + static_cast<std::ptrdiff_t>(e.adresse));
    }
    if (a.troncature) a.rom.resize(troncature, 0);
    a.enregistrements = enregistrements.size();
    return a;
}

}  // namespace IPS
