#include "host/commandes_decouverte.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

extern "C" {
#include <lauxlib.h>
}

#include "host/champs.h"
#include "host/interface_lua.h"
#include "host/operations_decouverte.h"
#include "host/sortie.h"

namespace {

// Offsets, counts and distances: what the operations hold in an int, as game layouts do.
constexpr long long int_max = INT32_MAX;
// Offsets of a ROM read whole.
constexpr long long adresse_max = 1LL << 53;

bool lire_ordre(Champs const& c, Ordre_octets& ordre) {
    std::string texte = ordre == Ordre_octets::petit_boutiste ? "le" : "be";
    if (!c.chaine("ordre", false, texte)) return false;
    if (texte != "le" && texte != "be") return c.refuser(Message::commande_ordre, {c.nom("ordre"), c.commande()});
    ordre = texte == "le" ? Ordre_octets::petit_boutiste : Ordre_octets::grand_boutiste;
    return true;
}

bool lire_largeur(Champs const& c, int& largeur) {
    long long l = largeur;
    if (!c.entier("largeur", 1, 2, false, l)) return false;
    largeur = static_cast<int>(l);
    return true;
}

// The phrase and how it is searched: texte (or, for chercher_relatif, valeurs), joker,
// alphabets, largeur and ordre.
bool lire_motif(Champs const& c, bool valeurs_permises, std::string& texte, Decouverte::Motif& motif,
                Decouverte::Recherche& recherche) {
    std::vector<long long> valeurs;
    bool const par_valeurs = valeurs_permises && c.present("valeurs");
    if (valeurs_permises && par_valeurs == c.present("texte")) return c.refuser(Message::commande_texte_ou_valeurs, {});
    std::string joker = "*";
    std::vector<std::string> alphabets;
    if (!lire_largeur(c, recherche.largeur) || !lire_ordre(c, recherche.ordre)) return false;
    std::variant<Decouverte::Motif, Decouverte::Motif_refuse> lu = Decouverte::Motif_refuse::vide;
    if (par_valeurs) {
        if (!c.entiers("valeurs", -Decouverte::valeur_max, Decouverte::valeur_max, 2, true, valeurs)) return false;
        lu = Decouverte::motif_de_valeurs(valeurs);
    } else {
        if (!c.chaine("texte", true, texte) || !c.chaine("joker", false, joker) || !c.chaines("alphabets", alphabets))
            return false;
        lu = Decouverte::lire_motif(texte, joker, alphabets);
    }
    if (auto const* refus = std::get_if<Decouverte::Motif_refuse>(&lu)) {
        switch (*refus) {
        case Decouverte::Motif_refuse::vide:
            return c.refuser(Message::motif_vide, {});
        case Decouverte::Motif_refuse::sans_difference:
            return c.refuser(Message::motif_sans_difference, {texte});
        case Decouverte::Motif_refuse::joker_incorrect:
            return c.refuser(Message::commande_joker, {c.nom("joker"), c.commande()});
        case Decouverte::Motif_refuse::valeur_hors_limites:
            return c.refuser(Message::commande_entiers, {c.nom("valeurs"), c.commande(), 2LL,
                                                         -Decouverte::valeur_max, Decouverte::valeur_max});
        }
    }
    motif = std::get<Decouverte::Motif>(std::move(lu));
    return true;
}

// An end code: a number of one byte, or "$" and pairs of hex digits.
std::optional<std::vector<unsigned char>> code_de_fin(lua_State* L, int index) {
    long long nombre = 0;
    if (lua_type(L, index) == LUA_TNUMBER) {
        if (!entier_lua(L, index, 0, 255, nombre)) return std::nullopt;
        return std::vector<unsigned char>{static_cast<unsigned char>(nombre)};
    }
    std::string const texte(lua_tostring(L, index), lua_objlen(L, index));
    std::size_t const chiffres = texte.size() - 1;
    if (texte.size() < 3 || texte[0] != '$' || chiffres % 2 != 0 || chiffres > 8 ||
        texte.find_first_not_of("0123456789abcdefABCDEF", 1) != std::string::npos)
        return std::nullopt;
    std::vector<unsigned char> octets;
    for (std::size_t k = 1; k < texte.size(); k += 2)
        octets.push_back(static_cast<unsigned char>(std::stoi(texte.substr(k, 2), nullptr, 16)));
    return octets;
}

// The ends of strings: codes, or (when `textes`) the texts of table entries.
bool lire_fins(Champs const& c, bool textes, std::vector<Operations::Fin_donnee>& fins) {
    lua_State* L = c.etat();
    Pile pile(L);
    int const v = c.pousser("fins");
    if (lua_isnil(L, v)) return c.refuser(Message::commande_champ_absent, {c.nom("fins"), c.commande()});
    std::optional<std::size_t> const n = sequence(L, v);
    bool ok = n && *n > 0;
    for (std::size_t k = 0; ok && k < *n; ++k) {
        lua_rawgeti(L, v, static_cast<int>(k) + 1);
        int const type = lua_type(L, -1);
        std::optional<std::vector<unsigned char>> code;
        if (type == LUA_TNUMBER || type == LUA_TSTRING) code = code_de_fin(L, -1);
        if (code) {
            fins.emplace_back(std::move(*code));
        } else if (textes && type == LUA_TSTRING && lua_objlen(L, -1) > 0) {
            // A text made like a code ("$FF") is the code: "$" starts no text a table file gives.
            std::string const texte(lua_tostring(L, -1), lua_objlen(L, -1));
            ok = texte[0] != '$';
            fins.emplace_back(texte);
        } else {
            ok = false;
        }
        lua_pop(L, 1);
    }
    return ok || c.refuser(Message::commande_fins, {c.nom("fins"), c.commande()});
}

// ecart: a number or a list of numbers.
bool lire_ecarts(Champs const& c, std::vector<long long>& ecarts) {
    lua_State* L = c.etat();
    Pile pile(L);
    int const v = c.pousser("ecart");
    if (lua_isnil(L, v)) return true;
    long long un = 0;
    // The high bytes' table may stand before the low bytes' one; at distance 0 it is the same.
    if (entier_lua(L, v, -int_max, int_max, un) && un != 0) {
        ecarts = {un};
        return true;
    }
    std::optional<std::size_t> const n = sequence(L, v);
    bool ok = n.has_value();
    for (std::size_t k = 0; ok && k < *n; ++k) {
        lua_rawgeti(L, v, static_cast<int>(k) + 1);
        ok = entier_lua(L, -1, -int_max, int_max, un) && un != 0;
        ecarts.push_back(un);
        lua_pop(L, 1);
    }
    return ok || c.refuser(Message::commande_ecarts, {c.nom("ecart"), c.commande(), -int_max, int_max});
}

void champ(lua_State* L, char const* nom, double valeur) {
    lua_pushnumber(L, valeur);
    lua_setfield(L, -2, nom);
}

void pousser_chaine(lua_State* L, std::string const& texte) { lua_pushlstring(L, texte.data(), texte.size()); }

void pousser_liste(lua_State* L, std::vector<long long> const& valeurs) {
    lua_createtable(L, static_cast<int>(valeurs.size()), 0);
    for (std::size_t k = 0; k < valeurs.size(); ++k) {
        lua_pushnumber(L, static_cast<double>(valeurs[k]));
        lua_rawseti(L, -2, static_cast<int>(k) + 1);
    }
}

char const* ordre_ecrit(Ordre_octets ordre) { return ordre == Ordre_octets::petit_boutiste ? "le" : "be"; }

void pousser_trouvaille(lua_State* L, Decouverte::Motif const& motif, Decouverte::Recherche const& r,
                        std::vector<std::string> const& alphabets, Decouverte::Trouvaille const& t) {
    lua_createtable(L, 0, 8);
    champ(L, "adresse", static_cast<double>(t.adresse));
    lua_newtable(L);
    for (std::size_t a = 0; a < motif.alphabets.size(); ++a) {
        if (!t.bases[a] || motif.alphabets[a].lettres.empty()) continue;
        pousser_chaine(L, motif.alphabets[a].lettres.front());
        lua_pushnumber(L, static_cast<double>(*t.bases[a]));
        lua_rawset(L, -3);
    }
    lua_setfield(L, -2, "bases");
    // A value scan's one alphabet has no letter: its base is the constant it found.
    if (motif.caracteres.empty() && !t.bases.empty() && t.bases.front())
        champ(L, "decalage", static_cast<double>(*t.bases.front()));
    pousser_liste(L, std::vector<long long>(t.valeurs.begin(), t.valeurs.end()));
    lua_setfield(L, -2, "valeurs");
    lua_newtable(L);
    for (std::size_t k = 0; k < motif.autres.size(); ++k) {
        pousser_chaine(L, motif.autres[k]);
        lua_pushnumber(L, t.autres[k]);
        lua_rawset(L, -3);
    }
    lua_setfield(L, -2, "autres");
    champ(L, "largeur", r.largeur);
    lua_pushstring(L, ordre_ecrit(r.ordre));
    lua_setfield(L, -2, "ordre");
    lua_createtable(L, static_cast<int>(alphabets.size()), 0);
    for (std::size_t k = 0; k < alphabets.size(); ++k) {
        pousser_chaine(L, alphabets[k]);
        lua_rawseti(L, -2, static_cast<int>(k) + 1);
    }
    lua_setfield(L, -2, "alphabets");
}

int chercher_relatif(Lua& lua) {
    char const* const commande = "chercher_relatif";
    if (!une_table(lua, commande)) return 0;
    lua_State* L = lua.state();
    Champs const c(L, 1, commande);
    std::string rom;
    std::string texte;
    std::vector<std::string> alphabets;
    Decouverte::Motif motif;
    Decouverte::Recherche r;
    long long debut = 0;
    long long fin = -1;
    long long maximum = static_cast<long long>(r.maximum);
    bool const ok =
        c.connus({"rom", "texte", "valeurs", "largeur", "ordre", "joker", "alphabets", "debut", "fin", "maximum"}) &&
        c.nom_de_fichier("rom", rom) && lire_motif(c, true, texte, motif, r) && c.chaines("alphabets", alphabets) &&
        c.entier("debut", 0, adresse_max, false, debut) && c.entier("fin", 0, adresse_max, false, fin) &&
        c.entier("maximum", 1, int_max, false, maximum);
    if (!ok) return 0;
    r.debut = debut;
    r.fin = fin;
    r.maximum = static_cast<std::size_t>(maximum);
    if (motif.caracteres.empty())
        afficher(Rapport(Message::recherche_valeurs_debut, {static_cast<int>(motif.positions.size()), rom}));
    else
        afficher(Rapport(Message::recherche_relative_debut, {texte, rom}));
    std::optional<Decouverte::Resultat_relatif> const resultat = Operations::chercher_relatif(rom, motif, r);
    afficher(Rapport(Message::recherche_fin));
    if (!resultat) return 0;
    lua_settop(L, 0);
    lua_createtable(L, static_cast<int>(resultat->trouvailles.size()), 0);
    for (std::size_t k = 0; k < resultat->trouvailles.size(); ++k) {
        pousser_trouvaille(L, motif, r, alphabets, resultat->trouvailles[k]);
        lua_rawseti(L, -2, static_cast<int>(k) + 1);
    }
    return 1;
}

// A table of characters to codes (a hit's bases or autres); each key must be a string.
bool lire_codes(Champs const& hit, char const* champ,
                std::vector<std::pair<Decouverte::Caractere, long long>>& codes) {
    lua_State* L = hit.etat();
    Pile pile(L);
    int const v = hit.pousser(champ);
    if (lua_isnil(L, v)) return true;
    if (!lua_istable(L, v)) return hit.refuser(Message::hit_incorrect, {hit.nom(champ)});
    lua_pushnil(L);
    while (lua_next(L, v) != 0) {
        long long valeur = 0;
        if (lua_type(L, -2) != LUA_TSTRING || !entier_lua(L, -1, -adresse_max, adresse_max, valeur))
            return hit.refuser(Message::hit_incorrect, {hit.nom(champ)});
        codes.emplace_back(std::string(lua_tostring(L, -2), lua_objlen(L, -2)), valeur);
        lua_pop(L, 1);
    }
    // Table order is the interpreter's: a fixed order keeps the table written the same.
    std::sort(codes.begin(), codes.end());
    return true;
}

// What a hit of chercher_relatif fixes, read back from the script's table.
bool lire_hit(Champs const& c, Decouverte::Codes_connus& codes, long long& adresse, int& largeur,
              Ordre_octets& ordre) {
    lua_State* L = c.etat();
    Pile pile(L);
    int const v = c.pousser("hit");
    if (lua_isnil(L, v)) return c.refuser(Message::commande_champ_absent, {c.nom("hit"), c.commande()});
    if (!lua_istable(L, v)) return c.refuser(Message::hit_incorrect, {c.nom("hit")});
    Champs const hit(L, v, c.commande(), "hit");
    std::vector<std::string> alphabets;
    std::vector<std::pair<Decouverte::Caractere, long long>> bases;
    std::vector<std::pair<Decouverte::Caractere, long long>> autres;
    std::vector<long long> valeurs;
    if (!hit.connus({"adresse", "bases", "valeurs", "autres", "largeur", "ordre", "alphabets", "decalage"}) ||
        !hit.entier("adresse", 0, adresse_max, true, adresse) || !lire_largeur(hit, largeur) ||
        !lire_ordre(hit, ordre) || !hit.chaines("alphabets", alphabets) || !lire_codes(hit, "bases", bases) ||
        !lire_codes(hit, "autres", autres) || !hit.entiers("valeurs", 0, UINT32_MAX, 0, false, valeurs))
        return false;
    codes.alphabets = Decouverte::alphabets_de_base();
    for (std::string const& liste : alphabets) {
        bool utf8 = true;
        codes.alphabets.push_back({Decouverte::caracteres(liste, utf8)});
    }
    codes.bases.assign(codes.alphabets.size(), std::nullopt);
    for (auto const& base : bases) {
        std::string const& premiere = base.first;
        auto const a = std::find_if(codes.alphabets.begin(), codes.alphabets.end(), [&](Decouverte::Alphabet const& x) {
            return !x.lettres.empty() && x.lettres.front() == premiere;
        });
        if (a == codes.alphabets.end()) return hit.refuser(Message::hit_incorrect, {hit.nom("bases")});
        codes.bases[static_cast<std::size_t>(a - codes.alphabets.begin())] = base.second;
    }
    // The values under the phrase tell its own letters, which keep their codes; a value of
    // one of its other characters is that character.
    for (long long v : valeurs) {
        if (std::any_of(autres.begin(), autres.end(), [v](auto const& autre) { return autre.second == v; })) continue;
        for (std::size_t a = 0; a < codes.alphabets.size(); ++a) {
            if (!codes.bases[a]) continue;
            long long const rang = v - *codes.bases[a];
            if (rang >= 0 && rang < static_cast<long long>(codes.alphabets[a].lettres.size()))
                codes.lettres_de_la_phrase.emplace_back(a, rang);
        }
    }
    codes.autres = std::move(autres);
    return true;
}

int creer_table(Lua& lua) {
    char const* const commande = "creer_table";
    if (!une_table(lua, commande)) return 0;
    Champs const c(lua.state(), 1, commande);
    std::string rom;
    std::string resultat;
    bool remplacer = false;
    Decouverte::Codes_connus codes;
    long long adresse = 0;
    int largeur = 1;
    Ordre_octets ordre = Ordre_octets::petit_boutiste;
    bool const ok = c.connus({"rom", "hit", "resultat", "remplacer"}) && c.nom_de_fichier("rom", rom) &&
                    lire_hit(c, codes, adresse, largeur, ordre) && c.nom_de_fichier("resultat", resultat) &&
                    c.booleen("remplacer", remplacer);
    if (!ok) return 0;
    afficher(Rapport(Message::creation_table_debut, {resultat, adresse, rom}));
    Operations::creer_table(rom, codes, adresse, largeur, ordre, resultat, remplacer);
    afficher(Rapport(Message::creation_table_fin));
    return 0;
}

int chercher_textes(Lua& lua) {
    char const* const commande = "chercher_textes";
    if (!une_table(lua, commande)) return 0;
    lua_State* L = lua.state();
    Champs const c(L, 1, commande);
    Operations::Demande_textes d;
    long long minimum = d.minimum;
    long long fin = -1;
    bool const ok = c.connus({"rom", "table", "fins", "minimum", "debut", "fin"}) && c.nom_de_fichier("rom", d.rom) &&
                    c.nom_de_fichier("table", d.table) && lire_fins(c, true, d.fins) &&
                    c.entier("minimum", 1, int_max, false, minimum) && c.entier("debut", 0, adresse_max, false, d.debut) &&
                    c.entier("fin", 0, adresse_max, false, fin);
    if (!ok) return 0;
    d.minimum = static_cast<int>(minimum);
    if (fin >= 0) d.fin = fin;
    afficher(Rapport(Message::textes_debut, {d.rom, d.table}));
    std::optional<Decouverte::Textes_trouves> const t = Operations::chercher_textes(d);
    afficher(Rapport(Message::recherche_fin));
    if (!t) return 0;
    lua_settop(L, 0);
    lua_createtable(L, 0, 2);
    lua_createtable(L, static_cast<int>(t->plages.size()), 0);
    for (std::size_t k = 0; k < t->plages.size(); ++k) {
        lua_createtable(L, 0, 2);
        champ(L, "debut", static_cast<double>(t->plages[k].debut));
        champ(L, "fin", static_cast<double>(t->plages[k].fin));
        lua_rawseti(L, -2, static_cast<int>(k) + 1);
    }
    lua_setfield(L, -2, "plages");
    pousser_liste(L, t->debuts);
    lua_setfield(L, -2, "debuts");
    return 1;
}

// A group as a game description's pointeurs takes it.
void pousser_groupe(lua_State* L, Jeu::Groupe const& g) {
    lua_createtable(L, 0, 7);
    if (g.disposition == Jeu::Disposition::eclate) {
        pousser_liste(L, g.octets);
        lua_setfield(L, -2, "octets");
    } else {
        champ(L, "adresse", static_cast<double>(g.adresse));
        champ(L, "taille", g.taille);
    }
    champ(L, "nombre", g.nombre);
    champ(L, "pas", static_cast<double>(g.pas));
    lua_pushboolean(L, g.ordre == Ordre_octets::petit_boutiste ? 1 : 0);
    lua_setfield(L, -2, "ordre");
    pousser_chaine(L, g.formule_ext);
    lua_setfield(L, -2, "formule_ext");
    pousser_chaine(L, g.formule_ins);
    lua_setfield(L, -2, "formule_ins");
}

int chercher_pointeurs(Lua& lua) {
    char const* const commande = "chercher_pointeurs";
    if (!une_table(lua, commande)) return 0;
    lua_State* L = lua.state();
    Champs const c(L, 1, commande);
    Operations::Demande_pointeurs d;
    long long minimum = d.recherche.minimum;
    bool const ok = c.connus({"rom", "debuts", "minimum", "ecart"}) && c.nom_de_fichier("rom", d.rom) &&
                    c.entiers("debuts", 0, adresse_max, 1, true, d.recherche.debuts) &&
                    c.entier("minimum", 2, int_max, false, minimum) && lire_ecarts(c, d.recherche.ecarts);
    if (!ok) return 0;
    d.recherche.minimum = static_cast<int>(minimum);
    std::vector<long long>& debuts = d.recherche.debuts;
    std::sort(debuts.begin(), debuts.end());
    debuts.erase(std::unique(debuts.begin(), debuts.end()), debuts.end());
    afficher(Rapport(Message::pointeurs_debut, {static_cast<int>(debuts.size()), d.rom}));
    std::optional<std::vector<Decouverte::Groupe_trouve>> const groupes = Operations::chercher_pointeurs(d);
    afficher(Rapport(Message::recherche_fin));
    if (!groupes) return 0;
    lua_settop(L, 0);
    lua_createtable(L, static_cast<int>(groupes->size()), 0);
    for (std::size_t k = 0; k < groupes->size(); ++k) {
        pousser_groupe(L, (*groupes)[k].groupe);
        lua_rawseti(L, -2, static_cast<int>(k) + 1);
    }
    lua_createtable(L, static_cast<int>(groupes->size()), 0);
    for (std::size_t k = 0; k < groupes->size(); ++k) {
        lua_pushnumber(L, (*groupes)[k].atteintes);
        lua_rawseti(L, -2, static_cast<int>(k) + 1);
    }
    return 2;
}

int decouvrir(Lua& lua) {
    char const* const commande = "decouvrir";
    if (!une_table(lua, commande)) return 0;
    lua_State* L = lua.state();
    Champs const c(L, 1, commande);
    Operations::Demande_decouverte d;
    std::vector<Operations::Fin_donnee> fins;
    long long minimum = 8;
    d.recherche.maximum = static_cast<std::size_t>(int_max);
    bool const ok =
        c.connus({"rom", "texte", "fins", "table", "description", "minimum", "ecart", "remplacer", "largeur", "ordre",
                  "joker", "alphabets"}) &&
        c.nom_de_fichier("rom", d.rom) && lire_motif(c, false, d.texte, d.motif, d.recherche) &&
        lire_fins(c, false, fins) && c.nom_de_fichier("table", d.table) &&
        c.nom_de_fichier("description", d.description) && c.entier("minimum", 2, int_max, false, minimum) &&
        lire_ecarts(c, d.ecarts) && c.booleen("remplacer", d.remplacer);
    if (!ok) return 0;
    d.minimum = static_cast<int>(minimum);
    for (Operations::Fin_donnee& fin : fins) d.fins.push_back(std::get<std::vector<unsigned char>>(std::move(fin)));
    afficher(Rapport(Message::decouverte_debut, {d.rom, d.texte}));
    std::optional<std::string> const description = Operations::decouvrir(d);
    afficher(Rapport(Message::decouverte_fin));
    if (!description) return 0;
    // The description returned is the file's own text run, so that both are the same.
    lua_settop(L, 0);
    if (luaL_loadbuffer(L, description->data(), description->size(), d.description.c_str()) != 0 ||
        lua_pcall(L, 0, 1, 0) != 0)
        return 0;
    return 1;
}

}  // namespace

int lua_chercher_relatif(lua_State* state) { return proteger(state, chercher_relatif); }

int lua_creer_table(lua_State* state) { return proteger(state, creer_table); }

int lua_chercher_textes(lua_State* state) { return proteger(state, chercher_textes); }

int lua_chercher_pointeurs(lua_State* state) { return proteger(state, chercher_pointeurs); }

int lua_decouvrir(lua_State* state) { return proteger(state, decouvrir); }
