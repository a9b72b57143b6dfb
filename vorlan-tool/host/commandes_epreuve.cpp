#include "host/commandes_epreuve.h"

#include <optional>
#include <string>

#include "host/champs.h"
#include "host/commandes_apercu.h"
#include "host/commandes_echange.h"
#include "host/interface_lua.h"
#include "host/operations.h"
#include "host/sortie.h"

namespace {

constexpr char const* commande = "epreuve";

// A field that is a whole number within an int.
bool entier_int(Champs const& c, char const* champ, int minimum, int maximum, int& valeur) {
    long long v = valeur;
    if (!c.entier(champ, minimum, maximum, true, v)) return false;
    valeur = static_cast<int>(v);
    return true;
}

std::optional<Operations::Demande_epreuve> lire_demande(Lua& lua) {
    if (!une_table(lua, commande)) return std::nullopt;
    lua_State* L = lua.state();
    Champs const c(L, 1, commande);
    Operations::Demande_epreuve d;
    Operations::Demande_apercu& a = d.apercu;
    std::string original;
    bool const ok =
        c.connus({"script", "original", "table", "police", "largeurs", "largeurs_rom", "largeur", "lignes", "sortie",
                  "titre", "encodage"}) &&
        c.nom_de_fichier("script", a.script) && (!c.present("original") || c.nom_de_fichier("original", original)) &&
        c.nom_de_fichier("table", a.table) && c.nom_de_fichier("largeurs", a.largeurs) &&
        entier_int(c, "largeur", 1, Apercu::largeur_maximale, a.parametres.largeur) &&
        entier_int(c, "lignes", 1, Apercu::lignes_maximales, a.parametres.lignes) &&
        c.nom_de_fichier("sortie", a.sortie) && c.chaine("titre", false, d.titre) && lire_encodage(c, d.encodage) &&
        lire_police_epreuve(L, 1, a);
    if (!ok) return std::nullopt;
    if (c.present("original")) d.original = original;
    if (d.titre.empty()) d.titre = a.script;
    return d;
}

int epreuve(Lua& lua) {
    std::optional<Operations::Demande_epreuve> const demande = lire_demande(lua);
    if (!demande) return 0;
    afficher(Rapport(Message::epreuve_debut, {demande->apercu.script}));
    std::optional<Operations::Epreuve_ecrite> const e = Operations::epreuve(*demande);
    afficher(Rapport(Message::epreuve_fin));
    if (!e) return 0;
    lua_State* L = lua.state();
    lua_settop(L, 0);
    pousser_apercu(L, e->mise_en_page);
    lua_pushlstring(L, demande->apercu.sortie.data(), demande->apercu.sortie.size());
    lua_setfield(L, -2, "page");
    lua_pushnumber(L, e->sections);
    lua_setfield(L, -2, "sections");
    return 1;
}

}  // namespace

int lua_epreuve(lua_State* state) { return proteger(state, epreuve); }
