#include "host/arguments.h"

#include <cstdio>

#include "host/blua.h"

bool verifier_chaines(Lua& lua, int premier, int dernier) {
    for (int i = premier; i <= dernier; ++i) {
        if (!lua.isstring(i)) {
            std::printf("Erreur, l'argument %d doit être une chaine\n", i);
            return false;
        }
    }
    return true;
}

bool verifier_nombres(Lua& lua, int premier, int dernier) {
    for (int i = premier; i <= dernier; ++i) {
        if (!lua.isnumber(i)) {
            std::printf("Erreur, l'argument %d doit être un nombre\n", i);
            return false;
        }
    }
    return true;
}

int argument_incorrect(int position) {
    std::printf("Erreur, l'argument %d est incorrect\n", position);
    return 0;
}
