#include "host/operations_echange.h"

#include <variant>
#include <vector>

#include "host/chargement.h"
#include "host/enregistrement.h"
#include "host/sortie.h"
#include "reformat/auto_lb-table.h"
#include "tables/insereur-table.h"

namespace Operations {

namespace {

// The output is none of the inputs, and can be written: prepared before any work.
bool preparer_sortie(Sortie& sortie, std::string const& nom, std::vector<std::string> const& entrees) {
    for (std::string const& entree : entrees)
        if (!differents(nom.c_str(), entree.c_str())) return false;
    return sortie.preparer(nom.c_str(), Message::fopen_impossible_ligne);
}

std::optional<std::string> lire(std::string const& nom) {
    std::optional<std::string> texte = lire_texte(nom.c_str());
    if (!texte) afficher(Rapport(Message::ouverture_impossible, {nom}));
    return texte;
}

}  // namespace

void exporter(Demande_exporter& d) {
    std::vector<std::string> entrees = {d.script};
    if (d.traduction) entrees.push_back(*d.traduction);
    if (d.largeurs) entrees.push_back(*d.largeurs);
    Sortie sortie;
    if (!preparer_sortie(sortie, d.sortie, entrees)) return;
    std::optional<std::string> const script = lire(d.script);
    if (!script) return;
    std::optional<std::string> traduction;
    if (d.traduction && !(traduction = lire(*d.traduction))) return;
    Auto_LB::Table_ALB largeurs;
    if (d.largeurs) {
        if (!charger_table(largeurs, d.largeurs->c_str(), Message::ouverture_impossible) || !largeurs.utilisable())
            return;
        d.echange.boite->largeurs = &largeurs;
    }
    d.echange.nom_script = d.script;
    d.echange.nom_traduction = d.traduction.value_or("");
    Echange::Exportation const e = Echange::exporter(*script, traduction ? &*traduction : nullptr, d.echange);
    afficher(e.rapports);
    if (!e.octets || !sortie.enregistrer(*e.octets)) return;
    afficher(Rapport(Message::echange_textes_ecrits, {e.entrees, d.sortie}));
}

std::optional<Echange::Comptes> importer(Demande_importer& d) {
    std::vector<std::string> entrees = {d.fichier, d.script};
    if (d.table) entrees.push_back(*d.table);
    if (d.glossaire) entrees.push_back(*d.glossaire);
    Sortie sortie;
    if (!preparer_sortie(sortie, d.sortie, entrees)) return std::nullopt;
    std::optional<std::string> const fichier = lire_octets(d.fichier.c_str());
    if (!fichier) {
        afficher(Rapport(Message::ouverture_impossible, {d.fichier}));
        return std::nullopt;
    }
    std::optional<std::string> const script = lire(d.script);
    if (!script) return std::nullopt;
    Insereur::Table_ins table;
    if (d.table) {
        if (!charger_table(table, d.table->c_str(), Message::ouverture_impossible)) return std::nullopt;
        d.echange.table = &table;
    }
    if (d.glossaire) {
        std::optional<std::string> const octets = lire_octets(d.glossaire->c_str());
        if (!octets) {
            afficher(Rapport(Message::ouverture_impossible, {*d.glossaire}));
            return std::nullopt;
        }
        if (auto const p = Echange::erreur_utf8(*octets)) {
            afficher(Rapport(Message::echange_non_utf8, {*d.glossaire, static_cast<long long>(*p)}));
            return std::nullopt;
        }
        auto lu = Echange::lire_glossaire(*octets);
        if (auto const* refus = std::get_if<Echange::Lecture>(&lu)) {
            afficher(Echange::refus_de_lecture(*refus, *d.glossaire, "CSV", "original,traduction"));
            return std::nullopt;
        }
        d.echange.glossaire = std::get<std::vector<Echange::Terme>>(std::move(lu));
    }
    d.echange.nom_fichier = d.fichier;
    Echange::Importation const r = Echange::importer(*fichier, *script, d.echange);
    afficher(r.rapports);
    if (!r.script) return std::nullopt;
    Echange::Comptes const& c = r.comptes;
    afficher(Rapport(Message::echange_bilan,
                     {c.traduits, c.flous, c.non_traduits, c.refuses, c.avertissements, c.pourcentage()}));
    if (!sortie.enregistrer(*r.script)) return std::nullopt;
    return c;
}

}  // namespace Operations
