#include "decouverte/motif.h"

#include <algorithm>
#include <optional>

namespace Decouverte {

namespace {

bool suite_utf8(unsigned char octet) { return (octet & 0xC0) == 0x80; }

// The length of the valid UTF-8 sequence at `p`, 0 when there is none. The second byte's range
// excludes the overlong forms, the surrogates and what lies past U+10FFFF.
std::size_t sequence_utf8(std::string const& texte, std::size_t p) {
    auto octet = [&](std::size_t k) { return static_cast<unsigned char>(texte[k]); };
    unsigned char const tete = octet(p);
    if (tete < 0x80) return 1;
    std::size_t longueur = 0;
    unsigned char bas = 0x80;
    unsigned char haut = 0xBF;
    if (tete >= 0xC2 && tete <= 0xDF) {
        longueur = 2;
    } else if (tete >= 0xE0 && tete <= 0xEF) {
        longueur = 3;
        if (tete == 0xE0) bas = 0xA0;
        if (tete == 0xED) haut = 0x9F;
    } else if (tete >= 0xF0 && tete <= 0xF4) {
        longueur = 4;
        if (tete == 0xF0) bas = 0x90;
        if (tete == 0xF4) haut = 0x8F;
    } else {
        return 0;
    }
    if (p + longueur > texte.size()) return 0;
    if (octet(p + 1) < bas || octet(p + 1) > haut) return 0;
    for (std::size_t k = 2; k < longueur; ++k)
        if (!suite_utf8(octet(p + k))) return 0;
    return longueur;
}

Alphabet alphabet_de(char premier, char dernier) {
    Alphabet a;
    for (char c = premier; c <= dernier; ++c) a.lettres.push_back(Caractere(1, c));
    return a;
}

struct Place {
    std::size_t alphabet;
    long long rang;
};

// Where a character stands among the alphabets: the lists given (after the three of base)
// first, in their order, then the alphabets of base.
std::optional<Place> placer(std::vector<Alphabet> const& alphabets, std::size_t de_base, Caractere const& c) {
    auto chercher = [&](std::size_t a) -> std::optional<Place> {
        std::vector<Caractere> const& lettres = alphabets[a].lettres;
        auto const trouvee = std::find(lettres.begin(), lettres.end(), c);
        if (trouvee == lettres.end()) return std::nullopt;
        return Place{a, static_cast<long long>(trouvee - lettres.begin())};
    };
    for (std::size_t a = de_base; a < alphabets.size(); ++a)
        if (auto p = chercher(a)) return p;
    for (std::size_t a = 0; a < de_base; ++a)
        if (auto p = chercher(a)) return p;
    return std::nullopt;
}

// Some alphabet holds two letters of the phrase (two occurrences of one letter count).
bool a_une_difference(std::vector<Position> const& positions, std::size_t alphabets) {
    std::vector<int> lettres(alphabets, 0);
    for (Position const& p : positions)
        if (p.sorte == Position::Sorte::lettre && ++lettres[p.indice] == 2) return true;
    return false;
}

}  // namespace

std::vector<Caractere> caracteres(std::string const& texte, bool& utf8) {
    std::vector<Caractere> resultat;
    utf8 = true;
    for (std::size_t p = 0; p < texte.size();) {
        std::size_t const longueur = sequence_utf8(texte, p);
        if (longueur == 0) {
            utf8 = false;
            break;
        }
        resultat.push_back(texte.substr(p, longueur));
        p += longueur;
    }
    if (utf8) return resultat;
    resultat.clear();
    for (char octet : texte) resultat.push_back(Caractere(1, octet));
    return resultat;
}

std::vector<Alphabet> alphabets_de_base() { return {alphabet_de('A', 'Z'), alphabet_de('a', 'z'), alphabet_de('0', '9')}; }

std::variant<Motif, Motif_refuse> lire_motif(std::string const& texte, std::string const& joker,
                                             std::vector<std::string> const& alphabets_donnes) {
    Motif m;
    m.alphabets = alphabets_de_base();
    std::size_t const de_base = m.alphabets.size();
    for (std::string const& liste : alphabets_donnes) {
        bool utf8 = true;
        m.alphabets.push_back({caracteres(liste, utf8)});
    }
    bool joker_utf8 = true;
    std::vector<Caractere> const jokers = caracteres(joker, joker_utf8);
    if (jokers.size() > 1) return Motif_refuse::joker_incorrect;
    m.caracteres = caracteres(texte, m.utf8);
    if (m.caracteres.empty()) return Motif_refuse::vide;
    for (Caractere const& c : m.caracteres) {
        Position p;
        if (!jokers.empty() && c == jokers[0]) {
            p.sorte = Position::Sorte::joker;
        } else if (std::optional<Place> const place = placer(m.alphabets, de_base, c)) {
            p.sorte = Position::Sorte::lettre;
            p.indice = place->alphabet;
            p.rang = place->rang;
        } else {
            p.sorte = Position::Sorte::autre;
            auto const deja = std::find(m.autres.begin(), m.autres.end(), c);
            p.indice = static_cast<std::size_t>(deja - m.autres.begin());
            if (deja == m.autres.end()) m.autres.push_back(c);
        }
        m.positions.push_back(p);
    }
    if (!a_une_difference(m.positions, m.alphabets.size())) return Motif_refuse::sans_difference;
    return m;
}

std::variant<Motif, Motif_refuse> motif_de_valeurs(std::vector<long long> const& valeurs) {
    if (valeurs.empty()) return Motif_refuse::vide;
    if (valeurs.size() < 2) return Motif_refuse::sans_difference;
    Motif m;
    m.alphabets.resize(1);
    for (long long v : valeurs) {
        if (v < -valeur_max || v > valeur_max) return Motif_refuse::valeur_hors_limites;
        Position p;
        p.sorte = Position::Sorte::lettre;
        p.rang = v;
        m.positions.push_back(p);
    }
    return m;
}

}  // namespace Decouverte
