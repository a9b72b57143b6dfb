#include "host/commandes_patchs.h"

#include "host/arguments.h"
#include "host/blua.h"
#include "host/interface_lua.h"
#include "host/operations.h"
#include "host/sortie.h"

namespace {

bool trois_chaines(Lua& lua, char const* commande) {
    if (lua.gettop() != 3) {
        afficher(Rapport(Message::nombre_d_arguments_incorrect, {commande}));
        return false;
    }
    return verifier_chaines(lua, 1, 3);
}

int creer_patch(Lua& lua) {
    if (!trois_chaines(lua, "creer_patch")) return 0;
    char const* original = lua.to_string(1);
    char const* modifie = lua.to_string(2);
    char const* patch = lua.to_string(3);
    afficher(Rapport(Message::creation_patch_debut, {patch, original, modifie}));
    Operations::creer_patch(original, modifie, patch);
    afficher(Rapport(Message::creation_patch_fin));
    return 0;
}

int appliquer_patch(Lua& lua) {
    if (!trois_chaines(lua, "appliquer_patch")) return 0;
    char const* rom = lua.to_string(1);
    char const* patch = lua.to_string(2);
    char const* resultat = lua.to_string(3);
    afficher(Rapport(Message::application_patch_debut, {patch, rom, resultat}));
    Operations::appliquer_patch(rom, patch, resultat);
    afficher(Rapport(Message::application_patch_fin));
    return 0;
}

}  // namespace

int lua_creer_patch(lua_State* state) { return proteger(state, creer_patch); }

int lua_appliquer_patch(lua_State* state) { return proteger(state, appliquer_patch); }
