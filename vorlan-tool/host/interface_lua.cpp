#include "host/interface_lua.h"

#include <cstring>
#include <new>

#include "host/commandes_apercu.h"
#include "host/commandes_epreuve.h"
#include "host/commandes_decouverte.h"
#include "host/commandes_echange.h"
#include "host/commandes_ext_ins.h"
#include "host/commandes_jeu.h"
#include "host/commandes_optimiseurs.h"
#include "host/commandes_patchs.h"
#include "host/commandes_texte.h"
#include "host/sortie.h"
#include "lib/erreur.h"

Fonction_lua const fonctions[] = {
    {"extraire", lua_extraire},
    {"extraire_fixe", lua_extraire_fixe},
    {"inserer", lua_inserer},
    {"simuler_inserer", lua_simuler_inserer},
    {"inserer_fixe", lua_inserer_fixe},
    {"optimiser_dte", lua_optimiser_dte},
    {"optimiser_mte", lua_optimiser_mte},
    {"supprimer_mots", lua_supprimer_mots},
    {"mettre_en_forme", lua_mettre_en_forme},
    {"verifier_mise_en_forme", lua_verifier_mise_en_forme},
    {"creer_patch", lua_creer_patch},
    {"appliquer_patch", lua_appliquer_patch},
    {"apercu", lua_apercu},
    {"extraire_jeu", lua_extraire_jeu},
    {"inserer_jeu", lua_inserer_jeu},
    {"chercher_relatif", lua_chercher_relatif},
    {"creer_table", lua_creer_table},
    {"chercher_textes", lua_chercher_textes},
    {"chercher_pointeurs", lua_chercher_pointeurs},
    {"decouvrir", lua_decouvrir},
    {"exporter", lua_exporter},
    {"importer", lua_importer},
    {"epreuve", lua_epreuve},
    {nullptr, nullptr},
};

void declarer_fonctions(Lua& lua) {
    for (Fonction_lua const* f = fonctions; f->fonction != nullptr; ++f) lua.define(f->nom, f->fonction);
}

namespace {

void afficher_erreur(error const& e) {
    char const* const message = e.read_error();
    if (message == nullptr) return;
    afficher(e.rapport());
    std::size_t n = std::strlen(message);
    if (n == 0 || message[n - 1] != '\n') afficher(Rapport(Message::fin_de_ligne));
}

}  // namespace

int proteger(lua_State* state, int (*corps)(Lua& lua)) {
    Lua* lua = Lua::find(state);
    if (lua == nullptr) return 0;
    try {
        return corps(*lua);
    } catch (fseek_error const& e) {
        afficher_erreur(e);
    } catch (math_error const& e) {
        afficher_erreur(e);
    } catch (erreur_nombre const& e) {
        afficher_erreur(e);
    } catch (fopen_error const& e) {
        afficher_erreur(e);
    } catch (lua_error_ const& e) {
        afficher_erreur(e);
    } catch (std::bad_alloc const&) {
        afficher(Rapport(Message::memoire_insuffisante));
    }
    return 0;
}
