#include "host/commandes_apercu.h"

#include <cmath>
#include <climits>
#include <optional>
#include <string>

#include "host/blua.h"
#include "host/interface_lua.h"
#include "host/operations.h"
#include "host/sortie.h"
#include "tuiles/formats.h"

namespace {

// What a field must hold, as the refusal says it.
constexpr char const* nom_de_fichier = "un nom de fichier";
constexpr char const* nombre_entier = "un nombre entier";
constexpr char const* table_police = "une table { rom = ..., adresse = ..., premier = ... }";
constexpr char const* deux_pointeurs = "une table de deux numéros de pointeur { premier, dernier }";
constexpr char const* table_largeurs_rom = "une table { adresse = ..., premier = ... }";
constexpr char const* ordre_des_tuiles = "\"lignes\" ou \"colonnes\"";
// The sizes a format takes, as the refusal of another says it.
constexpr char const* taille_fixe = "12 x 12 seulement";
constexpr char const* taille_multiple_de_8 = "des multiples de 8 pixels, jusqu'à 1024";
constexpr char const* taille_libre = "de 1 à 1024 pixels de côté";

// The messages of a refused field for the command that reads it: apercu's own, which name it,
// or those of another command that draws as it does (commande: its name).
struct Refus {
    Message incorrect;
    Message inconnu;
    char const* commande;
};
constexpr Refus refus_apercu{Message::apercu_champ_incorrect, Message::apercu_champ_inconnu, nullptr};
constexpr Refus refus_epreuve{Message::epreuve_champ_incorrect, Message::commande_champ_inconnu, "epreuve"};

// Raw, so that no metatable of the user's runs in the middle of the check.
void lire_champ(lua_State* L, int table, char const* nom) {
    lua_pushstring(L, nom);
    lua_rawget(L, table);
}

bool refuser(Refus const& r, char const* champ, char const* attendu) {
    afficher(Rapport(r.incorrect, {champ, attendu}));
    return false;
}

// The table at `index` names no field but those of `connus`.
bool champs_connus(Refus const& r, lua_State* L, int index, std::initializer_list<char const*> connus, char const* prefixe) {
    lua_pushnil(L);
    while (lua_next(L, index) != 0) {
        lua_pop(L, 1);
        bool connu = false;
        std::string nom = "?";
        if (lua_type(L, -1) == LUA_TSTRING) {
            nom = lua_tostring(L, -1);
            for (char const* c : connus) connu = connu || nom == c;
        } else if (lua_type(L, -1) == LUA_TNUMBER) {
            // A copy: converting the key itself in place would derail lua_next.
            lua_pushvalue(L, -1);
            nom = lua_tostring(L, -1);
            lua_pop(L, 1);
        }
        if (!connu) {
            lua_pop(L, 1);
            afficher(r.commande != nullptr ? Rapport(r.inconnu, {r.commande, prefixe + nom})
                                         : Rapport(r.inconnu, {prefixe + nom}));
            return false;
        }
    }
    return true;
}

bool chaine(Refus const& r, lua_State* L, int table, char const* champ, char const* nom_affiche, std::string& valeur) {
    lire_champ(L, table, champ);
    bool const ok = lua_type(L, -1) == LUA_TSTRING;
    if (ok) valeur.assign(lua_tostring(L, -1), lua_objlen(L, -1));
    lua_pop(L, 1);
    // A name with a NUL byte would name another file than the one shown.
    if (!ok || valeur.empty() || valeur.find('\0') != std::string::npos) return refuser(r, nom_affiche, nom_de_fichier);
    return true;
}

bool entier(lua_State* L, int index, long long minimum, long long maximum, long long& valeur) {
    if (lua_type(L, index) != LUA_TNUMBER) return false;
    double const nombre = lua_tonumber(L, index);
    if (!(nombre == std::floor(nombre)) || nombre < static_cast<double>(minimum) || nombre > static_cast<double>(maximum))
        return false;
    valeur = static_cast<long long>(nombre);
    return true;
}

// An integer field; absent, it keeps `valeur` when `facultatif`.
bool champ_entier(Refus const& r, lua_State* L, int table, char const* champ, char const* nom_affiche, long long minimum,
                  long long maximum, bool facultatif, long long& valeur) {
    lire_champ(L, table, champ);
    bool const absent = lua_isnil(L, -1);
    bool const ok = (absent && facultatif) || (!absent && entier(L, -1, minimum, maximum, valeur));
    lua_pop(L, 1);
    return ok || refuser(r, nom_affiche, nombre_entier);
}

bool champ_int(Refus const& r, lua_State* L, int table, char const* champ, bool facultatif, int& valeur) {
    long long v = valeur;
    if (!champ_entier(r, L, table, champ, champ, INT_MIN, INT_MAX, facultatif, v)) return false;
    valeur = static_cast<int>(v);
    return true;
}

// A text field; absent, it keeps `valeur`.
bool champ_texte(lua_State* L, int table, char const* champ, std::string& valeur) {
    lire_champ(L, table, champ);
    bool const absent = lua_isnil(L, -1);
    bool const ok = absent || lua_type(L, -1) == LUA_TSTRING;
    if (ok && !absent) valeur.assign(lua_tostring(L, -1), lua_objlen(L, -1));
    lua_pop(L, 1);
    return ok;
}

// The glyphs' format (the 12 × 12 one-bit tiles when absent), their size (the format's
// default: 12 × 12, or 8 × 8 for the console formats), the order of their 8 × 8 tiles, the
// index of their blank pixels and the rows between two lines.
bool lire_forme(Refus const& r, lua_State* L, int police, Apercu::Forme& forme) {
    std::string nom = Tuiles::formats().front().nom;
    std::string const formats = "un nom de format : " + Tuiles::noms_des_formats();
    if (!champ_texte(L, police, "format", nom) || Tuiles::chercher_format(nom) == nullptr)
        return refuser(r, "police.format", formats.c_str());
    forme.format = Tuiles::chercher_format(nom);
    long long const cote = forme.format->cote_fixe != 0 ? forme.format->cote_fixe : 8;
    long long largeur = cote;
    long long hauteur = cote;
    long long fond = 0;
    long long interligne = 0;
    std::string ordre = "lignes";
    bool const ok = champ_entier(r, L, police, "largeur", "police.largeur", 1, Tuiles::cote_maximal, true, largeur) &&
                    champ_entier(r, L, police, "hauteur", "police.hauteur", 1, Tuiles::cote_maximal, true, hauteur) &&
                    champ_entier(r, L, police, "fond", "police.fond", 0, 255, true, fond) &&
                    champ_entier(r, L, police, "interligne", "police.interligne", 0, Tuiles::cote_maximal, true,
                                 interligne);
    if (!ok) return false;
    if (!champ_texte(L, police, "ordre", ordre) || (ordre != "lignes" && ordre != "colonnes"))
        return refuser(r, "police.ordre", ordre_des_tuiles);
    if (!Tuiles::accepte(*forme.format, static_cast<int>(largeur), static_cast<int>(hauteur))) {
        char const* const tailles = forme.format->cote_fixe != 0   ? taille_fixe
                                    : Tuiles::en_tuiles_8x8(*forme.format) ? taille_multiple_de_8
                                                                         : taille_libre;
        afficher(Rapport(Message::apercu_taille_glyphe, {forme.format->nom, largeur, hauteur, tailles}));
        return false;
    }
    forme.taille = Tuiles::Dimensions{static_cast<int>(largeur), static_cast<int>(hauteur),
                                      ordre == "lignes" ? Tuiles::Ordre::lignes : Tuiles::Ordre::colonnes};
    forme.fond = static_cast<int>(fond);
    forme.interligne = static_cast<int>(interligne);
    return true;
}

bool lire_police(Refus const& r, lua_State* L, int table, Operations::Demande_apercu& d) {
    lire_champ(L, table, "police");
    int const police = lua_gettop(L);
    bool ok = lua_istable(L, police) || refuser(r, "police", table_police);
    ok = ok && champs_connus(r, L, police,
                             {"rom", "adresse", "premier", "format", "largeur", "hauteur", "fond", "interligne", "ordre"},
                             "police.");
    ok = ok && chaine(r, L, police, "rom", "police.rom", d.rom);
    ok = ok && champ_entier(r, L, police, "adresse", "police.adresse", 0, (1LL << 53), false, d.adresse);
    long long premier = 0;
    ok = ok && champ_entier(r, L, police, "premier", "police.premier", INT_MIN, INT_MAX, true, premier);
    d.premier = static_cast<int>(premier);
    ok = ok && lire_forme(r, L, police, d.forme);
    lua_settop(L, police - 1);
    return ok;
}

// largeurs_rom = { adresse = ..., premier = ... }: a byte of width per code, in police.rom.
bool lire_largeurs_rom(Refus const& r, lua_State* L, int table, Operations::Demande_apercu& d) {
    lire_champ(L, table, "largeurs_rom");
    int const largeurs = lua_gettop(L);
    bool ok = true;
    if (!lua_isnil(L, largeurs)) {
        Apercu::Largeurs_rom l;
        long long premier = 0;
        ok = (lua_istable(L, largeurs) || refuser(r, "largeurs_rom", table_largeurs_rom)) &&
             champs_connus(r, L, largeurs, {"adresse", "premier"}, "largeurs_rom.") &&
             champ_entier(r, L, largeurs, "adresse", "largeurs_rom.adresse", 0, (1LL << 53), false, l.adresse) &&
             champ_entier(r, L, largeurs, "premier", "largeurs_rom.premier", 0, 255, true, premier);
        l.premier = static_cast<int>(premier);
        if (ok) d.largeurs_rom = l;
    }
    lua_settop(L, largeurs - 1);
    return ok;
}

bool lire_pointeurs(lua_State* L, int table, Apercu::Parametres& p) {
    lire_champ(L, table, "pointeurs");
    int const pointeurs = lua_gettop(L);
    bool ok = true;
    if (!lua_isnil(L, pointeurs)) {
        long long premier = 0;
        long long dernier = 0;
        ok = lua_istable(L, pointeurs) && lua_objlen(L, pointeurs) == 2;
        if (ok) {
            lua_rawgeti(L, pointeurs, 1);
            lua_rawgeti(L, pointeurs, 2);
            ok = entier(L, -2, INT_MIN, INT_MAX, premier) && entier(L, -1, INT_MIN, INT_MAX, dernier);
        }
        if (ok) {
            p.filtre = true;
            p.premier_pointeur = static_cast<int>(premier);
            p.dernier_pointeur = static_cast<int>(dernier);
        } else {
            refuser(refus_apercu, "pointeurs", deux_pointeurs);
        }
    }
    lua_settop(L, pointeurs - 1);
    return ok;
}

std::optional<Operations::Demande_apercu> lire_demande(Lua& lua) {
    lua_State* L = lua.state();
    if (lua.gettop() != 1 || !lua.istable(1)) {
        afficher(Rapport(Message::apercu_arguments));
        return std::nullopt;
    }
    Operations::Demande_apercu d;
    bool const ok =
        champs_connus(refus_apercu, L, 1,
                      {"script", "table", "police", "largeurs", "largeur", "lignes", "sortie", "par_page", "pointeurs",
                       "largeurs_rom"},
                      "") &&
        chaine(refus_apercu, L, 1, "script", "script", d.script) &&
        chaine(refus_apercu, L, 1, "table", "table", d.table) && lire_police(refus_apercu, L, 1, d) &&
        chaine(refus_apercu, L, 1, "largeurs", "largeurs", d.largeurs) &&
        champ_int(refus_apercu, L, 1, "largeur", false, d.parametres.largeur) &&
        champ_int(refus_apercu, L, 1, "lignes", false, d.parametres.lignes) &&
        chaine(refus_apercu, L, 1, "sortie", "sortie", d.sortie) &&
        champ_int(refus_apercu, L, 1, "par_page", true, d.parametres.par_page) && lire_pointeurs(L, 1, d.parametres) &&
        lire_largeurs_rom(refus_apercu, L, 1, d);
    if (!ok) return std::nullopt;
    return d;
}

void champ(lua_State* L, char const* nom, double valeur) {
    lua_pushnumber(L, valeur);
    lua_setfield(L, -2, nom);
}

}  // namespace

