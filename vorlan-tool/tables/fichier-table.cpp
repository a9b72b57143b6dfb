#include "tables/fichier-table.h"

#include <cstring>
#include <string_view>

#include "lib/fichiers.h"
#include "lib/vorlan_tool_divers.h"
#include "tables/ligne-bascule.h"

namespace Fichier_table {

namespace {

// Each side of a character table's entry is at most this long, as the design of the format has
// always had it.
constexpr std::size_t cote_max = 256;

enum class Ordre_utf16 { aucun, petit_boutiste, grand_boutiste };

// UTF-16 by its byte-order mark, or, without one, when every second byte of the start is zero
// and the others are not (a table of ASCII keys and texts).
Ordre_utf16 ordre_utf16(std::string const& octets, std::size_t& debut) {
    debut = 0;
    if (octets.size() >= 2) {
        unsigned char const a = static_cast<unsigned char>(octets[0]);
        unsigned char const b = static_cast<unsigned char>(octets[1]);
        debut = 2;
        if (a == 0xFF && b == 0xFE) return Ordre_utf16::petit_boutiste;
        if (a == 0xFE && b == 0xFF) return Ordre_utf16::grand_boutiste;
        debut = 0;
    }
    std::size_t const n = std::min<std::size_t>(64, octets.size()) / 2 * 2;
    if (n < 4) return Ordre_utf16::aucun;
    bool pairs_nuls = true;
    bool impairs_nuls = true;
    for (std::size_t k = 0; k < n; ++k) {
        bool const nul = octets[k] == '\0';
        if (k % 2 == 0) {
            pairs_nuls = pairs_nuls && nul;
            impairs_nuls = impairs_nuls && !nul;
        } else {
            impairs_nuls = impairs_nuls && nul;
            pairs_nuls = pairs_nuls && !nul;
        }
    }
    if (impairs_nuls) return Ordre_utf16::petit_boutiste;
    if (pairs_nuls) return Ordre_utf16::grand_boutiste;
    return Ordre_utf16::aucun;
}

void ajouter_utf8(std::string& sortie, unsigned long point) {
    if (point < 0x80) {
        sortie += static_cast<char>(point);
    } else if (point < 0x800) {
        sortie += static_cast<char>(0xC0 | (point >> 6));
        sortie += static_cast<char>(0x80 | (point & 0x3F));
    } else if (point < 0x10000) {
        sortie += static_cast<char>(0xE0 | (point >> 12));
        sortie += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        sortie += static_cast<char>(0x80 | (point & 0x3F));
    } else {
        sortie += static_cast<char>(0xF0 | (point >> 18));
        sortie += static_cast<char>(0x80 | ((point >> 12) & 0x3F));
        sortie += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        sortie += static_cast<char>(0x80 | (point & 0x3F));
    }
}

// The UTF-8 text of UTF-16 code units; a surrogate without its pair becomes U+FFFD, an odd
// last byte is dropped.
std::string depuis_utf16(std::string const& octets, std::size_t debut, Ordre_utf16 ordre) {
    auto unite = [&](std::size_t k) {
        unsigned const a = static_cast<unsigned char>(octets[k]);
        unsigned const b = static_cast<unsigned char>(octets[k + 1]);
        return ordre == Ordre_utf16::petit_boutiste ? a | b << 8 : a << 8 | b;
    };
    std::string texte;
    for (std::size_t k = debut; k + 1 < octets.size(); k += 2) {
        unsigned long point = unite(k);
        if (point >= 0xD800 && point < 0xDC00 && k + 3 < octets.size()) {
            unsigned long const suivante = unite(k + 2);
            if (suivante >= 0xDC00 && suivante < 0xE000) {
                point = 0x10000 + ((point - 0xD800) << 10) + (suivante - 0xDC00);
                k += 2;
            } else {
                point = 0xFFFD;
            }
        } else if (point >= 0xD800 && point < 0xE000) {
            point = 0xFFFD;
        }
        ajouter_utf8(texte, point);
    }
    return texte;
}

bool blanc(char c) { return c == ' ' || c == '\t'; }

bool est_vide(std::string_view ligne) {
    for (char c : ligne)
        if (!blanc(c)) return false;
    return true;
}

bool est_commentaire(std::string_view ligne) {
    std::size_t k = 0;
    while (k < ligne.size() && blanc(ligne[k])) ++k;
    std::string_view const reste = ligne.substr(k);
    return reste.substr(0, 1) == "#" || reste.substr(0, 1) == ";" || reste.substr(0, 2) == "//";
}

bool est_hexadecimal(std::string_view texte) {
    if (texte.empty()) return false;
    for (char c : texte)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'))) return false;
    return true;
}

// A side as the entries use it: a C text, so that a NUL byte ends it.
std::string cote(std::string_view texte) { return std::string(texte.substr(0, texte.find('\0'))); }

// The raw form extraction writes for bytes the table does not know, one "<XX>" per byte.
std::string forme_brute(Nb_ext_ins const& code) {
    std::string texte;
    std::string const hexa = code.hexa();
    for (std::size_t k = 0; k + 1 < hexa.size(); k += 2) texte += "<" + hexa.substr(k, 2) + ">";
    return texte;
}

class Lecteur {
public:
    Lecteur(Rapports& rapports, std::function<void(Entree const&)> const& ajouter)
        : rapports_(rapports), ajouter_(ajouter) {}

