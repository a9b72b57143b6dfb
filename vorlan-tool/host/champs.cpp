#include "host/champs.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "host/sortie.h"

namespace {

// The key on top of the stack as a message names it: a string as it stands, a number as an
// index, anything else as "?".
std::string nom_de_cle(lua_State* L, std::string const& lieu) {
    std::string cle = "?";
    if (lua_type(L, -1) == LUA_TSTRING) {
        cle.assign(lua_tostring(L, -1), lua_objlen(L, -1));
    } else if (lua_type(L, -1) == LUA_TNUMBER) {
        // A copy: converting the key itself in place would derail lua_next.
        lua_pushvalue(L, -1);
        cle = "[" + std::string(lua_tostring(L, -1)) + "]";
        lua_pop(L, 1);
        return lieu + cle;
    }
    return lieu.empty() ? cle : lieu + "." + cle;
}

}  // namespace

std::optional<std::size_t> sequence(lua_State* L, int index) {
    if (!lua_istable(L, index)) return std::nullopt;
    std::size_t n = 0;
    double plus_grande = 0;
    lua_pushnil(L);
    while (lua_next(L, index) != 0) {
        lua_pop(L, 1);
        double const cle = lua_type(L, -1) == LUA_TNUMBER ? lua_tonumber(L, -1) : 0;
        if (!(cle >= 1 && cle == std::floor(cle))) {
            lua_pop(L, 1);
            return std::nullopt;
        }
        ++n;
        plus_grande = std::max(plus_grande, cle);
    }
    // Distinct whole keys from 1, none above their count: they are 1..n.
    if (plus_grande > static_cast<double>(n)) return std::nullopt;
    return n;
}

bool entier_lua(lua_State* L, int index, long long minimum, long long maximum, long long& valeur) {
    if (lua_type(L, index) != LUA_TNUMBER) return false;
    double const nombre = lua_tonumber(L, index);
    if (!(nombre == std::floor(nombre) && nombre >= static_cast<double>(minimum) &&
          nombre <= static_cast<double>(maximum)))
        return false;
    valeur = static_cast<long long>(nombre);
    return true;
}

bool une_table(Lua& lua, char const* commande) {
    if (lua.gettop() == 1 && lua.istable(1)) return true;
    afficher(Rapport(Message::commande_une_table, {commande, commande}));
    return false;
}

bool Champs::refuser(Message message, std::vector<Argument> arguments) const {
    afficher(Rapport(message, std::move(arguments)));
    return false;
}

int Champs::pousser(char const* champ) const {
    lua_pushstring(L_, champ);
    lua_rawget(L_, index_);
    return lua_gettop(L_);
}

bool Champs::present(char const* champ) const {
    Pile pile(L_);
    return !lua_isnil(L_, pousser(champ));
}

bool Champs::connus(std::initializer_list<char const*> champs) const {
    Pile pile(L_);
    lua_pushnil(L_);
    while (lua_next(L_, index_) != 0) {
        lua_pop(L_, 1);
        bool connu = false;
        if (lua_type(L_, -1) == LUA_TSTRING) {
            std::string const cle(lua_tostring(L_, -1), lua_objlen(L_, -1));
            connu = std::any_of(champs.begin(), champs.end(), [&cle](char const* c) { return cle == c; });
        }
        if (!connu) return refuser(Message::commande_champ_inconnu, {commande_, nom_de_cle(L_, lieu_)});
    }
    return true;
}

bool Champs::chaine(char const* champ, bool requis, std::string& valeur) const {
    Pile pile(L_);
    int const v = pousser(champ);
    if (lua_isnil(L_, v)) return !requis || refuser(Message::commande_champ_absent, {nom(champ), commande_});
    if (lua_type(L_, v) != LUA_TSTRING) return refuser(Message::commande_chaine, {nom(champ), commande_});
    valeur.assign(lua_tostring(L_, v), lua_objlen(L_, v));
    return true;
}

bool Champs::nom_de_fichier(char const* champ, std::string& valeur) const {
    std::string lu;
    if (!chaine(champ, true, lu)) return false;
    // A name with a NUL byte would name another file than the one shown.
    if (lu.empty() || lu.find('\0') != std::string::npos)
        return refuser(Message::commande_nom_de_fichier, {nom(champ), commande_});
    valeur = std::move(lu);
    return true;
}

bool Champs::entier(char const* champ, long long minimum, long long maximum, bool requis, long long& valeur) const {
    Pile pile(L_);
    int const v = pousser(champ);
    if (lua_isnil(L_, v)) return !requis || refuser(Message::commande_champ_absent, {nom(champ), commande_});
    return entier_lua(L_, v, minimum, maximum, valeur) ||
           refuser(Message::commande_entier, {nom(champ), commande_, minimum, maximum});
}

bool Champs::booleen(char const* champ, bool& valeur) const {
    Pile pile(L_);
    int const v = pousser(champ);
    if (lua_isnil(L_, v)) return true;
    if (!lua_isboolean(L_, v)) return refuser(Message::commande_booleen, {nom(champ), commande_});
    valeur = lua_toboolean(L_, v) != 0;
    return true;
}

bool Champs::entiers(char const* champ, long long minimum, long long maximum, std::size_t au_moins, bool requis,
                     std::vector<long long>& valeurs) const {
    Pile pile(L_);
    int const v = pousser(champ);
    if (lua_isnil(L_, v)) return !requis || refuser(Message::commande_champ_absent, {nom(champ), commande_});
    std::optional<std::size_t> const n = sequence(L_, v);
    std::vector<long long> lues;
    bool ok = n && *n >= au_moins;
    for (std::size_t k = 0; ok && k < *n; ++k) {
        lua_rawgeti(L_, v, static_cast<int>(k) + 1);
        long long valeur = 0;
        ok = entier_lua(L_, -1, minimum, maximum, valeur);
        lues.push_back(valeur);
        lua_pop(L_, 1);
    }
    if (!ok)
        return refuser(Message::commande_entiers,
                       {nom(champ), commande_, static_cast<long long>(au_moins), minimum, maximum});
    valeurs = std::move(lues);
    return true;
}

bool Champs::chaines(char const* champ, std::vector<std::string>& valeurs) const {
    Pile pile(L_);
    int const v = pousser(champ);
    if (lua_isnil(L_, v)) return true;
    std::optional<std::size_t> const n = sequence(L_, v);
    std::vector<std::string> lues;
    bool ok = n.has_value();
    for (std::size_t k = 0; ok && k < *n; ++k) {
        lua_rawgeti(L_, v, static_cast<int>(k) + 1);
        ok = lua_type(L_, -1) == LUA_TSTRING;
        if (ok) lues.emplace_back(lua_tostring(L_, -1), lua_objlen(L_, -1));
        lua_pop(L_, 1);
    }
    if (!ok) return refuser(Message::commande_chaines, {nom(champ), commande_});
    valeurs = std::move(lues);
    return true;
}
