#include "host/commandes_texte.h"

#include <cstdio>

#include "host/arguments.h"
#include "host/blua.h"
#include "host/interface_lua.h"
#include "reformat/auto_lb.h"
#include "reformat/suppr.h"

namespace {

int supprimer_mots(Lua& lua) {
    if (!verifier_chaines(lua, 1, 3)) return 0;
    char const* entree = lua.to_string(1);
    char const* sortie = lua.to_string(2);
    char const* liste = lua.to_string(3);
    std::printf("Suppression des mots de la liste '%s' dans le fichier '%s'...\n", liste, entree);
    Suppr_mots::supprimer(entree, sortie, liste);
    std::fputs("Suppression terminée !\n\n", stdout);
    return 0;
}

int mettre_en_forme(Lua& lua) {
    if (!verifier_chaines(lua, 1, 3) || !verifier_nombres(lua, 4, 5)) return 0;
    char const* entree = lua.to_string(1);
    char const* sortie = lua.to_string(2);
    char const* table = lua.to_string(3);
    int const largeur = lua.tointeger(4);
    int const lignes = lua.tointeger(5);
    std::printf("Mise en forme du fichier '%s'...\n", entree);
    Auto_LB::remettre_en_forme(entree, sortie, table, largeur, lignes);
    std::fputs("Mise en forme terminée !\n\n", stdout);
    return 0;
}

}  // namespace

int lua_supprimer_mots(lua_State* state) {
    return proteger(state, supprimer_mots);
}

int lua_mettre_en_forme(lua_State* state) {
    return proteger(state, mettre_en_forme);
}
