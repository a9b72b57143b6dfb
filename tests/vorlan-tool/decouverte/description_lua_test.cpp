#include "decouverte/description-lua.h"

#include <gtest/gtest.h>

#include <string>

extern "C" {
#include <lauxlib.h>
#include <lua.h>
#include <lualib.h>
}

namespace {

TEST(DescriptionLua, AGameIsWrittenAsTheLuaThatReturnsIt) {
    Jeu::Description jeu;
    jeu.rom = "jeu.sfc";
    jeu.table = "jeu.tbl";
    jeu.textes = {{0x10000, 0x17FFF}, {0x20000, 0x2001F}};
    Jeu::Groupe suite;
    suite.adresse = 0x8000;
    suite.nombre = 120;
    suite.taille = 3;
    suite.pas = 4;
    suite.formule_ext = "(X/$10000)*$8000+X%$8000";
    suite.formule_ins = "((X/$8000)*$10000)+(X%$8000)+$8000";
    Jeu::Groupe eclate;
    eclate.disposition = Jeu::Disposition::eclate;
    eclate.octets = {0x1000, 0x1100};
    eclate.nombre = 16;
    eclate.taille = 2;
    eclate.pas = 1;
    eclate.ordre = Ordre_octets::grand_boutiste;
    eclate.formule_ext = "X+P";
    eclate.formule_ins = "X-P";
    jeu.groupes = {suite, eclate};
    EXPECT_EQ(Decouverte::description_lua(jeu),
              "return {\n"
              "  rom = \"jeu.sfc\",\n"
              "  table = \"jeu.tbl\",\n"
              "  textes = {\n"
              "    { 0x10000, 0x17FFF },\n"
              "    { 0x20000, 0x2001F },\n"
              "  },\n"
              "  pointeurs = {\n"
              "    { adresse = 0x8000, nombre = 120, taille = 3, pas = 4, ordre = true, "
              "formule_ext = \"(X/$10000)*$8000+X%$8000\", formule_ins = \"((X/$8000)*$10000)+(X%$8000)+$8000\" },\n"
              "    { octets = { 0x1000, 0x1100 }, nombre = 16, pas = 1, ordre = false, formule_ext = \"X+P\", "
              "formule_ins = \"X-P\" },\n"
              "  },\n"
              "}\n");
}

TEST(DescriptionLua, EveryByteOfANameComesBackFromTheInterpreter) {
    std::string nom;
    for (int c = 1; c < 256; ++c) nom += static_cast<char>(c);
    nom += std::string("\0" "7", 2);  // a digit after an escaped byte stays a digit
    lua_State* L = luaL_newstate();
    std::string const code = "return " + Decouverte::chaine_lua(nom);
    ASSERT_EQ(luaL_loadbuffer(L, code.data(), code.size(), "nom"), 0);
    ASSERT_EQ(lua_pcall(L, 0, 1, 0), 0);
    std::size_t longueur = 0;
    char const* lu = lua_tolstring(L, -1, &longueur);
    EXPECT_EQ(std::string(lu, longueur), nom);
    lua_close(L);
}

}  // namespace
