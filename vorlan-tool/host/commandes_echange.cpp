#include "host/commandes_echange.h"

#include <climits>
#include <string>

#include "host/champs.h"
#include "host/interface_lua.h"
#include "host/operations_echange.h"
#include "host/sortie.h"

namespace {

// A file name whose ending tells the exchange format.
bool lire_format(Champs const& c, char const* champ, std::string& nom, Echange::Format& format) {
    if (!c.nom_de_fichier(champ, nom)) return false;
    std::optional<Echange::Format> const f = Echange::format_du_nom(nom);
    if (!f) return c.refuser(Message::commande_format_echange, {c.nom(champ), c.commande()});
    format = *f;
    return true;
}

// An optional file name.
bool lire_fichier(Champs const& c, char const* champ, std::optional<std::string>& nom) {
    if (!c.present(champ)) return true;
    std::string lu;
    if (!c.nom_de_fichier(champ, lu)) return false;
    nom = lu;
    return true;
}

bool lire_forme(Champs const& c, Echange::Forme& forme) {
    bool fixe = false;
    if (!c.booleen("fixe", fixe)) return false;
    forme = fixe ? Echange::Forme::fixe : Echange::Forme::balises;
    return true;
}

// largeurs, largeur and lignes: all three or none.
bool lire_boite(Champs const& c, std::optional<std::string>& largeurs, std::optional<Echange::Boite>& boite) {
    bool const un = c.present("largeurs") || c.present("largeur") || c.present("lignes");
    if (!un) return true;
    if (!c.present("largeurs") || !c.present("largeur") || !c.present("lignes"))
        return c.refuser(Message::commande_boite_incomplete, {c.commande()});
    long long largeur = 0;
    long long lignes = 0;
    if (!lire_fichier(c, "largeurs", largeurs) || !c.entier("largeur", 1, INT_MAX, true, largeur) ||
        !c.entier("lignes", 1, INT_MAX, true, lignes))
        return false;
    boite = Echange::Boite{nullptr, static_cast<int>(largeur), static_cast<int>(lignes)};
    return true;
}

int exporter(Lua& lua) {
    char const* const commande = "exporter";
    if (!une_table(lua, commande)) return 0;
    Champs const c(lua.state(), 1, commande);
    Operations::Demande_exporter d;
    Echange::Demande_export& e = d.echange;
    bool const ok =
        c.connus({"script", "traduction", "sortie", "encodage", "largeurs", "largeur", "lignes", "langue", "fixe"}) &&
        c.nom_de_fichier("script", d.script) && lire_fichier(c, "traduction", d.traduction) &&
        lire_format(c, "sortie", d.sortie, e.format) && lire_encodage(c, e.encodage) &&
        lire_boite(c, d.largeurs, e.boite) && c.chaine("langue", false, e.en_tete.langue) && lire_forme(c, e.forme);
    if (!ok) return 0;
    e.en_tete.projet = d.script;
    afficher(Rapport(Message::echange_export_debut, {d.script, d.sortie}));
    Operations::exporter(d);
    afficher(Rapport(Message::echange_export_fin));
    return 0;
}

void champ(lua_State* L, char const* nom, int valeur) {
    lua_pushnumber(L, valeur);
    lua_setfield(L, -2, nom);
}

int importer(Lua& lua) {
    char const* const commande = "importer";
    if (!une_table(lua, commande)) return 0;
    lua_State* L = lua.state();
    Champs const c(L, 1, commande);
    Operations::Demande_importer d;
    Echange::Demande_import& e = d.echange;
    bool const ok = c.connus({"fichier", "script", "sortie", "encodage", "table", "glossaire", "forcer",
                              "appliquer_flous", "fixe"}) &&
                    lire_format(c, "fichier", d.fichier, e.format) && c.nom_de_fichier("script", d.script) &&
                    c.nom_de_fichier("sortie", d.sortie) && lire_encodage(c, e.encodage) &&
                    lire_fichier(c, "table", d.table) && lire_fichier(c, "glossaire", d.glossaire) &&
                    c.booleen("forcer", e.forcer) && c.booleen("appliquer_flous", e.appliquer_flous) &&
                    lire_forme(c, e.forme);
    if (!ok) return 0;
    afficher(Rapport(Message::echange_import_debut, {d.fichier, d.script}));
    std::optional<Echange::Comptes> const comptes = Operations::importer(d);
    afficher(Rapport(Message::echange_import_fin));
    if (!comptes) return 0;
    lua_settop(L, 0);
    lua_createtable(L, 0, 6);
    champ(L, "traduits", comptes->traduits);
    champ(L, "flous", comptes->flous);
    champ(L, "non_traduits", comptes->non_traduits);
    champ(L, "refuses", comptes->refuses);
    champ(L, "avertissements", comptes->avertissements);
    std::string const pourcentage = comptes->pourcentage();
    lua_pushlstring(L, pourcentage.data(), pourcentage.size());
    lua_setfield(L, -2, "pourcentage");
    return 1;
}

}  // namespace

bool lire_encodage(Champs const& c, Echange::Encodage& encodage) {
    std::string texte = "latin1";
    if (!c.chaine("encodage", false, texte)) return false;
    if (texte != "latin1" && texte != "utf8") return c.refuser(Message::commande_encodage, {c.nom("encodage"), c.commande()});
    encodage = texte == "utf8" ? Echange::Encodage::utf8 : Echange::Encodage::latin1;
    return true;
}

int lua_exporter(lua_State* state) { return proteger(state, exporter); }

int lua_importer(lua_State* state) { return proteger(state, importer); }