    void lire_ligne(std::string_view ligne, int numero) {
        if (est_vide(ligne) || est_commentaire(ligne)) return;
        numero_ = numero;
        char const marque = ligne[0];
        if (marque == '@') {
            lire_nom(ligne);
            return;
        }
        if (marque == '!') {
            lire_ligne_bascule(ligne);
            return;
        }
        if (forme_non_prise_en_charge(ligne)) {
            refuser(ligne);
            return;
        }
        std::size_t const egal = ligne.find('=');
        if (marque == '/' || marque == '*' || marque == '$') {
            lire_forme(ligne, egal, numero);
            return;
        }
        if (egal == std::string_view::npos) {
            signaler(Message::ligne_sans_egal, numero, ligne);
            return;
        }
        Entree e;
        e.cle = cote(ligne.substr(0, egal));
        e.valeur = cote(ligne.substr(egal + 1));
        if (!cotes_pleins(e)) return;
        if (e.cle.size() > cote_max) {
            signaler(Message::cle_trop_longue, numero);
            return;
        }
        if (!est_hexadecimal(e.cle)) {
            signaler(Message::cle_non_hexadecimale, numero, ligne);
            return;
        }
        if (e.valeur.size() > cote_max) {
            signaler(Message::texte_trop_long, numero);
            e.valeur.resize(cote_max);
        }
        e.hexa = e.cle;
        e.texte = e.valeur;
        Vorlan_tool::convertir(e.texte);
        ajouter(e);
    }

    bool refusee() const { return refusee_; }

private:
    void ajouter(Entree& e) {
        e.ligne = numero_;
        ajouter_(e);
    }

    // "@name", blanks allowed after it; any other "@" line is a directive of another program.
    void lire_nom(std::string_view ligne) {
        std::string_view nom = ligne.substr(1);
        while (!nom.empty() && blanc(nom.back())) nom.remove_suffix(1);
        if (!nom_de_table(nom)) {
            signaler(Message::ligne_directive, numero_, ligne);
            return;
        }
        Entree e;
        e.sorte = Sorte::table;
        e.cle = std::string(ligne);
        e.texte = std::string(nom);
        ajouter(e);
    }

    void lire_ligne_bascule(std::string_view ligne) {
        std::optional<Ligne_bascule> const lue = Fichier_table::lire_bascule(cote(ligne));
        if (!lue || lue->hexa.size() > cote_max || lue->etiquette.size() > cote_max) {
            refuser(ligne);
            return;
        }
        Entree e;
        e.sorte = Sorte::bascule;
        e.cle = "!" + lue->hexa;
        e.valeur = std::string(ligne.substr(ligne.find('=') + 1));
        e.hexa = lue->hexa;
        e.texte = lue->etiquette;
        Vorlan_tool::convertir(e.texte);
        e.bascules = lue->bascules;
        ajouter(e);
    }

    void refuser(std::string_view ligne) {
        signaler(Message::ligne_non_prise_en_charge, numero_, ligne);
        refusee_ = true;
    }

    // "/HEX", "*HEX" or "$HEX", then "=" and the right side, or nothing for the first two.
    void lire_forme(std::string_view ligne, std::size_t egal, int numero) {
        Entree e;
        bool const seule = egal == std::string_view::npos;
        e.cle = cote(ligne.substr(0, egal));
        e.valeur = seule ? std::string() : cote(ligne.substr(egal + 1));
        e.hexa = e.cle.substr(1);
        if (!est_hexadecimal(e.hexa) || e.hexa.size() > cote_max) {
            signaler(Message::cle_non_hexadecimale, numero, ligne);
            return;
        }
        if (!seule && !cotes_pleins(e)) return;
        e.texte = e.valeur;
        Vorlan_tool::convertir(e.texte);
        switch (ligne[0]) {
        case '/':
            e.sorte = Sorte::fin;
            if (seule) {
                e.texte = forme_brute(Nb_ext_ins(reinterpret_cast<unsigned char const*>(e.hexa.c_str())));
                e.texte_brut = true;
            }
            break;
        case '*':
            e.sorte = Sorte::saut_de_ligne;
            e.texte += '\n';
            break;
        default: {
            // "label,N": split at the last comma, N a decimal number from 0 to 255.
            std::size_t const virgule = seule ? std::string::npos : e.texte.rfind(',');
            std::string const nombre = virgule == std::string::npos ? "" : e.texte.substr(virgule + 1);
            bool const chiffres = !nombre.empty() && nombre.size() <= 3 &&
                                  nombre.find_first_not_of("0123456789") == std::string::npos;
            if (virgule == std::string::npos || virgule == 0 || !chiffres || std::stoi(nombre) > 255) {
                signaler(Message::parametres_incorrects, numero, ligne);
                return;
            }
            e.sorte = Sorte::parametres;
            e.parametres = std::stoi(nombre);
            e.texte.resize(virgule);
            break;
        }
        }
        ajouter(e);
    }

