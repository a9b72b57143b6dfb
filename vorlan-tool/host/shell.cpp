#include "host/shell.h"

#include <cstdio>
#include <cstring>

#include "host/blua.h"
#include "host/sortie.h"
#include "lib/erreur.h"
#include "lib/string.h"

namespace {

// One line of standard input without its line feed, in pieces of at most 255 bytes so
// that a longer line is read whole instead of being split into two chunks; a NUL byte ends
// the text kept of its piece. False at the end of the input.
bool lire_ligne(String& ligne) {
    char tampon[256];
    ligne = "";
    for (bool lu = false;; lu = true) {
        // Zeroed first so that the line feed is found even after a NUL byte: looking for it at
        // the end of the text would glue the next line onto this one.
        std::memset(tampon, 0, sizeof tampon);
        if (std::fgets(tampon, sizeof tampon, stdin) == nullptr) return lu;
        char* fin = static_cast<char*>(std::memchr(tampon, '\n', sizeof tampon - 1));
        if (fin != nullptr) *fin = '\0';
        ligne += tampon;
        if (fin != nullptr) return true;
    }
}

bool finit_par_barre(String const& ligne) {
    return ligne.length() > 0 && ligne[static_cast<int>(ligne.length()) - 1] == '\\';
}

}  // namespace

void lancer_interpreteur(Lua& lua) {
    for (;;) {
        afficher(Rapport(Message::invite));
        std::fflush(stdout);
        String ligne;
        if (!lire_ligne(ligne)) return;
        String chunk("");
        while (finit_par_barre(ligne)) {
            ligne[static_cast<int>(ligne.length()) - 1] = '\n';
            chunk += ligne;
            afficher(Rapport(Message::invite_suite));
            std::fflush(stdout);
            if (!lire_ligne(ligne)) return;
        }
        chunk += ligne;
        if (std::strcmp(chunk.data(), "exit()") == 0) return;
        try {
            lua.load(chunk);
            lua.call(0, 0);
        } catch (lua_error_ const& e) {
            afficher(Rapport(Message::erreur_interpreteur, {e.read_error()}));
        }
    }
}
