#include "host/arguments.h"

#include "host/blua.h"
#include "host/sortie.h"

bool verifier_chaines(Lua& lua, int premier, int dernier) {
    for (int i = premier; i <= dernier; ++i) {
        if (!lua.isstring(i)) {
            afficher(Rapport(Message::argument_chaine, {i}));
            return false;
        }
    }
    return true;
}

bool verifier_nombres(Lua& lua, int premier, int dernier) {
    for (int i = premier; i <= dernier; ++i) {
        if (!lua.isnumber(i)) {
            afficher(Rapport(Message::argument_nombre, {i}));
            return false;
        }
    }
    return true;
}

int argument_incorrect(int position) {
    afficher(Rapport(Message::argument_incorrect, {position}));
    return 0;
}
