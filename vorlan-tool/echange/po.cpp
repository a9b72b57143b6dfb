#include "echange/po.h"

#include <cstddef>

namespace Echange {

namespace {

// Gettext's page width: a line longer than this is one it would break at a space.
constexpr std::size_t page = 79;

// The text inside PO quotes: the escapes gettext itself writes; every other byte as it is.
std::string echapper(std::string const& texte) {
    std::string s;
    s.reserve(texte.size() + 8);
    for (char c : texte) {
        switch (c) {
        case '\\': s += "\\\\"; break;
        case '"': s += "\\\""; break;
        case '\n': s += "\\n"; break;
        case '\t': s += "\\t"; break;
        case '\r': s += "\\r"; break;
        case '\a': s += "\\a"; break;
        case '\b': s += "\\b"; break;
        case '\f': s += "\\f"; break;
        case '\v': s += "\\v"; break;
        default: s += c;
        }
    }
    return s;
}

// The columns an escaped line takes at most: a character past the Latin letters, or a control
// byte, may take two on a terminal, so it counts two.
std::size_t colonnes_au_plus(std::string const& ligne) {
    std::size_t n = 0;
    for (std::size_t p = 0; p < ligne.size(); ++p) {
        auto const c = static_cast<unsigned char>(ligne[p]);
        if ((c & 0xC0) == 0x80) continue;  // continuation byte
        bool const latin = c >= 0x20 && c != 0x7F && (c < 0x80 || (c >= 0xC2 && c <= 0xCB));
        n += latin ? 1 : 2;
    }
    return n;
}

// The string's lines as gettext writes them without breaking at spaces: each piece ends after
// an escaped line feed.
std::vector<std::string> morceaux(std::string const& texte) {
    std::vector<std::string> lignes;
    std::size_t debut = 0;
    for (std::size_t p = 0; p < texte.size(); ++p) {
        if (texte[p] != '\n') continue;
        lignes.push_back(echapper(texte.substr(debut, p + 1 - debut)));
        debut = p + 1;
    }
    if (debut < texte.size()) lignes.push_back(echapper(texte.substr(debut)));
    return lignes;
}

// One keyword and its string, as lines; `large` set when a line runs past the page.
std::string chaine(char const* mot, std::string const& texte, bool& large) {
    std::vector<std::string> const lignes = morceaux(texte);
    std::string const tete = std::string(mot) + " ";
    if (lignes.size() <= 1) {
        std::string const ligne = tete + "\"" + (lignes.empty() ? "" : lignes.front()) + "\"";
        large = large || colonnes_au_plus(ligne) > page;
        return ligne + "\n";
    }
    std::string s = tete + "\"\"\n";
    for (std::string const& l : lignes) {
        large = large || colonnes_au_plus(l) + 2 > page;
        s += "\"" + l + "\"\n";
    }
    return s;
}

void commentaires(std::string& sortie, std::string const& notes) {
    if (notes.empty()) return;
    std::size_t debut = 0;
    for (;;) {
        std::size_t const fin = notes.find('\n', debut);
        sortie += "#. " + notes.substr(debut, fin - debut) + "\n";
        if (fin == std::string::npos) return;
        debut = fin + 1;
    }
}

}  // namespace

std::string ecrire_po(std::vector<Ligne_echange> const& lignes, En_tete_po const& en_tete) {
    std::string const champs = "Project-Id-Version: " + en_tete.projet +
                               "\n"
                               "PO-Revision-Date: \n"
                               "Last-Translator: \n"
                               "Language-Team: \n"
                               "Language: " +
                               en_tete.langue +
                               "\n"
                               "MIME-Version: 1.0\n"
                               "Content-Type: text/plain; charset=UTF-8\n"
                               "Content-Transfer-Encoding: 8bit\n";
    bool large = false;
    std::string sortie = "msgid \"\"\n" + chaine("msgstr", champs, large);
    for (Ligne_echange const& l : lignes) {
        large = false;
        std::string corps = chaine("msgctxt", l.identifiant, large);
        corps += chaine("msgid", l.original, large);
        corps += chaine("msgstr", l.traduction, large);
        sortie += "\n";
        commentaires(sortie, l.notes);
        if (l.flou && large)
            sortie += "#, fuzzy, no-wrap\n";
        else if (l.flou)
            sortie += "#, fuzzy\n";
        else if (large)
            sortie += "#, no-wrap\n";
        sortie += corps;
    }
    return sortie;
}

namespace {

int valeur_hex(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The quoted string that starts at `p` of the line, unescaped, appended to `texte`; false when
// the line holds anything else after it but blanks.
bool lire_chaine(std::string const& ligne, std::size_t p, std::string& texte) {
    while (p < ligne.size() && (ligne[p] == ' ' || ligne[p] == '\t')) ++p;
    if (p >= ligne.size() || ligne[p] != '"') return false;
    ++p;
    for (;;) {
        if (p >= ligne.size()) return false;
        char const c = ligne[p++];
        if (c == '"') break;
        if (c != '\\') {
            texte += c;
            continue;
        }
        if (p >= ligne.size()) return false;
        char const e = ligne[p++];
        switch (e) {
        case 'n': texte += '\n'; break;
        case 't': texte += '\t'; break;
        case 'r': texte += '\r'; break;
        case 'a': texte += '\a'; break;
        case 'b': texte += '\b'; break;
        case 'f': texte += '\f'; break;
        case 'v': texte += '\v'; break;
        case '\\': texte += '\\'; break;
        case '"': texte += '"'; break;
        case '\'': texte += '\''; break;
        case '?': texte += '?'; break;
        case 'x': {
            int valeur = 0;
            int chiffres = 0;
            while (p < ligne.size() && valeur_hex(ligne[p]) >= 0 && chiffres < 2) {
                valeur = valeur * 16 + valeur_hex(ligne[p++]);
                ++chiffres;
            }
            if (chiffres == 0) return false;
            texte += static_cast<char>(valeur);
            break;
        }
        default:
            if (e < '0' || e > '7') return false;
            int valeur = e - '0';
            for (int k = 0; k < 2 && p < ligne.size() && ligne[p] >= '0' && ligne[p] <= '7'; ++k)
                valeur = valeur * 8 + (ligne[p++] - '0');
            texte += static_cast<char>(valeur & 0xFF);
        }
    }
    while (p < ligne.size() && (ligne[p] == ' ' || ligne[p] == '\t' || ligne[p] == '\r')) ++p;
    return p == ligne.size();
}

bool commence_par(std::string const& ligne, char const* mot, std::size_t& apres) {
    std::string const m(mot);
    if (ligne.compare(0, m.size(), m) != 0) return false;
    if (ligne.size() > m.size() && ligne[m.size()] != ' ' && ligne[m.size()] != '\t' && ligne[m.size()] != '"')
        return false;
    apres = m.size();
    return true;
}

// A message being read: which of its strings the continuation lines go to.
struct Message_lu {
    std::string contexte, id, str, flags;
    std::string ecarte;  // a plural form other than the first: read, not kept
    bool a_contexte = false, a_id = false, a_str = false;
    std::string* courant = nullptr;
};

}  // namespace

Lecture lire_po(std::string const& octets) {
    Lecture lecture;
    std::size_t p = octets.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    Message_lu m;
    auto finir = [&]() {
        if (m.a_id && !(m.id.empty() && !m.a_contexte)) {
            Ligne_echange l;
            l.identifiant = m.contexte;
            l.original = m.id;
            l.traduction = m.str;
            // "#, fuzzy, no-wrap" or "#, c-format, fuzzy": the flags are words between commas.
            std::string mot;
            for (char c : m.flags + ",") {
                if (c == ',') {
                    if (mot == "fuzzy") l.flou = true;
                    mot.clear();
                } else if (c != ' ' && c != '\t' && c != '\r') {
                    mot += c;
                }
            }
            lecture.lignes.push_back(std::move(l));
        }
        m = Message_lu{};
    };
    int numero = 0;
    while (p < octets.size()) {
        std::size_t fin = octets.find('\n', p);
        if (fin == std::string::npos) fin = octets.size();
        std::string ligne = octets.substr(p, fin - p);
        p = fin + 1;
        ++numero;
        if (!ligne.empty() && ligne.back() == '\r') ligne.pop_back();
        std::size_t debut = ligne.find_first_not_of(" \t");
        if (debut == std::string::npos) continue;
        std::size_t apres = 0;
        auto refuser = [&]() {
            lecture.lignes.clear();
            lecture.defaut = Defaut::syntaxe;
            lecture.ligne = numero;
            return lecture;
        };
        if (ligne[debut] == '#') {
            // A comment after a message's strings starts the next one.
            if (m.a_str) finir();
            if (ligne.compare(debut, 2, "#,") == 0) m.flags += "," + ligne.substr(debut + 2);
            continue;
        }
        ligne = ligne.substr(debut);
        if (ligne[0] == '"') {
            if (m.courant == nullptr || !lire_chaine(ligne, 0, *m.courant)) return refuser();
            continue;
        }
        if (commence_par(ligne, "msgctxt", apres)) {
            if (m.a_id && !m.a_str) return refuser();
            if (m.a_id || m.a_contexte) finir();
            m.a_contexte = true;
            m.courant = &m.contexte;
        } else if (commence_par(ligne, "msgid", apres)) {
            if (m.a_id && !m.a_str) return refuser();
            if (m.a_id) finir();
            m.a_id = true;
            m.courant = &m.id;
        } else if (commence_par(ligne, "msgid_plural", apres)) {
            if (!m.a_id || m.a_str) return refuser();
            m.courant = &m.ecarte;
        } else if (commence_par(ligne, "msgstr", apres) || commence_par(ligne, "msgstr[0]", apres)) {
            if (!m.a_id || m.a_str) return refuser();
            m.a_str = true;
            m.courant = &m.str;
        } else if (ligne.compare(0, 7, "msgstr[") == 0) {
            // The other plural forms: read, not kept.
            std::size_t const crochet = ligne.find(']');
            if (!m.a_str || crochet == std::string::npos) return refuser();
            apres = crochet + 1;
            m.courant = &m.ecarte;
        } else {
            return refuser();
        }
        if (!lire_chaine(ligne, apres, *m.courant)) return refuser();
    }
    if (m.a_id && !m.a_str) {
        lecture.lignes.clear();
        lecture.defaut = Defaut::syntaxe;
        lecture.ligne = numero;
        return lecture;
    }
    finir();
    return lecture;
}

}  // namespace Echange
