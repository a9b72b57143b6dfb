#include "host/chargement.h"
#include "host/enregistrement.h"
#include "host/operations.h"
#include "optimisers/dte.h"
#include "optimisers/mte.h"
#include "reformat/auto_lb.h"
#include "reformat/suppr.h"
#include "reformat/verification.h"

namespace Operations {

namespace {

// Each result is prepared only once the inputs are read: an input that cannot be read leaves
// an earlier result alone. A result that is an input the command must keep is refused; the
// script itself may be rewritten in place by the reformatter and the word remover.
bool preparer_resultat(Sortie& sortie, char const* resultat) {
    return sortie.preparer(resultat, Message::fopen_impossible);
}

void publier(Sortie& sortie, Rapports const& rapports, std::string const& texte) {
    afficher(rapports);
    sortie.enregistrer(texte);
}

}  // namespace

void optimiser_dte(char const* script, char const* resultat, int nombre) {
    std::optional<std::string> texte = lire_texte(script);
    if (!texte) {
        afficher(Rapport(Message::ouverture_impossible_dte, {script}));
        return;
    }
    Sortie sortie;
    if (!differents(resultat, script) || !preparer_resultat(sortie, resultat)) return;
    DTE::Optimisation const o = DTE::optimiser(std::move(*texte), nombre);
    publier(sortie, o.rapports, o.resultat);
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
    Sortie sortie;
    if (!differents(resultat, script) || !preparer_resultat(sortie, resultat)) return;
    MTE::Recherche const r = MTE::optimiser(std::move(*texte), nombre, taille_max, taille_rom);
    publier(sortie, r.rapports, r.resultat);
}

void supprimer_mots(char const* entree, char const* sortie_nom, char const* liste) {
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
    Sortie sortie;
    if (!differents(sortie_nom, liste) || !preparer_resultat(sortie, sortie_nom)) return;
    Suppr_mots::Suppression const s = Suppr_mots::supprimer(std::move(*texte), Suppr_mots::lire_liste(*mots));
    publier(sortie, s.rapports, s.texte);
}

void mettre_en_forme(char const* entree, char const* sortie_nom, char const* table, int largeur, int lignes) {
    Auto_LB::Table_ALB largeurs;
    if (!charger_table(largeurs, table, Message::ouverture_impossible) || !largeurs.utilisable()) return;
    std::optional<std::string> const texte = lire_texte(entree);
    if (!texte) {
        afficher(Rapport(Message::ouverture_impossible, {entree}));
        return;
    }
    Sortie sortie;
    if (!differents(sortie_nom, table) || !preparer_resultat(sortie, sortie_nom)) return;
    Auto_LB::Mise_en_forme const m = Auto_LB::remettre_en_forme(largeurs, *texte, largeur, lignes);
    publier(sortie, m.rapports, m.texte);
}

int verifier_mise_en_forme(char const* script, char const* table, int largeur, int lignes) {
    Auto_LB::Table_ALB largeurs;
    if (!charger_table(largeurs, table, Message::ouverture_impossible) || !largeurs.utilisable()) return -1;
    std::optional<std::string> const texte = lire_texte(script);
    if (!texte) {
        afficher(Rapport(Message::ouverture_impossible, {script}));
        return -1;
    }
    Auto_LB::Verification const v = Auto_LB::verifier(largeurs, *texte, largeur, lignes);
    afficher(v.rapports);
    afficher(Rapport(Message::problemes_trouves, {v.problemes}));
    return v.problemes;
}

}  // namespace Operations
