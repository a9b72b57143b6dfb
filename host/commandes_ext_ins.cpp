#include "host/commandes_ext_ins.h"

#include <cstdio>
#include <cstring>

#include "extraction/extracteur-fixe.h"
#include "extraction/extracteur.h"
#include "host/arguments.h"
#include "host/blua.h"
#include "host/interface_lua.h"
#include "host/profils.h"
#include "insertion/insereur-fixe.h"
#include "insertion/insereur.h"
#include "lib/string.h"

namespace {

char const* const noms_ext_ins[] = {"extraire", "inserer"};
char const* const noms_ext_ins_fixe[] = {"extraire_fixe", "inserer_fixe"};

// Pointer parameters of extraire and inserer, from whichever form the script used.
struct Pointeurs {
    int adresse = 0;
    int nombre = 0;
    int taille = 2;
    String formule = "X";
    bool ordre = false;
};

// The "+$%X" and "-$%X" amounts appended to a profile's formula.
String montant(char const* format, int valeur) {
    char texte[16];
    std::snprintf(texte, sizeof texte, format, static_cast<unsigned int>(valeur));
    return String(texte);
}

}  // namespace

int lua_ext_ins(int mode, Lua& lua) {
    char const* const nom = noms_ext_ins[mode];
    int const n = lua.gettop();
    if (n != 10 && n != 6) {
        std::printf("La fonction \"%s\" a un nombre d'argument incorrect\n", nom);
        return 0;
    }
    if (!verifier_chaines(lua, 1, 3)) return 0;
    if (!verifier_nombres(lua, 4, 5)) return 0;
    char const* const rom = lua.to_string(1);
    char const* const table = lua.to_string(2);
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
            std::printf("L'argument \"%s\" est incorrect\n", nom_profil);
            return 0;
        }
        Profils_ext_ins const& profil = tbl_profils[k];
        pointeurs.formule = mode == 0 ? profil.lire_formule_ext() : profil.lire_formule_ins();
        if (!verifier_nombres(lua, 7, 10)) return 0;
        pointeurs.formule += montant("+$%X", lua.tointeger(9));
        pointeurs.formule += montant("-$%X", lua.tointeger(10));
        pointeurs.taille = profil.lire_taille();
        pointeurs.ordre = profil.lire_ordre();
        pointeurs.adresse = lua.tointeger(7);
        pointeurs.nombre = lua.tointeger(8);
    } else {
        if (!lua.isnumber(6)) return argument_incorrect(6);
        if (!verifier_nombres(lua, 6, 8)) return 0;
        if (!verifier_chaines(lua, 9, 9)) return 0;
        if (!lua.isboolean(10)) return argument_incorrect(10);
        pointeurs.adresse = lua.tointeger(6);
        pointeurs.nombre = lua.tointeger(7);
        pointeurs.taille = lua.tointeger(8);
        pointeurs.formule = lua.to_string(9);
        pointeurs.ordre = lua.toboolean(10);
    }

    if (mode == 0) {
        std::printf("Extraction du fichier '%s' à partir du fichier '%s'...\n", script, rom);
        Extracteur::extraire(rom, table, script, debut, fin, pointeurs.adresse, pointeurs.nombre, pointeurs.taille,
                             pointeurs.formule.data(), pointeurs.ordre);
        std::fputs("Extraction terminée !\n\n", stdout);
        return 0;
    }
    std::printf("Insertion du fichier '%s' dans le fichier '%s'...\n", script, rom);
    int const resultat = Insereur::inserer(rom, table, script, debut, fin, pointeurs.adresse, pointeurs.nombre,
                                           pointeurs.taille, pointeurs.formule.data(), pointeurs.ordre);
    lua.push(static_cast<double>(resultat));
    std::fputs("Insertion terminée !\n\n", stdout);
    return 1;
}

int lua_ext_ins_fixe(int mode, Lua& lua) {
    if (lua.gettop() != 6) {
        std::printf("La fonction \"%s\" a un nombre d'argument incorrect\n", noms_ext_ins_fixe[mode]);
        return 0;
    }
    if (!verifier_chaines(lua, 1, 3)) return 0;
    if (!verifier_nombres(lua, 4, 6)) return 0;
    char const* const rom = lua.to_string(1);
    char const* const table = lua.to_string(2);
    char const* const script = lua.to_string(3);
    int const adresse = lua.tointeger(4);
    int const nombre = lua.tointeger(5);
    int const taille = lua.tointeger(6);
    if (mode == 0) {
        std::printf("Extraction fixe du fichier '%s' à partir du fichier '%s'...\n", script, rom);
        Extracteur::ext_fixe(rom, table, script, adresse, nombre, taille);
        std::fputs("Extraction fixe terminée !\n\n", stdout);
    } else {
        std::printf("Insertion fixe du fichier '%s' dans le fichier '%s'...\n", script, rom);
        Insereur::ins_fixe(rom, table, script, adresse, nombre, taille);
        std::fputs("Insertion fixe terminée !\n\n", stdout);
    }
    return 0;
}

int lua_extraire(lua_State* state) {
    return proteger(state, [](Lua& lua) { return lua_ext_ins(0, lua); });
}

int lua_inserer(lua_State* state) {
    return proteger(state, [](Lua& lua) { return lua_ext_ins(1, lua); });
}

int lua_extraire_fixe(lua_State* state) {
    return proteger(state, [](Lua& lua) { return lua_ext_ins_fixe(0, lua); });
}

int lua_inserer_fixe(lua_State* state) {
    return proteger(state, [](Lua& lua) { return lua_ext_ins_fixe(1, lua); });
}
