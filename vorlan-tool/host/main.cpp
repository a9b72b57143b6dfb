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

// Exit statuses a build script can test.
constexpr int reussite = 0;
constexpr int script_interrompu = 1;  // the start-up or "-e" script not loaded, or stopped by an interpreter error
constexpr int erreur_signalee = 2;    // the script ran to its end, but some command reported an error

}  // namespace

int main(int argc, char** argv) {
    Console::du_programme().ecrire_en_utf8(sortie_en_utf8());
    Lua lua;
    afficher_infos();
    lua.open_alllib();
    declarer_fonctions(lua);

    char const* programme = argc > 0 ? argv[0] : "vorlan-tool";
    if (argc < 2 || argc > 3) {
        afficher_usage(programme);
        return reussite;
    }
    if (!executer(lua, "vorlan-tool.lua")) return script_interrompu;

    if (argc == 2 && std::strcmp(argv[1], "-h") == 0) {
        afficher_usage(programme);
    } else if (argc == 2 && std::strcmp(argv[1], "-i") == 0) {
        // The shell reports every error as it comes, and its user has seen them.
        lancer_interpreteur(lua);
    } else if (argc == 3 && std::strcmp(argv[1], "-e") == 0) {
        if (!executer(lua, argv[2])) return script_interrompu;
        return Console::du_programme().erreur_signalee() ? erreur_signalee : reussite;
    } else {
        afficher_usage(programme);
    }
    return reussite;
}
