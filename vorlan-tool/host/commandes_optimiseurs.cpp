#include "host/commandes_optimiseurs.h"

#include "host/arguments.h"
#include "host/blua.h"
#include "host/interface_lua.h"
#include "host/operations.h"
#include "host/sortie.h"

namespace {

int nom_d_argument_incorrect(char const* commande) {
    afficher(Rapport(Message::nom_d_argument_incorrect, {commande}));
    return 0;
}

// The operation takes 16-bit counts: the low 16 bits, read as signed.
short sur_16_bits(int valeur) { return static_cast<short>(static_cast<unsigned short>(valeur)); }

int optimiser_dte(Lua& lua) {
    if (lua.gettop() != 3) return nom_d_argument_incorrect("optimiser_dte");
    if (!verifier_chaines(lua, 1, 2)) return 0;
    if (!verifier_nombres(lua, 3, 3)) return 0;
    char const* script = lua.to_string(1);
    char const* resultat = lua.to_string(2);
    int nombre = lua.tointeger(3);
    afficher(Rapport(Message::optimisation_debut, {script}));
    Operations::optimiser_dte(script, resultat, nombre);
    afficher(Rapport(Message::optimisation_fin));
    return 0;
}

int optimiser_mte(Lua& lua) {
    int const arguments = lua.gettop();
    if (arguments != 4 && arguments != 5) return nom_d_argument_incorrect("optimiser_mte");
    if (!verifier_chaines(lua, 1, 2)) return 0;
    if (!verifier_nombres(lua, 3, arguments)) return 0;
    char const* script = lua.to_string(1);
    char const* resultat = lua.to_string(2);
    int nombre = lua.tointeger(3);
    int taille_max = lua.tointeger(4);
    int taille_rom = arguments == 5 ? lua.tointeger(5) : 2;
    if (taille_rom != 1 && taille_rom != 2) {
        afficher(Rapport(Message::mte_taille_incorrecte));
        return 0;
    }
    // The framing names DTE here too: it is the message scripts have always seen.
    afficher(Rapport(Message::optimisation_debut, {script}));
    Operations::optimiser_mte(script, resultat, sur_16_bits(nombre), sur_16_bits(taille_max), taille_rom);
    afficher(Rapport(Message::optimisation_fin));
    return 0;
}

}  // namespace

int lua_optimiser_dte(lua_State* state) { return proteger(state, optimiser_dte); }

int lua_optimiser_mte(lua_State* state) { return proteger(state, optimiser_mte); }
