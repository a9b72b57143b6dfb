#include "host/commandes_jeu.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "host/arguments.h"
#include "host/blua.h"
#include "host/champs.h"
#include "host/interface_lua.h"
#include "host/operations.h"
#include "host/profils.h"
#include "host/sortie.h"
#include "jeu/description.h"

namespace {

// Offsets, counts and steps: what the operations hold in an int.
constexpr long long int_max = INT32_MAX;
// A profile's shifts, as extraire takes them: any 32 bits, written signed or unsigned.
constexpr long long decalage_min = INT32_MIN;
constexpr long long decalage_max = UINT32_MAX;

bool refuser(Message message, std::vector<Argument> arguments) {
    afficher(Rapport(message, std::move(arguments)));
    return false;
}

std::string element(std::string const& lieu, std::size_t k) { return lieu + "[" + std::to_string(k) + "]"; }

// A table of the description or of the options, at its stack index, and the place the
// messages give it: "" for the description itself, "pointeurs[2]", "options".
struct Table {
    lua_State* L;
    int index;
    std::string lieu;

    std::string nom(std::string const& champ) const { return lieu.empty() ? champ : lieu + "." + champ; }
    // Raw, so that no metatable of the user's runs in the middle of the checks. The value
    // stays pushed; its index is returned.
    int lire(char const* champ) const {
        lua_pushstring(L, champ);
        lua_rawget(L, index);
        return lua_gettop(L);
    }
    bool a(char const* champ) const {
        Pile pile(L);
        return !lua_isnil(L, lire(champ));
    }
};

bool cle_connue(lua_State* L, std::initializer_list<char const*> connus) {
    if (lua_type(L, -1) != LUA_TSTRING) return false;
    std::size_t longueur = 0;
    char const* const cle = lua_tolstring(L, -1, &longueur);
    std::string const nom(cle, longueur);
    return std::any_of(connus.begin(), connus.end(), [&nom](char const* c) { return nom == c; });
}

// The key on top of the stack as a message names it: a string as it stands, a number as an
// index, anything else as "?".
std::string nom_de_cle(Table const& t) {
    lua_State* L = t.L;
    if (lua_type(L, -1) == LUA_TSTRING) {
        std::size_t longueur = 0;
        char const* const cle = lua_tolstring(L, -1, &longueur);
        return t.nom(std::string(cle, longueur));
    }
    if (lua_type(L, -1) != LUA_TNUMBER) return t.nom("?");
    // A copy: converting the key itself in place would derail lua_next.
    lua_pushvalue(L, -1);
    std::string const nombre = lua_tostring(L, -1);
    lua_pop(L, 1);
    return t.lieu + "[" + nombre + "]";
}

// The table names no field but those of `connus`; the first other key is refused with `inconnu`.
bool champs_connus(Table const& t, std::initializer_list<char const*> connus, Message inconnu) {
    lua_pushnil(t.L);
    while (lua_next(t.L, t.index) != 0) {
        lua_pop(t.L, 1);
        if (!cle_connue(t.L, connus)) {
            std::string const nom = nom_de_cle(t);
            lua_pop(t.L, 1);
            return refuser(inconnu, {nom});
        }
    }
    return true;
}

// A number with no fractional part, within the bounds; a text that reads as a number is not one.
bool entier(lua_State* L, int index, std::string const& nom, long long minimum, long long maximum, long long& valeur) {
    double const nombre = lua_type(L, index) == LUA_TNUMBER ? lua_tonumber(L, index) : NAN;
    if (!(nombre == std::floor(nombre) && nombre >= static_cast<double>(minimum) &&
          nombre <= static_cast<double>(maximum)))
        return refuser(Message::jeu_entier, {nom, minimum, maximum});
    valeur = static_cast<long long>(nombre);
    return true;
}

// A string with no NUL byte, which would cut short the name or the formula it is used as.
bool texte(lua_State* L, int index, std::string& valeur) {
    if (lua_type(L, index) != LUA_TSTRING) return false;
    std::size_t longueur = 0;
    char const* const octets = lua_tolstring(L, index, &longueur);
    if (std::memchr(octets, '\0', longueur) != nullptr) return false;
    valeur.assign(octets, longueur);
    return true;
}

// An integer field; absent, it keeps `valeur`, or is refused when `requis`.
bool champ_entier(Table const& t, char const* champ, long long minimum, long long maximum, bool requis,
                  long long& valeur) {
    Pile pile(t.L);
    int const v = t.lire(champ);
    if (lua_isnil(t.L, v)) return !requis || refuser(Message::jeu_champ_absent, {t.nom(champ)});
    return entier(t.L, v, t.nom(champ), minimum, maximum, valeur);
}

// A boolean field; absent, it keeps `valeur`.
bool champ_booleen(Table const& t, char const* champ, Message incorrect, bool& valeur) {
    Pile pile(t.L);
    int const v = t.lire(champ);
    if (lua_isnil(t.L, v)) return true;
    if (!lua_isboolean(t.L, v)) return refuser(incorrect, {t.nom(champ)});
    valeur = lua_toboolean(t.L, v) != 0;
    return true;
}

bool champ_nom_de_fichier(Table const& t, char const* champ, std::string& valeur) {
    Pile pile(t.L);
    int const v = t.lire(champ);
    if (lua_isnil(t.L, v)) return refuser(Message::jeu_champ_absent, {t.nom(champ)});
    if (!texte(t.L, v, valeur) || valeur.empty()) return refuser(Message::jeu_nom_de_fichier, {t.nom(champ)});
    return true;
}

// A formula field; absent, it keeps `valeur`.
bool champ_formule(Table const& t, char const* champ, std::string& valeur) {
    Pile pile(t.L);
    int const v = t.lire(champ);
    return lua_isnil(t.L, v) || texte(t.L, v, valeur) || refuser(Message::jeu_formule, {t.nom(champ)});
}

bool plage(lua_State* L, int index, std::string const& nom, Jeu::Plage& p) {
    if (sequence(L, index) != std::size_t{2}) return refuser(Message::jeu_plage, {nom});
    Pile pile(L);
    lua_rawgeti(L, index, 1);
    lua_rawgeti(L, index, 2);
    return entier(L, -2, element(nom, 1), 0, int_max, p.debut) && entier(L, -1, element(nom, 2), 0, int_max, p.fin);
}

// A range of textes: { debut, fin } and, for strings that carry their length, its size in
// `longueur` (1 or 2) and its byte order in `ordre` (true, little-endian, by default).
bool plage_de_textes(lua_State* L, int index, std::string const& nom, Jeu::Plage& p) {
    if (!lua_istable(L, index)) return refuser(Message::jeu_plage, {nom});
    Table const t{L, index, nom};
    lua_pushnil(L);
    while (lua_next(L, index) != 0) {
        lua_pop(L, 1);
        bool const rang = lua_type(L, -1) == LUA_TNUMBER && (lua_tonumber(L, -1) == 1 || lua_tonumber(L, -1) == 2);
        if (rang || cle_connue(L, {"longueur", "ordre"})) continue;
        bool const nomme = lua_type(L, -1) == LUA_TSTRING;
        std::string const cle = nom_de_cle(t);
        lua_pop(L, 1);
        return nomme ? refuser(Message::jeu_champ_inconnu, {cle}) : refuser(Message::jeu_plage, {nom});
    }
    Pile pile(L);
    lua_rawgeti(L, index, 1);
    lua_rawgeti(L, index, 2);
    if (lua_isnil(L, -2) || lua_isnil(L, -1)) return refuser(Message::jeu_plage, {nom});
    if (!entier(L, -2, element(nom, 1), 0, int_max, p.debut) || !entier(L, -1, element(nom, 2), 0, int_max, p.fin))
        return false;
    if (t.a("ordre") && !t.a("longueur"))
        return refuser(Message::jeu_champ_sans_compagnon, {t.nom("ordre"), t.nom("longueur")});
    long long longueur = 0;
    bool petit_boutiste = true;
    if (!champ_entier(t, "longueur", 1, 2, false, longueur) ||
        !champ_booleen(t, "ordre", Message::jeu_booleen, petit_boutiste))
        return false;
    p.longueur = static_cast<int>(longueur);
    p.ordre = ordre_octets(petit_boutiste);
    return true;
}

// A non-empty list of ranges; absent, it keeps `plages`, or is refused when `requis`. Only the
// ranges of textes may hold strings that carry their length.
bool champ_plages(Table const& t, char const* champ, bool requis, std::vector<Jeu::Plage>& plages) {
    Pile pile(t.L);
    int const v = t.lire(champ);
    if (lua_isnil(t.L, v)) return !requis || refuser(Message::jeu_champ_absent, {t.nom(champ)});
    std::optional<std::size_t> const n = sequence(t.L, v);
    if (!n || *n == 0) return refuser(Message::jeu_plages, {t.nom(champ)});
    std::vector<Jeu::Plage> lues(*n);
    for (std::size_t k = 0; k < lues.size(); ++k) {
        Pile element_lu(t.L);
        lua_rawgeti(t.L, v, static_cast<int>(k) + 1);
        bool const textes = std::strcmp(champ, "textes") == 0;
        auto const lire = textes ? plage_de_textes : plage;
        if (!lire(t.L, lua_gettop(t.L), element(t.nom(champ), k + 1), lues[k])) return false;
    }
    plages = std::move(lues);
    return true;
}

// A list of 1 to `plus_longue` offsets, refused with `incorrect` when it is not a list of that length.
bool champ_positions(Table const& t, char const* champ, std::size_t plus_longue, Message incorrect,
                     std::vector<long long>& positions) {
    Pile pile(t.L);
    int const v = t.lire(champ);
    std::optional<std::size_t> const n = sequence(t.L, v);
    if (!n || *n == 0 || *n > plus_longue) return refuser(incorrect, {t.nom(champ)});
    positions.assign(*n, 0);
    for (std::size_t k = 0; k < positions.size(); ++k) {
        Pile element_lu(t.L);
        lua_rawgeti(t.L, v, static_cast<int>(k) + 1);
        if (!entier(t.L, -1, element(t.nom(champ), k + 1), 0, int_max, positions[k])) return false;
    }
    return true;
}

bool lire_disposition(Table const& t, int numero, Jeu::Groupe& g) {
    if (t.a("adresse") + t.a("octets") + t.a("liste") != 1) return refuser(Message::jeu_disposition, {numero});
    if (t.a("adresse")) {
        g.disposition = Jeu::Disposition::suite;
        return champ_entier(t, "adresse", 0, int_max, true, g.adresse);
    }
    if (t.a("octets")) {
        g.disposition = Jeu::Disposition::eclate;
        return champ_positions(t, "octets", 4, Message::jeu_octets, g.octets);
    }
    g.disposition = Jeu::Disposition::liste;
    return champ_positions(t, "liste", int_max, Message::jeu_positions, g.liste);
}

// Required beside adresse and octets; beside liste, it may only repeat the list's length.
bool lire_nombre(Table const& t, Jeu::Groupe& g) {
    bool const liste = g.disposition == Jeu::Disposition::liste;
    long long nombre = liste ? static_cast<long long>(g.liste.size()) : 0;
    long long const de_la_liste = nombre;
    if (!champ_entier(t, "nombre", 0, int_max, !liste, nombre)) return false;
    if (liste && nombre != de_la_liste)
        return refuser(Message::jeu_nombre_de_la_liste, {t.nom("nombre"), de_la_liste, t.nom("liste")});
    g.nombre = static_cast<int>(nombre);
    return true;
}

bool champ_profil(Table const& t, Profils_ext_ins const*& profil) {
    Pile pile(t.L);
    std::string nom;
    if (!texte(t.L, t.lire("profil"), nom)) return refuser(Message::jeu_profil, {t.nom("profil")});
    int const k = chercher_profil(nom.c_str());
    if (k == -1) return refuser(Message::jeu_profil_inconnu, {t.nom("profil"), nom});
    profil = &tbl_profils[k];
    return true;
}

// The profile gives the size, the byte order and both formulas; plus and moins shift the
// offsets: appended to the extraction formula as extraire appends them, undone before the
// insertion formula.
bool lire_profil(Table const& t, Jeu::Groupe& g) {
    Profils_ext_ins const* profil = nullptr;
    if (!champ_profil(t, profil)) return false;
    for (char const* exclu : {"taille", "ordre", "formule_ext", "formule_ins"})
        if (t.a(exclu)) return refuser(Message::jeu_champs_exclusifs, {t.nom(exclu), t.nom("profil")});
    long long plus = 0;
    long long moins = 0;
    if (!champ_entier(t, "plus", decalage_min, decalage_max, false, plus) ||
        !champ_entier(t, "moins", decalage_min, decalage_max, false, moins))
        return false;
    g.taille = profil->lire_taille();
    g.ordre = ordre_octets(profil->lire_ordre());
    if (g.disposition == Jeu::Disposition::eclate && g.octets.size() != static_cast<std::size_t>(g.taille))
        return refuser(Message::jeu_octets_du_profil, {t.nom("octets"), g.taille, profil->lire_nom().data()});
    // Their 32 bits, as extraire reads them: -1 and $FFFFFFFF are the same shift both ways.
    int const plus_32 = vers_entier(static_cast<double>(plus));
    int const moins_32 = vers_entier(static_cast<double>(moins));
    g.formule_ext = std::string(profil->lire_formule_ext().data()) + montants_de_profil(plus_32, moins_32).data();
    g.formule_ins = profil->lire_formule_ins().data();
    g.decalage_ins = static_cast<long long>(moins_32) - plus_32;
    return true;
}

// A split group's size is its count of byte bases; any other group's is given, 2 by default.
bool lire_taille(Table const& t, Jeu::Groupe& g) {
    if (g.disposition == Jeu::Disposition::eclate) {
        if (t.a("taille")) return refuser(Message::jeu_champs_exclusifs, {t.nom("taille"), t.nom("octets")});
        g.taille = static_cast<int>(g.octets.size());
        return true;
    }
    long long taille = 2;
    if (!champ_entier(t, "taille", 1, 4, false, taille)) return false;
    g.taille = static_cast<int>(taille);
    return true;
}

// Without a profile: the size and the byte order, and both formulas or neither ("X" both ways).
bool lire_formules(Table const& t, Jeu::Groupe& g) {
    for (char const* decalage : {"plus", "moins"})
        if (t.a(decalage)) return refuser(Message::jeu_champ_sans_compagnon, {t.nom(decalage), t.nom("profil")});
    bool petit_boutiste = true;
    if (!lire_taille(t, g) || !champ_booleen(t, "ordre", Message::jeu_booleen, petit_boutiste)) return false;
    g.ordre = ordre_octets(petit_boutiste);
    bool const ext = t.a("formule_ext");
    if (ext != t.a("formule_ins")) {
        char const* const donnee = ext ? "formule_ext" : "formule_ins";
        char const* const absente = ext ? "formule_ins" : "formule_ext";
        return refuser(Message::jeu_champ_sans_compagnon, {t.nom(donnee), t.nom(absente)});
    }
    return champ_formule(t, "formule_ext", g.formule_ext) && champ_formule(t, "formule_ins", g.formule_ins);
}

// Slots follow each other by default: the size for a run of whole slots, 1 for split bytes.
bool lire_pas(Table const& t, Jeu::Groupe& g) {
    if (g.disposition == Jeu::Disposition::liste)
        return !t.a("pas") || refuser(Message::jeu_champs_exclusifs, {t.nom("pas"), t.nom("liste")});
    long long pas = g.disposition == Jeu::Disposition::suite ? g.taille : 1;
    if (!champ_entier(t, "pas", 1, int_max, false, pas)) return false;
    g.pas = pas;
    return true;
}

bool lire_groupe(lua_State* L, int index, int numero, Jeu::Groupe& g) {
    Table const t{L, index, element("pointeurs", static_cast<std::size_t>(numero))};
    if (!lua_istable(L, index)) return refuser(Message::jeu_groupe, {t.lieu});
    if (!champs_connus(t,
                       {"adresse", "octets", "liste", "nombre", "taille", "pas", "ordre", "profil", "plus", "moins",
                        "formule_ext", "formule_ins", "debut_texte"},
                       Message::jeu_champ_inconnu) ||
        !lire_disposition(t, numero, g) || !lire_nombre(t, g))
        return false;
    bool const codage = t.a("profil") ? lire_profil(t, g) : lire_formules(t, g);
    return codage && lire_pas(t, g) && champ_booleen(t, "debut_texte", Message::jeu_booleen, g.debut_texte);
}

// Hexadecimal digits, two per byte, one byte at least.
bool champ_code(Table const& t, std::vector<unsigned char>& code) {
    Pile pile(t.L);
    int const v = t.lire("code");
    if (lua_isnil(t.L, v)) return refuser(Message::jeu_champ_absent, {t.nom("code")});
    std::string chiffres;
    auto const hexa = [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; };
    if (!texte(t.L, v, chiffres) || chiffres.empty() || chiffres.size() % 2 != 0 ||
        !std::all_of(chiffres.begin(), chiffres.end(), hexa))
        return refuser(Message::jeu_code_integre, {t.nom("code")});
    code.clear();
    for (std::size_t k = 0; k < chiffres.size(); k += 2)
        code.push_back(static_cast<unsigned char>(std::stoi(chiffres.substr(k, 2), nullptr, 16)));
    return true;
}

// A code whose parameters hold a pointer: its size, order and formulas read as a group's are.
bool lire_integre(lua_State* L, int index, std::size_t numero, Jeu::Integre& integre) {
    Table const t{L, index, element("integres", numero)};
    if (!lua_istable(L, index)) return refuser(Message::jeu_integre, {t.lieu});
    long long position = 0;
    Jeu::Groupe codage;
    if (!champs_connus(t,
                       {"code", "taille", "position", "ordre", "profil", "plus", "moins", "formule_ext",
                        "formule_ins"},
                       Message::jeu_champ_inconnu) ||
        !champ_code(t, integre.code) || !champ_entier(t, "position", 0, int_max, false, position))
        return false;
    if (!(t.a("profil") ? lire_profil(t, codage) : lire_formules(t, codage))) return false;
    integre.position = static_cast<int>(position);
    integre.taille = codage.taille;
    integre.ordre = codage.ordre;
    integre.formule_ext = codage.formule_ext;
    integre.formule_ins = codage.formule_ins;
    integre.decalage_ins = codage.decalage_ins;
    return true;
}

bool lire_integres(Table const& t, std::vector<Jeu::Integre>& integres) {
    Pile pile(t.L);
    int const v = t.lire("integres");
    if (lua_isnil(t.L, v)) return true;
    std::optional<std::size_t> const n = sequence(t.L, v);
    if (!n || *n > static_cast<std::size_t>(int_max)) return refuser(Message::jeu_integres, {t.nom("integres")});
    integres.assign(*n, Jeu::Integre{});
    for (std::size_t k = 0; k < integres.size(); ++k) {
        Pile integre(t.L);
        lua_rawgeti(t.L, v, static_cast<int>(k) + 1);
        if (!lire_integre(t.L, lua_gettop(t.L), k + 1, integres[k])) return false;
    }
    return true;
}

// No pointers at all is a game whose text none designates.
bool lire_groupes(Table const& t, std::vector<Jeu::Groupe>& groupes) {
    Pile pile(t.L);
    int const v = t.lire("pointeurs");
    if (lua_isnil(t.L, v)) return true;
    std::optional<std::size_t> const n = sequence(t.L, v);
    if (!n || *n > static_cast<std::size_t>(int_max)) return refuser(Message::jeu_groupes, {t.nom("pointeurs")});
    groupes.assign(*n, Jeu::Groupe{});
    for (std::size_t k = 0; k < groupes.size(); ++k) {
        Pile groupe(t.L);
        lua_rawgeti(t.L, v, static_cast<int>(k) + 1);
        if (!lire_groupe(t.L, lua_gettop(t.L), static_cast<int>(k) + 1, groupes[k])) return false;
    }
    return true;
}

// The description at `index`, every field checked; nothing once a refusal is printed.
std::optional<Jeu::Description> lire_description(lua_State* L, int index) {
    Table const t{L, index, ""};
    Jeu::Description jeu;
    std::initializer_list<char const*> const champs = {"rom",         "table",     "textes",  "espace",
                                                       "remplissage", "pointeurs", "integres"};
    if (!champs_connus(t, champs, Message::jeu_champ_inconnu) || !champ_nom_de_fichier(t, "rom", jeu.rom) ||
        !champ_nom_de_fichier(t, "table", jeu.table) || !champ_plages(t, "textes", true, jeu.textes))
        return std::nullopt;
    // The room defaults to where the game's own text was, its bytes whatever their strings.
    for (Jeu::Plage const& p : jeu.textes) jeu.espace.push_back({p.debut, p.fin});
    long long remplissage = 0;
    if (!champ_plages(t, "espace", false, jeu.espace) || !champ_entier(t, "remplissage", 0, 255, false, remplissage) ||
        !lire_groupes(t, jeu.groupes) || !lire_integres(t, jeu.integres))
        return std::nullopt;
    jeu.remplissage = static_cast<unsigned char>(remplissage);
    return jeu;
}

bool champ_placement(Table const& t, Jeu::Mode_placement& placement) {
    Pile pile(t.L);
    int const v = t.lire("placement");
    if (lua_isnil(t.L, v)) return true;
    std::string mode;
    if (texte(t.L, v, mode) && (mode == "ordre" || mode == "compact")) {
        placement = mode == "ordre" ? Jeu::Mode_placement::ordre : Jeu::Mode_placement::compact;
        return true;
    }
    return refuser(Message::jeu_option_placement, {});
}

bool champ_encodage(Table const& t, Jeu::Encodage_texte& encodage) {
    Pile pile(t.L);
    int const v = t.lire("encodage");
    if (lua_isnil(t.L, v)) return true;
    std::string mode;
    if (texte(t.L, v, mode) && (mode == "long" || mode == "court")) {
        encodage = mode == "long" ? Jeu::Encodage_texte::long_ : Jeu::Encodage_texte::court;
        return true;
    }
    return refuser(Message::jeu_option_encodage, {});
}

// The options at `index`, each checked; absent or nil, the defaults.
std::optional<Jeu::Options_insertion> lire_options(lua_State* L, int index) {
    Jeu::Options_insertion options;
    if (lua_isnoneornil(L, index)) return options;
    Table const t{L, index, "options"};
    std::initializer_list<char const*> const champs = {"placement", "fusionner", "partiel", "simulation", "encodage"};
    bool const ok = champs_connus(t, champs, Message::jeu_option_inconnue) && champ_placement(t, options.placement) &&
                    champ_encodage(t, options.encodage) &&
                    champ_booleen(t, "fusionner", Message::jeu_option_booleen, options.fusionner) &&
                    champ_booleen(t, "partiel", Message::jeu_option_booleen, options.partiel) &&
                    champ_booleen(t, "simulation", Message::jeu_option_booleen, options.simulation);
    if (!ok) return std::nullopt;
    return options;
}

// The count, then each argument's type, before what the tables hold.
bool verifier_arguments(Lua& lua, char const* commande, int plus_grand_nombre) {
    int const n = lua.gettop();
    if (n < 2 || n > plus_grand_nombre) return refuser(Message::nombre_d_arguments_incorrect, {commande});
    if (!lua.istable(1)) return refuser(Message::argument_incorrect, {1});
    if (!verifier_chaines(lua, 2, 2)) return false;
    return n < 3 || lua.istable(3) || lua.isnil(3) || refuser(Message::argument_incorrect, {3});
}

int extraire_jeu(Lua& lua) {
    if (!verifier_arguments(lua, "extraire_jeu", 2)) return 0;
    std::optional<Jeu::Description> const jeu = lire_description(lua.state(), 1);
    if (!jeu) return 0;
    std::string const script = lua.to_string(2);
    afficher(Rapport(Message::extraction_debut, {script, jeu->rom}));
    Operations::extraire_jeu(*jeu, script.c_str());
    afficher(Rapport(Message::extraction_fin));
    return 0;
}

void champ(lua_State* L, char const* nom, long long valeur) {
    lua_pushnumber(L, static_cast<double>(valeur));
    lua_setfield(L, -2, nom);
}

void pousser_blocs(lua_State* L, std::vector<Jeu::Bilan::Bloc> const& blocs) {
    lua_createtable(L, static_cast<int>(blocs.size()), 0);
    for (std::size_t k = 0; k < blocs.size(); ++k) {
        lua_createtable(L, 0, 4);
        champ(L, "debut", blocs[k].debut);
        champ(L, "fin", blocs[k].fin);
        champ(L, "utilise", blocs[k].utilise);
        champ(L, "libre", blocs[k].libre);
        lua_rawseti(L, -2, static_cast<int>(k) + 1);
    }
}

void pousser_manquants(lua_State* L, std::vector<Jeu::Bilan::Manquant> const& manquants) {
    lua_createtable(L, static_cast<int>(manquants.size()), 0);
    for (std::size_t k = 0; k < manquants.size(); ++k) {
        std::vector<int> const& pointeurs = manquants[k].pointeurs;
        lua_createtable(L, 0, 2);
        lua_createtable(L, static_cast<int>(pointeurs.size()), 0);
        for (std::size_t p = 0; p < pointeurs.size(); ++p) {
            lua_pushnumber(L, pointeurs[p]);
            lua_rawseti(L, -2, static_cast<int>(p) + 1);
        }
        lua_setfield(L, -2, "pointeurs");
        champ(L, "taille", manquants[k].taille);
        lua_rawseti(L, -2, static_cast<int>(k) + 1);
    }
}

void pousser_bilan(lua_State* L, Jeu::Bilan const& bilan) {
    lua_createtable(L, 0, 3);
    lua_pushboolean(L, bilan.ecrit ? 1 : 0);
    lua_setfield(L, -2, "ecrit");
    pousser_blocs(L, bilan.blocs);
    lua_setfield(L, -2, "blocs");
    pousser_manquants(L, bilan.manquants);
    lua_setfield(L, -2, "manquants");
}

int inserer_jeu(Lua& lua) {
    if (!verifier_arguments(lua, "inserer_jeu", 3)) return 0;
    lua_State* L = lua.state();
    std::optional<Jeu::Description> const jeu = lire_description(L, 1);
    if (!jeu) return 0;
    std::optional<Jeu::Options_insertion> const options = lire_options(L, 3);
    if (!options) return 0;
    // The shortest encoding does not read the references of embedded pointers.
    if (options->encodage == Jeu::Encodage_texte::court && !jeu->integres.empty()) {
        refuser(Message::jeu_court_et_integres, {});
        return 0;
    }
    std::string const script = lua.to_string(2);
    // A simulation is framed as the insertion it stands for, as simuler_inserer is.
    afficher(Rapport(Message::insertion_debut, {script, jeu->rom}));
    std::optional<Jeu::Bilan> const bilan = Operations::inserer_jeu(*jeu, script.c_str(), *options);
    afficher(Rapport(Message::insertion_fin));
    if (!bilan) return 0;
    lua_settop(L, 0);
    pousser_bilan(L, *bilan);
    return 1;
}

}  // namespace

int lua_extraire_jeu(lua_State* state) { return proteger(state, extraire_jeu); }

int lua_inserer_jeu(lua_State* state) { return proteger(state, inserer_jeu); }