void pousser_apercu(lua_State* L, Apercu::Mise_en_page const& m) {
    lua_createtable(L, 0, 3);
    champ(L, "problemes", m.problemes);
    champ(L, "pages", static_cast<double>(m.pages.size()));
    lua_createtable(L, static_cast<int>(m.boites.size()), 0);
    for (std::size_t b = 0; b < m.boites.size(); ++b) {
        Apercu::Boite_placee const& boite = m.boites[b];
        lua_createtable(L, 0, 3);
        lua_createtable(L, static_cast<int>(boite.pointeurs.size()), 0);
        for (std::size_t k = 0; k < boite.pointeurs.size(); ++k) {
            lua_pushnumber(L, boite.pointeurs[k]);
            lua_rawseti(L, -2, static_cast<int>(k) + 1);
        }
        lua_setfield(L, -2, "pointeurs");
        champ(L, "page", boite.page);
        lua_createtable(L, static_cast<int>(boite.lignes.size()), 0);
        for (std::size_t l = 0; l < boite.lignes.size(); ++l) {
            Apercu::Ligne_placee const& ligne = boite.lignes[l];
            lua_createtable(L, 0, 4);
            champ(L, "x", ligne.x);
            champ(L, "y", ligne.y);
            champ(L, "largeur", static_cast<double>(ligne.largeur));
            lua_pushlstring(L, ligne.texte.data(), ligne.texte.size());
            lua_setfield(L, -2, "texte");
            lua_rawseti(L, -2, static_cast<int>(l) + 1);
        }
        lua_setfield(L, -2, "lignes");
        lua_rawseti(L, -2, static_cast<int>(b) + 1);
    }
    lua_setfield(L, -2, "boites");
}

namespace {

int apercu(Lua& lua) {
    std::optional<Operations::Demande_apercu> const demande = lire_demande(lua);
    if (!demande) return 0;
    afficher(Rapport(Message::apercu_debut, {demande->script.c_str()}));
    std::optional<Apercu::Mise_en_page> const m = Operations::apercu(*demande);
    afficher(Rapport(Message::apercu_fin));
    if (!m) return 0;
    lua_settop(lua.state(), 0);
    pousser_apercu(lua.state(), *m);
    return 1;
}

}  // namespace

bool lire_police_epreuve(lua_State* L, int table, Operations::Demande_apercu& demande) {
    return lire_police(refus_epreuve, L, table, demande) && lire_largeurs_rom(refus_epreuve, L, table, demande);
}

int lua_apercu(lua_State* state) { return proteger(state, apercu); }
