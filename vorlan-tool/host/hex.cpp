#include "host/hex.h"

#include <cstdio>
#include <cstring>

#include "host/blua.h"
#include "host/sortie.h"

bool format_hex_valide(char const* format) {
    int conversions = 0;
    for (char const* p = format; *p != '\0'; ++p) {
        if (*p != '%') continue;
        ++p;
        if (*p == '%') continue;
        while (*p != '\0' && std::strchr("-+ #0", *p) != nullptr) ++p;
        while (*p >= '0' && *p <= '9') ++p;
        if (*p == '.') {
            ++p;
            while (*p >= '0' && *p <= '9') ++p;
        }
        if (*p == '\0' || std::strchr("diouxXc", *p) == nullptr) return false;
        ++conversions;
    }
    return conversions <= 1;
}

int hex(lua_State* state) {
    Lua* lua = Lua::find(state);
    if (lua == nullptr) return 0;
    int n = lua->gettop();
    if (n < 1 || n > 2) {
        afficher(Rapport(Message::hex_nombre_d_arguments));
        return 0;
    }
    if (!lua->isnumber(1) || (n == 2 && !lua->isstring(2)) ||
        (n == 2 && !format_hex_valide(lua->to_string(2)))) {
        afficher(Rapport(Message::hex_arguments_incorrects));
        return 0;
    }
    int valeur = lua->tointeger(1);
    char const* format = n == 2 ? lua->to_string(2) : "%02X";
    char texte[120];
    std::snprintf(texte, sizeof texte, format, valeur);
    lua->push(texte);
    return 1;
}