    bool cotes_pleins(Entree const& e) {
        if (!e.cle.empty() && !e.valeur.empty()) return true;
        rapports_.push_back(Rapport(Message::entree_vide, {e.cle, e.valeur}));
        return false;
    }

    void signaler(Message message, int numero, std::string_view ligne) {
        rapports_.push_back(Rapport(message, {numero, Vorlan_tool::afficher_chaine(ligne)}));
    }
    void signaler(Message message, int numero) { rapports_.push_back(Rapport(message, {numero})); }

    Rapports& rapports_;
    std::function<void(Entree const&)> const& ajouter_;
    int numero_ = 0;
    bool refusee_ = false;
};

// The line-break table's syntax, as it has always been read: key up to the first "=", value
// up to the line's end, each side at most 256 characters; only its blank lines are skipped.
void lire_largeurs(std::string const& contenu, Rapports& rapports, std::function<void(Entree const&)> const& ajouter) {
    int const longueur = static_cast<int>(contenu.size());
    int position = 0;
    while (position < longueur) {
        bool const debut_de_ligne = position == 0 || contenu[static_cast<std::size_t>(position) - 1] == '\n';
        if (debut_de_ligne) {
            std::size_t fin = contenu.find('\n', static_cast<std::size_t>(position));
            if (fin == std::string::npos) fin = contenu.size();
            if (est_vide(std::string_view(contenu).substr(static_cast<std::size_t>(position),
                                                          fin - static_cast<std::size_t>(position)))) {
                position = static_cast<int>(fin) + 1;
                continue;
            }
        }
        Entree e;
        e.cle = cote(Vorlan_tool::prendre_jusqu_a(contenu.data(), '=', longueur, position));
        e.valeur = cote(Vorlan_tool::prendre_jusqu_a(contenu.data(), '\n', longueur, position));
        if (e.cle.empty() || e.valeur.empty()) {
            rapports.push_back(Rapport(Message::entree_vide, {e.cle, e.valeur}));
            continue;
        }
        e.texte = e.valeur;
        Vorlan_tool::convertir(e.texte);
        ajouter(e);
    }
}

}  // namespace

std::string preparer(std::string const& octets, Syntaxe syntaxe, Rapports& rapports) {
    std::size_t debut = 0;
    Ordre_utf16 const ordre = syntaxe == Syntaxe::caracteres ? ordre_utf16(octets, debut) : Ordre_utf16::aucun;
    if (ordre != Ordre_utf16::aucun) {
        rapports.push_back(Rapport(Message::table_utf16));
        return Fichiers::normaliser(depuis_utf16(octets, debut, ordre));
    }
    static char const marque_utf8[] = "\xEF\xBB\xBF";
    if (octets.compare(0, 3, marque_utf8) == 0) return Fichiers::normaliser(octets.substr(3));
    return Fichiers::normaliser(octets);
}

bool lire(std::string const& contenu, Syntaxe syntaxe, Rapports& rapports,
          std::function<void(Entree const&)> const& ajouter) {
    if (syntaxe == Syntaxe::largeurs) {
        lire_largeurs(contenu, rapports, ajouter);
        return true;
    }
    Lecteur lecteur(rapports, ajouter);
    std::size_t debut = 0;
    int numero = 1;
    while (debut < contenu.size()) {
        std::size_t fin = contenu.find('\n', debut);
        if (fin == std::string::npos) fin = contenu.size();
        lecteur.lire_ligne(std::string_view(contenu).substr(debut, fin - debut), numero++);
        debut = fin + 1;
    }
    return !lecteur.refusee();
}

void signaler_doublon(Nb_ext_ins const& code_existant, std::string const& texte_existant, Entree const& ignoree,
                      Rapports& rapports) {
    rapports.push_back(Rapport(Message::entree_existante, {code_existant.hexa(), texte_existant}));
    rapports.push_back(Rapport(Message::entree_ignoree, {ignoree.cle, ignoree.valeur}));
}

}  // namespace Fichier_table
