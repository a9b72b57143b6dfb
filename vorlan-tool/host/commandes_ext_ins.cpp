#include "host/commandes_ext_ins.h"

#include <cstring>
#include <string>
#include <vector>

#include "host/arguments.h"
#include "host/blua.h"
#include "host/champs.h"
#include "host/interface_lua.h"
#include "host/operations.h"
#include "host/profils.h"
#include "host/sortie.h"
#include "lib/string.h"
#include "lib/table_pointeurs.h"

namespace {

char const* nom_ext_ins(Sens sens) {
    switch (sens) {
    case Sens::extraction: return "extraire";
    case Sens::insertion: return "inserer";
    default: return "simuler_inserer";
    }
}
char const* nom_ext_ins_fixe(Sens sens) { return sens == Sens::extraction ? "extraire_fixe" : "inserer_fixe"; }

// Pointer parameters of extraire and inserer, from whichever form the script used; without
// pointers: 0 pointers of 2 bytes, formula "X", big-endian.
struct Pointeurs {
    Table_pointeurs table;
    String formule = "X";
};

// A table argument: one file name, as it always was, or a list of them whose tables load
// together. A list is 1..n of non-empty names without a NUL byte; anything else
// that is no string is refused as before.
bool lire_tables(Lua& lua, int position, std::vector<std::string>& noms) {
    if (lua.isstring(position)) {
        noms.assign(1, lua.to_string(position));
        return true;
    }
    if (!lua.istable(position)) {
        afficher(Rapport(Message::argument_chaine, {position}));
        return false;
    }
    lua_State* const L = lua.state();
    std::optional<std::size_t> const n = sequence(L, position);
    bool ok = n && *n > 0;
    for (std::size_t k = 0; ok && k < *n; ++k) {
        lua_rawgeti(L, position, static_cast<int>(k) + 1);
        ok = lua_type(L, -1) == LUA_TSTRING;
        if (ok) noms.emplace_back(lua_tostring(L, -1), lua_objlen(L, -1));
        ok = ok && !noms.back().empty() && noms.back().find('\0') == std::string::npos;
        lua_pop(L, 1);
    }
    if (!ok) afficher(Rapport(Message::argument_tables, {position}));
    return ok;
}

// The checks of arguments 1 to 3: ROM, table, script.
bool lire_fichiers(Lua& lua, std::vector<std::string>& tables) {
    return verifier_chaines(lua, 1, 1) && lire_tables(lua, 2, tables) && verifier_chaines(lua, 3, 3);
}

}  // namespace

int lua_ext_ins(Sens sens, Lua& lua) {
    char const* const nom = nom_ext_ins(sens);
    int const n = lua.gettop();
    if (n != 10 && n != 6) {
        afficher(Rapport(Message::nombre_d_arguments_incorrect, {nom}));
        return 0;
    }
    std::vector<std::string> tables;
    if (!lire_fichiers(lua, tables)) return 0;
    if (!verifier_nombres(lua, 4, 5)) return 0;
    char const* const rom = lua.to_string(1);
    char const* const script = lua.to_string(3);
    int const debut = lua.tointeger(4);
    int const fin = lua.tointeger(5);

    Pointeurs pointeurs;
    if (n == 6) {
        if (!lua.isstring(6) || std::strcmp(lua.to_string(6), "SANS_POINTEURS") != 0) return argument_incorrect(6);
    } else if (lua.isstring(6) && !lua.isnumber(6)) {
        char const* const nom_profil = lua.to_string(6);
        int const k = chercher_profil(nom_profil);
        if (k == -1) {
            afficher(Rapport(Message::profil_inconnu, {nom_profil}));
            return 0;
        }
        Profils_ext_ins const& profil = tbl_profils[k];
        pointeurs.formule = sens == Sens::extraction ? profil.lire_formule_ext() : profil.lire_formule_ins();
        if (!verifier_nombres(lua, 7, 10)) return 0;
        pointeurs.formule += montants_de_profil(lua.tointeger(9), lua.tointeger(10));
        pointeurs.table.taille = profil.lire_taille();
        pointeurs.table.ordre = ordre_octets(profil.lire_ordre());
        pointeurs.table.adresse = lua.tointeger(7);
        pointeurs.table.nombre = lua.tointeger(8);
    } else {
        if (!lua.isnumber(6)) return argument_incorrect(6);
        if (!verifier_nombres(lua, 6, 8)) return 0;
        if (!verifier_chaines(lua, 9, 9)) return 0;
        if (!lua.isboolean(10)) return argument_incorrect(10);
        pointeurs.table.adresse = lua.tointeger(6);
        pointeurs.table.nombre = lua.tointeger(7);
        pointeurs.table.taille = lua.tointeger(8);
        pointeurs.formule = lua.to_string(9);
        pointeurs.table.ordre = ordre_octets(lua.toboolean(10));
    }

    if (sens == Sens::extraction) {
        afficher(Rapport(Message::extraction_debut, {script, rom}));
        Operations::extraire(rom, tables, script, debut, fin, pointeurs.table, pointeurs.formule.data());
        afficher(Rapport(Message::extraction_fin));
        return 0;
    }
    // A simulation prints exactly what the insertion would: it is the insertion, its writes left out.
    afficher(Rapport(Message::insertion_debut, {script, rom}));
    int const resultat =
        Operations::inserer(rom, tables, script, debut, fin, pointeurs.table, pointeurs.formule.data(),
                            sens == Sens::simulation ? Operations::Ecriture::simulee : Operations::Ecriture::reelle);
    lua.push(static_cast<double>(resultat));
    afficher(Rapport(Message::insertion_fin));
    return 1;
}

int lua_ext_ins_fixe(Sens sens, Lua& lua) {
    if (lua.gettop() != 6) {
        afficher(Rapport(Message::nombre_d_arguments_incorrect, {nom_ext_ins_fixe(sens)}));
        return 0;
    }
    std::vector<std::string> tables;
    if (!lire_fichiers(lua, tables)) return 0;
    if (!verifier_nombres(lua, 4, 6)) return 0;
    char const* const rom = lua.to_string(1);
    char const* const script = lua.to_string(3);
    int const adresse = lua.tointeger(4);
    int const nombre = lua.tointeger(5);
    int const taille = lua.tointeger(6);
    if (sens == Sens::extraction) {
        afficher(Rapport(Message::extraction_fixe_debut, {script, rom}));
        Operations::extraire_fixe(rom, tables, script, adresse, nombre, taille);
        afficher(Rapport(Message::extraction_fixe_fin));
    } else {
        afficher(Rapport(Message::insertion_fixe_debut, {script, rom}));
        Operations::inserer_fixe(rom, tables, script, adresse, nombre, taille);
        afficher(Rapport(Message::insertion_fixe_fin));
    }
    return 0;
}

int lua_extraire(lua_State* state) {
    return proteger(state, [](Lua& lua) { return lua_ext_ins(Sens::extraction, lua); });
}

int lua_inserer(lua_State* state) {
    return proteger(state, [](Lua& lua) { return lua_ext_ins(Sens::insertion, lua); });
}

int lua_simuler_inserer(lua_State* state) {
    return proteger(state, [](Lua& lua) { return lua_ext_ins(Sens::simulation, lua); });
}

int lua_extraire_fixe(lua_State* state) {
    return proteger(state, [](Lua& lua) { return lua_ext_ins_fixe(Sens::extraction, lua); });
}

int lua_inserer_fixe(lua_State* state) {
    return proteger(state, [](Lua& lua) { return lua_ext_ins_fixe(Sens::insertion, lua); });
}
