#pragma once
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "host/blua.h"
#include "lib/rapport.h"

// The fields of a command's table argument, read raw (no metatable of the user's runs in the
// middle of the checks) and checked one by one; each refusal is printed with the field's place
// ("hit.bases") and the command's name, and returns false.
class Champs {
public:
    Champs(lua_State* L, int index, char const* commande, std::string lieu = "")
        : L_(L), index_(index), commande_(commande), lieu_(std::move(lieu)) {}

    // The field's place as messages name it.
    std::string nom(char const* champ) const { return lieu_.empty() ? champ : lieu_ + "." + champ; }
    char const* commande() const { return commande_; }
    lua_State* etat() const { return L_; }

    // The table holds no key but these.
    bool connus(std::initializer_list<char const*> champs) const;
    bool present(char const* champ) const;

    // A file name: a non-empty string without a NUL byte.
    bool nom_de_fichier(char const* champ, std::string& valeur) const;
    // Any string, its bytes as they are; absent, it keeps `valeur` unless `requis`.
    bool chaine(char const* champ, bool requis, std::string& valeur) const;
    // A whole number within the bounds; absent, it keeps `valeur` unless `requis`.
    bool entier(char const* champ, long long minimum, long long maximum, bool requis, long long& valeur) const;
    // true or false; absent, it keeps `valeur`.
    bool booleen(char const* champ, bool& valeur) const;
    // A list 1..n of whole numbers within the bounds, at least `au_moins` of them; absent, it
    // keeps `valeurs` unless `requis`.
    bool entiers(char const* champ, long long minimum, long long maximum, std::size_t au_moins, bool requis,
                 std::vector<long long>& valeurs) const;
    // A list 1..n of strings; absent, it keeps `valeurs`.
    bool chaines(char const* champ, std::vector<std::string>& valeurs) const;

    // Pushes the field's value and returns its index; the caller pops it.
    int pousser(char const* champ) const;
    bool refuser(Message message, std::vector<Argument> arguments) const;

private:
    lua_State* L_;
    int index_;
    char const* commande_;
    std::string lieu_;
};

// Puts the interpreter's stack back as it was, whichever way a check returns.
class Pile {
public:
    explicit Pile(lua_State* L) : L_(L), haut_(lua_gettop(L)) {}
    ~Pile() { lua_settop(L_, haut_); }
    Pile(Pile const&) = delete;
    Pile& operator=(Pile const&) = delete;

private:
    lua_State* L_;
    int haut_;
};

// The count of a table whose keys are exactly 1..n, no hole and no other key; nothing for any
// other value.
std::optional<std::size_t> sequence(lua_State* L, int index);

// A number with no fractional part, within the bounds; a text that reads as a number is not one.
bool entier_lua(lua_State* L, int index, long long minimum, long long maximum, long long& valeur);

// The command takes one table: "Erreur, COMMANDE prend une table d'arguments ...".
bool une_table(Lua& lua, char const* commande);
