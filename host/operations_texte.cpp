#include "host/chargement.h"
#include "host/enregistrement.h"
#include "host/operations.h"
#include "optimisers/dte.h"
#include "optimisers/mte.h"
#include "reformat/auto_lb.h"
#include "reformat/suppr.h"

namespace Operations {

namespace {

// Each result is opened only once the inputs are read: an input that cannot be read leaves an
// earlier result alone, and a script may be rewritten in place.
void publier(Fichier& f_sortie, Rapports const& rapports, std::string const& texte) {
    afficher(rapports);
    enregistrer_texte(f_sortie, texte);
}

}  // namespace

void optimiser_dte(char const* script, char const* resultat, int nombre) {
    std::optional<std::string> texte = lire_texte(script);
    if (!texte) {
        afficher(Rapport(Message::ouverture_impossible_dte, {script}));
        return;
    }
    Fichier f_sortie;
    if (!ouvrir_sortie(f_sortie, resultat)) return;
    DTE::Optimisation const o = DTE::optimiser(std::move(*texte), nombre);
    publier(f_sortie, o.rapports, o.resultat);
}

void optimiser_mte(char const* script, char const* resultat, short nombre, short taille_max, int taille_rom) {
    afficher(Rapport(Message::mte_taille, {taille_rom}));
    if (auto erreur = MTE::verifier(nombre, taille_max, taille_rom)) {
        afficher(*erreur);
        return;
    }
    std::optional<std::string> texte = lire_texte(script);
    if (!texte) {
        afficher(Rapport(Message::ouverture_impossible, {script}));
        return;
    }
    Fichier f_sortie;
    if (!ouvrir_sortie(f_sortie, resultat)) return;
    MTE::Recherche const r = MTE::optimiser(std::move(*texte), nombre, taille_max, taille_rom);
    publier(f_sortie, r.rapports, r.resultat);
}

void supprimer_mots(char const* entree, char const* sortie, char const* liste) {
    std::optional<std::string> const mots = lire_octets(liste);
    if (!mots) {
        afficher(Rapport(Message::fopen_impossible, {liste}));
        return;
    }
    std::optional<std::string> texte = lire_texte(entree);
    if (!texte) {
        afficher(Rapport(Message::ouverture_impossible, {entree}));
        return;
    }
    Fichier f_sortie;
    if (!ouvrir_sortie(f_sortie, sortie)) return;
    Suppr_mots::Suppression const s = Suppr_mots::supprimer(std::move(*texte), Suppr_mots::lire_liste(*mots));
    publier(f_sortie, s.rapports, s.texte);
}

void mettre_en_forme(char const* entree, char const* sortie, char const* table, int largeur, int lignes) {
    Auto_LB::Table_ALB largeurs;
    if (!charger_table(largeurs, table, Message::ouverture_impossible) || !largeurs.utilisable()) return;
    std::optional<std::string> const texte = lire_texte(entree);
    if (!texte) {
        afficher(Rapport(Message::ouverture_impossible, {entree}));
        return;
    }
    Fichier f_sortie;
    if (!ouvrir_sortie(f_sortie, sortie)) return;
    Auto_LB::Mise_en_forme const m = Auto_LB::remettre_en_forme(largeurs, *texte, largeur, lignes);
    publier(f_sortie, m.rapports, m.texte);
}

}  // namespace Operations
