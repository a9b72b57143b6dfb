#include "patchs/bps-decodeur.h"

#include <algorithm>
#include <cstring>

#include "lib/entiers.h"

namespace BPS {

namespace {

using Octets = std::vector<unsigned char>;

// An action as checked: its kind, its length, and where its bytes come from (the source
// offset, the patch position of the literal, or the output offset).
struct Action {
    Genre genre;
    std::uint64_t longueur;
    std::uint64_t depuis;
};

Application refus(Statut statut, std::size_t position = 0) {
    Application a;
    a.statut = statut;
    a.position = position;
    return a;
}

Statut statut_nombre(Lecture_nombre lecture) {
    return lecture == Lecture_nombre::tronque ? Statut::nombre_tronque : Statut::nombre_demesure;
}

std::uint32_t lire_le32(Octets const& patch, std::size_t position) {
    std::uint32_t valeur = 0;
    lire_entier_borne(patch, static_cast<long long>(position), 4, Ordre_octets::petit_boutiste, valeur);
    return valeur;
}

// Moves a relative offset by a signed number; false when it would leave [0, taille - longueur],
// so that `longueur` bytes from there are inside the buffer.
bool deplacer(std::uint64_t& decalage, std::uint64_t nombre, std::uint64_t longueur, std::uint64_t taille) {
    std::uint64_t const grandeur = nombre >> 1;
    std::uint64_t nouveau;
    if (nombre & 1) {
        if (grandeur > decalage) return false;
        nouveau = decalage - grandeur;
    } else {
        if (grandeur > taille - decalage) return false;
        nouveau = decalage + grandeur;
    }
    if (nouveau > taille || longueur > taille - nouveau) return false;
    decalage = nouveau;
    return true;
}

}  // namespace

Application appliquer(Octets const& source, Octets const& patch, std::uint64_t taille_cible_maximale) {
    if (patch.size() < taille_entete || !std::equal(std::begin(entete), std::end(entete), patch.begin()))
        return refus(Statut::pas_bps);
    if (patch.size() < taille_entete + taille_pied) return refus(Statut::trop_court);

    // The patch's own CRC first: on a damaged patch, nothing else it says can be trusted.
    std::size_t const fin_actions = patch.size() - taille_pied;
    std::uint32_t const crc_source = lire_le32(patch, fin_actions);
    std::uint32_t const crc_cible = lire_le32(patch, fin_actions + 4);
    std::uint32_t const crc_patch = lire_le32(patch, fin_actions + 8);
    std::uint32_t const crc_patch_reel = crc32_octets(patch.data(), patch.size() - 4);
    if (crc_patch_reel != crc_patch) {
        Application a = refus(Statut::patch_endommage);
        a.crc_attendu = crc_patch;
        a.crc_reel = crc_patch_reel;
        return a;
    }

    std::size_t p = taille_entete;
    std::uint64_t tailles[3];  // source, target, metadata
    std::size_t positions[3];
    for (int k = 0; k < 3; ++k) {
        positions[k] = p;
        Lecture_nombre const lecture = lire_nombre_borne(patch, fin_actions, p, tailles[k]);
        if (lecture != Lecture_nombre::ok) return refus(statut_nombre(lecture), positions[k]);
    }
    std::uint64_t const taille_source = tailles[0], taille_cible = tailles[1], taille_meta = tailles[2];
    if (taille_cible > taille_cible_maximale) {
        Application a = refus(Statut::cible_trop_grande, positions[1]);
        a.taille_attendue = taille_cible;
        return a;
    }
    if (taille_meta > fin_actions - p) return refus(Statut::metadonnees_tronquees, positions[2]);
    std::size_t const debut_meta = p;
    p += static_cast<std::size_t>(taille_meta);

    std::uint32_t const crc_source_reel = crc32_octets(source.data(), source.size());
    if (taille_source != source.size() || crc_source_reel != crc_source) {
        Application a = refus(taille_source != source.size() ? Statut::source_taille : Statut::source_crc);
        a.taille_attendue = taille_source;
        a.taille_reelle = source.size();
        a.crc_attendu = crc_source;
        a.crc_reel = crc_source_reel;
        return a;
    }

    // Every action is checked against the source, the patch and the output written so far
    // before anything is written.
    std::vector<Action> actions;
    std::uint64_t sortie = 0, decalage_source = 0, decalage_cible = 0;
    while (p < fin_actions) {
        std::size_t const debut = p;
        std::uint64_t nombre = 0;
        Lecture_nombre lecture = lire_nombre_borne(patch, fin_actions, p, nombre);
        if (lecture != Lecture_nombre::ok) return refus(statut_nombre(lecture), debut);
        Genre const genre = static_cast<Genre>(nombre & 3);
        std::uint64_t const longueur = (nombre >> 2) + 1;
        if (longueur > taille_cible - sortie) return refus(Statut::ecriture_hors_cible, debut);
        Action action{genre, longueur, 0};
        switch (genre) {
            case Genre::lecture_source:
                if (sortie > source.size() || longueur > source.size() - sortie)
                    return refus(Statut::lecture_hors_source, debut);
                action.depuis = sortie;
                break;
            case Genre::lecture_cible:
                if (longueur > fin_actions - p) return refus(Statut::litteral_tronque, debut);
                action.depuis = p;
                p += static_cast<std::size_t>(longueur);
                break;
            case Genre::copie_source:
            case Genre::copie_cible: {
                std::size_t const debut_delta = p;
                lecture = lire_nombre_borne(patch, fin_actions, p, nombre);
                if (lecture != Lecture_nombre::ok) return refus(statut_nombre(lecture), debut_delta);
                if (genre == Genre::copie_source) {
                    if (!deplacer(decalage_source, nombre, longueur, source.size()))
                        return refus(Statut::lecture_hors_source, debut);
                    action.depuis = decalage_source;
                    decalage_source += longueur;
                } else {
                    // Byte k is read when byte sortie + k is written: reading from before the
                    // current output is enough, even when the copy overlaps what it writes.
                    if (!deplacer(decalage_cible, nombre, 1, sortie)) return refus(Statut::copie_hors_sortie, debut);
                    action.depuis = decalage_cible;
                    decalage_cible += longueur;
                }
                break;
            }
        }
        actions.push_back(action);
        sortie += longueur;
    }
    if (sortie != taille_cible) {
        Application a = refus(Statut::cible_incomplete, p);
        a.taille_attendue = taille_cible;
        a.taille_reelle = sortie;
        return a;
    }

    Application a;
    a.cible.resize(static_cast<std::size_t>(taille_cible));
    unsigned char* const cible = a.cible.data();
    std::size_t ecrit = 0;
    for (Action const& action : actions) {
        std::size_t const n = static_cast<std::size_t>(action.longueur);
        std::size_t const depuis = static_cast<std::size_t>(action.depuis);
        switch (action.genre) {
            case Genre::lecture_source:
            case Genre::copie_source: std::memcpy(cible + ecrit, source.data() + depuis, n); break;
            case Genre::lecture_cible: std::memcpy(cible + ecrit, patch.data() + depuis, n); break;
            case Genre::copie_cible:
                if (depuis + n <= ecrit)
                    std::memcpy(cible + ecrit, cible + depuis, n);
                else
                    for (std::size_t k = 0; k < n; ++k) cible[ecrit + k] = cible[depuis + k];
                break;
        }
        ecrit += n;
    }

    std::uint32_t const crc_cible_reel = crc32_octets(a.cible.data(), a.cible.size());
    if (crc_cible_reel != crc_cible) {
        Application faux = refus(Statut::resultat_faux);
        faux.crc_attendu = crc_cible;
        faux.crc_reel = crc_cible_reel;
        return faux;
    }
    a.metadonnees.assign(patch.begin() + static_cast<std::ptrdiff_t>(debut_meta),
                         patch.begin() + static_cast<std::ptrdiff_t>(debut_meta + taille_meta));
    return a;
}

}  // namespace BPS
