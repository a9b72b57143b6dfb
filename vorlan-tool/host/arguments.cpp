#include "host/arguments.h"

#include <cstdio>

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

namespace {

String montant(char const* format, int valeur) {
    char texte[16];
    std::snprintf(texte, sizeof texte, format, static_cast<unsigned int>(valeur));
    return String(texte);
}

}  // namespace

String montants_de_profil(int plus, int moins) { return montant("+$%X", plus) + montant("-$%X", moins); }
