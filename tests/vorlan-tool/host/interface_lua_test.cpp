#include "host/interface_lua.h"

#include <new>
#include <string>

#include <gtest/gtest.h>

#include "lib/erreur.h"
#include "support/capture.h"

namespace {

template <typename E>
int lancer(Lua&) {
    throw E("message sans fin de ligne");
}

int lancer_avec_fin(Lua&) { throw fseek_error("fseek_error : La position d'origine est incorrecte\n"); }
int lancer_bad_alloc(Lua&) { throw std::bad_alloc(); }

int pousser_un_resultat(Lua& lua) {
    lua.push(42.0);
    return 1;
}

TEST(Proteger, ReturnsTheBodysResultsWhenNothingIsThrown) {
    Lua lua;
    EXPECT_EQ(proteger(lua.state(), pousser_un_resultat), 1);
    EXPECT_EQ(lua.tonumber(-1), 42.0);
}

TEST(Proteger, PrintsEveryOwnErrorWithALineFeedAndReturnsNoResult) {
    Lua lua;
    int (*const corps[])(Lua&) = {lancer<fseek_error>, lancer<math_error>, lancer<erreur_nombre>,
                                  lancer<fopen_error>, lancer<lua_error_>};
    for (auto c : corps) {
        int resultats = -1;
        std::string out = test_support::capture_stdout([&] { resultats = proteger(lua.state(), c); });
        EXPECT_EQ(out, "message sans fin de ligne\n");
        EXPECT_EQ(resultats, 0);
    }
}

TEST(Proteger, KeepsAMessageThatEndsWithALineFeedAsItIs) {
    Lua lua;
    std::string out = test_support::capture_stdout([&] { proteger(lua.state(), lancer_avec_fin); });
    EXPECT_EQ(out, "fseek_error : La position d'origine est incorrecte\n");
}

TEST(Proteger, ReportsRunningOutOfMemory) {
    Lua lua;
    std::string out = test_support::capture_stdout([&] { EXPECT_EQ(proteger(lua.state(), lancer_bad_alloc), 0); });
    EXPECT_EQ(out, "Erreur, mémoire insuffisante\n");
}

TEST(Commandes, EveryRowOfTheTableBecomesAGlobalFunction) {
    Lua lua;
    declarer_fonctions(lua);
    for (Fonction_lua const* f = fonctions; f->fonction != nullptr; ++f) {
        lua_getglobal(lua.state(), f->nom);
        EXPECT_EQ(lua_tocfunction(lua.state(), -1), f->fonction) << f->nom;
        lua_pop(lua.state(), 1);
    }
}

}  // namespace
