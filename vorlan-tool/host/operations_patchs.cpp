#include <cctype>
#include <string>

#include "host/chargement.h"
#include "host/enregistrement.h"
#include "host/operations.h"
#include "patchs/bps-decodeur.h"
#include "patchs/bps-encodeur.h"
#include "patchs/ips-decodeur.h"
#include "patchs/ips-encodeur.h"

namespace Operations {

namespace {

using Octets = std::vector<unsigned char>;

// The kind of patch a name asks for by its ending, in any case; nothing for any other ending.
enum class Sorte { aucune, ips, bps };

Sorte sorte_du_nom(std::string nom) {
    if (nom.size() < 4) return Sorte::aucune;
    std::string fin = nom.substr(nom.size() - 4);
    for (char& c : fin) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (fin == ".ips") return Sorte::ips;
    if (fin == ".bps") return Sorte::bps;
    return Sorte::aucune;
}

bool lire(char const* nom, Octets& octets) {
    std::optional<std::string> const lu = lire_octets(nom);
    if (!lu) {
        afficher(Rapport(Message::ouverture_impossible, {nom}));
        return false;
    }
    octets.assign(lu->begin(), lu->end());
    return true;
}

long long taille(Octets const& octets) { return static_cast<long long>(octets.size()); }
long long nombre(std::uint64_t valeur) { return static_cast<long long>(valeur); }

// The refusal of an IPS patch, or nothing when it applied.
std::optional<Rapport> refus_ips(IPS::Application const& a, char const* patch) {
    long long const position = static_cast<long long>(a.position);
    switch (a.statut) {
    case IPS::Statut::ok: return std::nullopt;
    case IPS::Statut::entete_absente: return Rapport(Message::patch_inconnu, {patch});
    case IPS::Statut::enregistrement_tronque: return Rapport(Message::ips_enregistrement_tronque, {patch, position});
    case IPS::Statut::fin_absente: return Rapport(Message::ips_fin_absente, {patch, position});
    case IPS::Statut::rle_vide: return Rapport(Message::ips_rle_vide, {patch, position});
    case IPS::Statut::octets_apres_fin: return Rapport(Message::ips_octets_apres_fin, {patch, position});
    }
    return Rapport(Message::patch_inconnu, {patch});
}

std::optional<Rapport> refus_bps(BPS::Application const& a, char const* rom, char const* patch) {
    long long const position = static_cast<long long>(a.position);
    switch (a.statut) {
    case BPS::Statut::ok: return std::nullopt;
    case BPS::Statut::pas_bps: return Rapport(Message::patch_inconnu, {patch});
    case BPS::Statut::trop_court: return Rapport(Message::bps_tronque, {patch});
    case BPS::Statut::patch_endommage:
        return Rapport(Message::bps_endommage, {patch, nombre(a.crc_reel), nombre(a.crc_attendu)});
    case BPS::Statut::nombre_tronque: return Rapport(Message::bps_nombre_tronque, {patch, position});
    case BPS::Statut::nombre_demesure: return Rapport(Message::bps_nombre_demesure, {patch, position});
    case BPS::Statut::metadonnees_tronquees: return Rapport(Message::bps_metadonnees_tronquees, {patch});
    case BPS::Statut::cible_trop_grande:
        return Rapport(Message::bps_cible_trop_grande, {patch, nombre(a.taille_attendue)});
    case BPS::Statut::lecture_hors_source: return Rapport(Message::bps_lecture_hors_source, {patch, position});
    case BPS::Statut::copie_hors_sortie: return Rapport(Message::bps_copie_hors_sortie, {patch, position});
    case BPS::Statut::litteral_tronque: return Rapport(Message::bps_litteral_tronque, {patch, position});
    case BPS::Statut::ecriture_hors_cible: return Rapport(Message::bps_ecriture_hors_cible, {patch, position});
    case BPS::Statut::cible_incomplete:
        return Rapport(Message::bps_cible_incomplete, {patch, nombre(a.taille_reelle), nombre(a.taille_attendue)});
    case BPS::Statut::source_taille:
        return Rapport(Message::bps_source_taille, {rom, patch, nombre(a.taille_reelle), nombre(a.taille_attendue)});
    case BPS::Statut::source_crc:
        return Rapport(Message::bps_source_crc, {rom, patch, nombre(a.crc_reel), nombre(a.crc_attendu)});
    case BPS::Statut::resultat_faux:
        return Rapport(Message::bps_resultat_faux, {patch, nombre(a.crc_reel), nombre(a.crc_attendu)});
    }
    return Rapport(Message::patch_inconnu, {patch});
}

bool commence_par(Octets const& octets, char const* debut) {
    std::string const attendu(debut);
    return octets.size() >= attendu.size() && std::equal(attendu.begin(), attendu.end(), octets.begin());
}

}  // namespace

void creer_patch(char const* original, char const* modifie, char const* patch) {
    Sorte const sorte = sorte_du_nom(patch);
    if (sorte == Sorte::aucune) {
        afficher(Rapport(Message::patch_extension, {patch}));
        return;
    }
    Octets avant;
    Octets apres;
    if (!lire(original, avant) || !lire(modifie, apres)) return;
    if (!differents(patch, original) || !differents(patch, modifie)) return;
    Sortie sortie;
    if (sorte == Sorte::ips) {
        IPS::Creation const c = IPS::creer(avant, apres);
        if (c.statut == IPS::Statut_creation::modifie_trop_grand) {
            afficher(Rapport(Message::ips_trop_grand, {modifie, taille(apres)}));
            return;
        }
        if (c.statut == IPS::Statut_creation::troncature_impossible) {
            afficher(Rapport(Message::ips_troncature_impossible, {modifie}));
            return;
        }
        if (!sortie.preparer(patch, Message::fopen_impossible) || !sortie.enregistrer(c.patch.data(), c.patch.size()))
            return;
        afficher(Rapport(Message::patch_ips_cree, {patch, static_cast<int>(c.enregistrements),
                                                   static_cast<int>(c.enregistrements_rle), taille(c.patch)}));
        return;
    }
    BPS::Creation const c = BPS::creer(avant, apres);
    if (c.statut != BPS::Statut_creation::ok) {
        afficher(Rapport(Message::bps_trop_grand));
        return;
    }
    if (!sortie.preparer(patch, Message::fopen_impossible) || !sortie.enregistrer(c.patch.data(), c.patch.size()))
        return;
    afficher(Rapport(Message::patch_bps_cree, {patch, taille(c.patch)}));
}

void appliquer_patch(char const* rom, char const* patch, char const* resultat) {
    // A result that is the ROM replaces it: locked first, as every patched ROM is.
    Remplacement::Verrou verrou;
    if (meme_fichier(resultat, rom) && !verrou.prendre(rom)) {
        afficher(Rapport(Message::ouverture_impossible, {rom}));
        return;
    }
    Octets source;
    Octets correctif;
    if (!lire(rom, source) || !lire(patch, correctif)) return;
    if (!differents(resultat, patch)) return;
    Sortie sortie;
    if (!sortie.preparer(resultat, Message::fopen_impossible)) return;

    Octets cible;
    std::optional<Rapport> refus;
    if (commence_par(correctif, "PATCH")) {
        IPS::Application a = IPS::appliquer(source, correctif);
        refus = refus_ips(a, patch);
        cible = std::move(a.rom);
    } else if (commence_par(correctif, "BPS1")) {
        BPS::Application a = BPS::appliquer(source, correctif);
        refus = refus_bps(a, rom, patch);
        cible = std::move(a.cible);
    } else {
        refus = Rapport(Message::patch_inconnu, {patch});
    }
    if (refus) {
        afficher(*refus);
        return;
    }
    if (!sortie.enregistrer(cible.data(), cible.size())) return;
    afficher(Rapport(Message::patch_applique, {patch, resultat, taille(cible)}));
}

}  // namespace Operations
