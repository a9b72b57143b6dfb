#include <cstring>

#include "host/blua.h"
#include "host/interface_lua.h"
#include "host/shell.h"
#include "host/sortie.h"
#include "lib/erreur.h"

namespace {

void afficher_infos() { afficher(Rapport(Message::banniere)); }

void afficher_usage(char const* programme) { afficher(Rapport(Message::usage, {programme})); }

// Loads and runs a script file; an interpreter error is printed as it stands.
bool executer(Lua& lua, char const* fichier) {
    try {
        lua.loadfile(fichier);
        lua.call(0, 0);
        return true;
    } catch (lua_error_ const& e) {
        afficher(e.rapport());
        return false;
    }
}

}  // namespace

int main(int argc, char** argv) {
    Lua lua;
    afficher_infos();
    lua.open_alllib();
    declarer_fonctions(lua);

    char const* programme = argc > 0 ? argv[0] : "vorlan-tool";
    if (argc < 2 || argc > 3) {
        afficher_usage(programme);
        return 0;
    }
    if (!executer(lua, "vorlan-tool.lua")) return 0;

    if (argc == 2 && std::strcmp(argv[1], "-h") == 0) {
        afficher_usage(programme);
    } else if (argc == 2 && std::strcmp(argv[1], "-i") == 0) {
        lancer_interpreteur(lua);
    } else if (argc == 3 && std::strcmp(argv[1], "-e") == 0) {
        executer(lua, argv[2]);
    } else {
        afficher_usage(programme);
    }
    return 0;
}
