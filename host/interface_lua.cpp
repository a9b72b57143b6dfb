#include "host/interface_lua.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "host/commandes_ext_ins.h"
#include "host/commandes_optimiseurs.h"
#include "host/commandes_texte.h"
#include "lib/erreur.h"

Fonction_lua const fonctions[] = {
    {"extraire", lua_extraire},
    {"extraire_fixe", lua_extraire_fixe},
    {"inserer", lua_inserer},
    {"inserer_fixe", lua_inserer_fixe},
    {"optimiser_dte", lua_optimiser_dte},
    {"optimiser_mte", lua_optimiser_mte},
    {"supprimer_mots", lua_supprimer_mots},
    {"mettre_en_forme", lua_mettre_en_forme},
    {nullptr, nullptr},
};

void declarer_fonctions(Lua& lua) {
    for (Fonction_lua const* f = fonctions; f->fonction != nullptr; ++f) lua.define(f->nom, f->fonction);
}

namespace {

void afficher_erreur(char const* message) {
    if (message == nullptr) return;
    std::fputs(message, stdout);
    std::size_t n = std::strlen(message);
    if (n == 0 || message[n - 1] != '\n') std::fputc('\n', stdout);
}

}  // namespace

int proteger(lua_State* state, int (*corps)(Lua& lua)) {
    Lua* lua = Lua::find(state);
    if (lua == nullptr) return 0;
    try {
        return corps(*lua);
    } catch (fseek_error const& e) {
        afficher_erreur(e.read_error());
    } catch (math_error const& e) {
        afficher_erreur(e.read_error());
    } catch (erreur_nombre const& e) {
        afficher_erreur(e.read_error());
    } catch (fopen_error const& e) {
        afficher_erreur(e.read_error());
    } catch (lua_error_ const& e) {
        afficher_erreur(e.read_error());
    } catch (std::bad_alloc const&) {
        afficher_erreur("Erreur, mémoire insuffisante\n");
    }
    return 0;
}
