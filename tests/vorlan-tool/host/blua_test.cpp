#include "host/blua.h"

#include <cmath>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "lib/erreur.h"
#include "lib/string.h"

namespace {

// Runs a chunk in a state with the standard libraries and returns global `r` as text.
std::string evaluer(Lua& lua, char const* chunk) {
    lua.load(chunk);
    lua.call(0, 0);
    lua_getglobal(lua.state(), "r");
    char const* s = lua_tostring(lua.state(), -1);
    std::string result = s != nullptr ? s : "<nil>";
    lua_pop(lua.state(), 1);
    return result;
}

std::string message_de(Lua& lua, char const* chunk) {
    try {
        lua.load(chunk);
        lua.call(0, 0);
    } catch (lua_error_ const& e) {
        return e.read_error();
    }
    return "<pas d'erreur>";
}

TEST(Lua, FindsTheObjectOfItsState) {
    Lua lua;
    EXPECT_EQ(Lua::find(lua.state()), &lua);
    EXPECT_EQ(Lua::find(nullptr), nullptr);
}

TEST(Lua, SyntaxErrorNamesTheChunkInAndItsLine) {
    Lua lua;
    lua.open_alllib();
    EXPECT_EQ(message_de(lua, "x = = 1"), "[string \"in\"]:1: unexpected symbol near '='");
    EXPECT_EQ(message_de(lua, "a = 1\nb = ("), "[string \"in\"]:2: unexpected symbol near '<eof>'");
}

TEST(Lua, RunTimeErrorLeavesTheStateUsable) {
    Lua lua;
    lua.open_alllib();
    EXPECT_EQ(message_de(lua, "undefined_function()"),
              "[string \"in\"]:1: attempt to call global 'undefined_function' (a nil value)");
    EXPECT_EQ(lua_gettop(lua.state()), 0);
    EXPECT_EQ(evaluer(lua, "r = 1 + 1"), "2");
}

TEST(Lua, ErrorRaisedWithANonTextValueStillHasAMessage) {
    Lua lua;
    lua.open_alllib();
    EXPECT_EQ(message_de(lua, "error({})"), "(message d'erreur absent)");
}

TEST(Lua, UnreadableFileIsAnInterpreterError) {
    Lua lua;
    try {
        lua.loadfile("/nonexistent/vorlan-tool.lua");
        FAIL() << "no error";
    } catch (lua_error_ const& e) {
        EXPECT_EQ(std::string(e.read_error()), "cannot open /nonexistent/vorlan-tool.lua: No such file or directory");
    }
}

TEST(Lua, OpensTheFiveLibrariesButNotDebugNorPackage) {
    Lua lua;
    lua.open_alllib();
    EXPECT_EQ(evaluer(lua, "r = type(print)..type(io.write)..type(os.time)..type(math.floor)..type(string.format)..type(table.insert)"),
              "functionfunctionfunctionfunctionfunctionfunction");
    EXPECT_EQ(evaluer(lua, "r = type(debug)..type(package)..type(require)"), "nilnilnil");
}

TEST(Lua, StackTestsFollowTheInterpretersConversions) {
    Lua lua;
    lua_State* L = lua.state();
    lua_pushnumber(L, 12);
    lua_pushstring(L, "34");
    lua_pushstring(L, "abc");
    lua_pushboolean(L, 0);
    lua_pushnil(L);
    EXPECT_EQ(lua.gettop(), 5);
    EXPECT_TRUE(lua.isstring(1));   // a number passes the text test
    EXPECT_TRUE(lua.isnumber(2));   // a numeric text passes the number test
    EXPECT_FALSE(lua.isnumber(3));
    EXPECT_TRUE(lua.isboolean(4));
    EXPECT_FALSE(lua.isboolean(5));
    EXPECT_TRUE(lua.isnil(5));
    EXPECT_FALSE(lua.isnil(6));     // past the top: none, not nil
    EXPECT_FALSE(lua.isstring(6));
    EXPECT_FALSE(lua.isnumber(6));
    EXPECT_EQ(lua.tointeger(2), 34);
}

TEST(Lua, PushedStringsKeepEmbeddedBytes) {
    Lua lua;
    String s("a\xE9z");
    lua.push(s);
    lua.push(String());
    size_t len = 0;
    EXPECT_EQ(std::string(lua_tolstring(lua.state(), 1, &len)), "a\xE9z");
    EXPECT_EQ(std::string(lua.to_string(2)), "");
}

TEST(VersEntier, TruncatesTowardZeroAndWrapsModulo2To32) {
    struct Cas {
        double in;
        int out;
    } const cas[] = {
        {10.9, 10},
        {-10.9, -10},
        {2147483647.0, 2147483647},
        {2147483648.0, -2147483647 - 1},
        {4294967295.0, -1},
        {4294967296.0, 0},
        {4294967297.5, 1},
        {-2147483649.0, 2147483647},
        {-4294967296.0, 0},
        {1e300, 0},
        {std::numeric_limits<double>::infinity(), 0},
        {-std::numeric_limits<double>::infinity(), 0},
        {std::numeric_limits<double>::quiet_NaN(), 0},
    };
    for (auto const& c : cas) EXPECT_EQ(vers_entier(c.in), c.out) << c.in;
}

}  // namespace
