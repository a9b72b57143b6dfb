#include "host/commandes_texte.h"

#include "host/arguments.h"
#include "host/blua.h"
#include "host/interface_lua.h"
#include "host/operations.h"
#include "host/sortie.h"

namespace {

int supprimer_mots(Lua& lua) {
    if (!verifier_chaines(lua, 1, 3)) return 0;
    char const* entree = lua.to_string(1);
    char const* sortie = lua.to_string(2);
    char const* liste = lua.to_string(3);
    afficher(Rapport(Message::suppression_debut, {liste, entree}));
    Operations::supprimer_mots(entree, sortie, liste);
    afficher(Rapport(Message::suppression_fin));
    return 0;
}

int mettre_en_forme(Lua& lua) {
    if (!verifier_chaines(lua, 1, 3) || !verifier_nombres(lua, 4, 5)) return 0;
    char const* entree = lua.to_string(1);
    char const* sortie = lua.to_string(2);
    char const* table = lua.to_string(3);
    int const largeur = lua.tointeger(4);
    int const lignes = lua.tointeger(5);
    afficher(Rapport(Message::mise_en_forme_debut, {entree}));
    Operations::mettre_en_forme(entree, sortie, table, largeur, lignes);
    afficher(Rapport(Message::mise_en_forme_fin));
    return 0;
}

int verifier_mise_en_forme(Lua& lua) {
    if (!verifier_chaines(lua, 1, 2) || !verifier_nombres(lua, 3, 4)) return 0;
    char const* script = lua.to_string(1);
    char const* table = lua.to_string(2);
    int const largeur = lua.tointeger(3);
    int const lignes = lua.tointeger(4);
    afficher(Rapport(Message::verification_debut, {script}));
    int const problemes = Operations::verifier_mise_en_forme(script, table, largeur, lignes);
    afficher(Rapport(Message::verification_fin));
    if (problemes < 0) return 0;
    lua.push(static_cast<double>(problemes));
    return 1;
}

}  // namespace

int lua_verifier_mise_en_forme(lua_State* state) {
    return proteger(state, verifier_mise_en_forme);
}

int lua_supprimer_mots(lua_State* state) {
    return proteger(state, supprimer_mots);
}

int lua_mettre_en_forme(lua_State* state) {
    return proteger(state, mettre_en_forme);
}
