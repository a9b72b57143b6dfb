#pragma once
#include <map>

extern "C" {
#include <lua.h>
}

class String;

// One interpreter state, owned. Every interpreter failure (compile error, run-time error,
// unreadable file) is thrown as lua_error_ carrying the interpreter's own text.
class Lua {
public:
    Lua();
    ~Lua();
    Lua(Lua const&) = delete;
    Lua& operator=(Lua const&) = delete;

    // The interpreter calls a command with its raw state only: this maps it back.
    static std::map<lua_State*, Lua*> liste;
    static Lua* find(lua_State* state);

    void open_base();
    void open_io();  // with the operating-system functions
    void open_math();
    void open_string();
    void open_table();
    void open_alllib();

    int loadfile(char const* name);
    int load(String const& chunk);
    int load(char const* chunk);
    int call(int nargs, int nresults);

    void define(char const* name, lua_CFunction function);

    int gettop();
    int type(int i);
    bool isnil(int i);
    bool isnumber(int i);
    bool isboolean(int i);
    bool isstring(int i);
    bool istable(int i);
    bool isfunction(int i);
    bool iscfunction(int i);
    bool isuserdata(int i);
    bool islightuserdata(int i);
    bool toboolean(int i);
    double tonumber(int i);
    // The number as a signed 32-bit integer: truncated toward zero, then wrapped modulo 2^32;
    // NaN and infinities give 0.
    int tointeger(int i);
    char const* to_string(int i);
    lua_CFunction tocfunction(int i);
    void* touserdata(int i);

    void push();
    void push(bool value);
    void push(double value);
    void push(char const* text);
    void push(String const& text);
    void push(lua_CFunction function);
    void push(void* pointer);

    lua_State* state() const { return state_; }

private:
    void verifier(int status);
    lua_State* state_;
};

// The script function hex(value [, format]).
int hex(lua_State* state);

// A double as a signed 32-bit integer: truncated toward zero, wrapped modulo 2^32; NaN and infinities give 0.
int vers_entier(double value);
