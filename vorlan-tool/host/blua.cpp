#include "host/blua.h"

#include <cmath>
#include <cstdint>
#include <cstring>

extern "C" {
#include <lauxlib.h>
#include <lualib.h>
}

#include "lib/erreur.h"
#include "lib/string.h"

std::map<lua_State*, Lua*> Lua::liste;

namespace {

// Chunks compiled from memory carry this name in the interpreter's messages.
char const* const NOM_CHUNK = "in";

void ouvrir(lua_State* state, lua_CFunction opener, char const* name) {
    // Lua 5.1 openers must run as Lua calls, not as plain C calls.
    lua_pushcfunction(state, opener);
    lua_pushstring(state, name);
    lua_call(state, 1, 0);
}

}  // namespace

int vers_entier(double value) {
    if (!std::isfinite(value)) return 0;
    double t = std::trunc(value);
    double m = std::fmod(t, 4294967296.0);
    if (m < 0) m += 4294967296.0;
    return static_cast<int>(static_cast<std::uint32_t>(m));
}

Lua::Lua() : state_(luaL_newstate()) {
    if (state_ == nullptr) throw std::bad_alloc();
    liste[state_] = this;
    define("hex", ::hex);
}

Lua::~Lua() {
    liste.erase(state_);
    lua_close(state_);
}

Lua* Lua::find(lua_State* state) {
    auto it = liste.find(state);
    return it == liste.end() ? nullptr : it->second;
}

void Lua::open_base() { ouvrir(state_, luaopen_base, ""); }

void Lua::open_io() {
    ouvrir(state_, luaopen_io, LUA_IOLIBNAME);
    ouvrir(state_, luaopen_os, LUA_OSLIBNAME);
}

void Lua::open_math() { ouvrir(state_, luaopen_math, LUA_MATHLIBNAME); }
void Lua::open_string() { ouvrir(state_, luaopen_string, LUA_STRLIBNAME); }
void Lua::open_table() { ouvrir(state_, luaopen_table, LUA_TABLIBNAME); }

void Lua::open_alllib() {
    open_base();
    open_io();
    open_math();
    open_string();
    open_table();
}

void Lua::verifier(int status) {
    if (status == 0) return;
    char const* message = lua_tostring(state_, -1);
    lua_error_ erreur(message != nullptr ? message : texte_du_message(Message::message_absent));
    lua_pop(state_, 1);
    throw erreur;
}

int Lua::loadfile(char const* name) {
    int status = luaL_loadfile(state_, name);
    verifier(status);
    return status;
}

int Lua::load(String const& chunk) {
    char const* text = chunk.data() != nullptr ? chunk.data() : "";
    int status = luaL_loadbuffer(state_, text, chunk.length(), NOM_CHUNK);
    verifier(status);
    return status;
}

int Lua::load(char const* chunk) {
    int status = luaL_loadbuffer(state_, chunk, std::strlen(chunk), NOM_CHUNK);
    verifier(status);
    return status;
}

int Lua::call(int nargs, int nresults) {
    int status = lua_pcall(state_, nargs, nresults, 0);
    verifier(status);
    return status;
}

void Lua::define(char const* name, lua_CFunction function) {
    lua_pushstring(state_, name);
    lua_pushcclosure(state_, function, 0);
    lua_settable(state_, LUA_GLOBALSINDEX);
}

int Lua::gettop() { return lua_gettop(state_); }
int Lua::type(int i) { return lua_type(state_, i); }
bool Lua::isnil(int i) { return lua_type(state_, i) == LUA_TNIL; }
bool Lua::isnumber(int i) { return lua_isnumber(state_, i) != 0; }
bool Lua::isboolean(int i) { return lua_type(state_, i) == LUA_TBOOLEAN; }
bool Lua::isstring(int i) { return lua_isstring(state_, i) != 0; }
bool Lua::istable(int i) { return lua_type(state_, i) == LUA_TTABLE; }
bool Lua::isfunction(int i) { return lua_type(state_, i) == LUA_TFUNCTION; }
bool Lua::iscfunction(int i) { return lua_iscfunction(state_, i) != 0; }
bool Lua::isuserdata(int i) { return lua_isuserdata(state_, i) != 0; }
bool Lua::islightuserdata(int i) { return lua_type(state_, i) == LUA_TLIGHTUSERDATA; }
bool Lua::toboolean(int i) { return lua_toboolean(state_, i) != 0; }
double Lua::tonumber(int i) { return lua_tonumber(state_, i); }
int Lua::tointeger(int i) { return vers_entier(lua_tonumber(state_, i)); }
char const* Lua::to_string(int i) { return lua_tostring(state_, i); }
lua_CFunction Lua::tocfunction(int i) { return lua_tocfunction(state_, i); }
void* Lua::touserdata(int i) { return lua_touserdata(state_, i); }

void Lua::push() { lua_pushnil(state_); }
void Lua::push(bool value) { lua_pushboolean(state_, value ? 1 : 0); }
void Lua::push(double value) { lua_pushnumber(state_, value); }
void Lua::push(char const* text) { lua_pushstring(state_, text); }

void Lua::push(String const& text) {
    lua_pushlstring(state_, text.data() != nullptr ? text.data() : "", text.length());
}

void Lua::push(lua_CFunction function) { lua_pushcclosure(state_, function, 0); }
void Lua::push(void* pointer) { lua_pushlightuserdata(state_, pointer); }
