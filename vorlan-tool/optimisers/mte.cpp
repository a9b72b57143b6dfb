#include "optimisers/mte.h"

#include <utility>
#include <vector>

#include "optimisers/mte-compteur.h"

namespace MTE {

namespace {

// Bytes that can belong to a word: printable, and not the start of a tag.
bool est_texte(unsigned char c) { return c >= 0x20 && c != '<'; }

// The words of one pass: the best candidates in rank order, up to the first one that overlaps
// a word already taken, and at most `nombre` of them.
std::vector<word_t> choisir(Compteur& compteur, int nombre) {
    std::vector<word_t> choisis;
    compteur.nouvelle_passe();
    word_t candidat;
    while (static_cast<int>(choisis.size()) < nombre && compteur.meilleur(candidat)) {
        for (word_t const& pris : choisis) {
            if (IsConflict(candidat.texte, pris.texte)) {
                compteur.remettre();
                return choisis;
            }
        }
        choisis.push_back(candidat);
    }
    return choisis;
}

}  // namespace

void Clean(std::string& text) {
    std::string const& t = text;
    std::size_t const longueur = t.size();
    // A run at the very end gains its line end, so the result can be one byte longer.
    std::string propre;
    propre.reserve(longueur + 1);
    std::size_t r = 0;
    while (r + 3 <= longueur) {
        unsigned char c = t[r];
        if (c == '<') {
            std::size_t fin = t.find('>', r + 1);
            r = fin == std::string::npos ? longueur : fin + 1;
        } else if (est_texte(c) && est_texte(t[r + 1]) && est_texte(t[r + 2])) {
            // The byte that ends the run is looked at next: a "<" there starts a tag.
            while (r < longueur && est_texte(t[r])) propre += t[r++];
            propre += '\n';
        } else {
            ++r;
        }
    }
    text.swap(propre);
}

void CleanWord(std::string& text, std::string const& word) {
    if (!word.empty()) {
        std::size_t i = text.find(word);
        while (i != std::string::npos) {
            text.replace(i, word.size(), word.size(), '\n');
            i = text.find(word, i + word.size());
        }
    }
    Clean(text);
}

bool IsConflict(std::string const& a, std::string const& b) {
    bool const a_court = a.size() <= b.size();
    std::string const& s = a_court ? a : b;
    std::string const& l = a_court ? b : a;
    std::size_t const n = s.size(), m = l.size();
    for (std::size_t i = 1; i <= n; ++i)
        if (s.compare(n - i, i, l, 0, i) == 0) return true;
    for (std::size_t j = 1; j + n <= m; ++j)
        if (l.compare(j, n, s) == 0) return true;
    for (std::size_t i = 1; i < n; ++i)
        if (s.compare(0, i, l, m - i, i) == 0) return true;
    return false;
}

void FindMTE(std::string& text, Recherche& out, short& remaining, short max_length, int rom_size) {
    if (text.empty()) {
        remaining = 0;
        out.rapports.push_back(Rapport(Message::mte_texte_vide));
        return;
    }
    Compteur compteur(std::move(text), max_length, rom_size);
    std::uint32_t total = 0;
    while (remaining > 0) {
        std::vector<word_t> choisis = choisir(compteur, remaining);
        if (choisis.empty()) break;  // every byte of the text has gone into earlier words
        for (word_t const& mot : choisis) {
            compteur.retirer(mot.texte);
            out.rapports.push_back(Rapport(Message::mte_mot, {static_cast<int>(mot.texte.size()),
                                                              static_cast<int>(mot.apparitions),
                                                              static_cast<int>(mot.score), mot.texte}));
            // A word is used as a C text, as the report shows it.
            out.resultat += mot.texte.c_str();
            out.resultat += '\n';
            total += mot.score;
        }
        remaining = static_cast<short>(remaining - static_cast<int>(choisis.size()));
    }
    text = compteur.texte_restant();
    out.rapports.push_back(Rapport(Message::mte_score_total, {static_cast<int>(total)}));
}

std::optional<Rapport> verifier(short count, short max_length, int rom_size) {
    if (rom_size != 1 && rom_size != 2) return Rapport(Message::mte_taille_incorrecte);
    if (count <= 0) return Rapport(Message::mte_nombre_incorrect);
    if (max_length <= rom_size) return Rapport(Message::mte_taille_maximale, {rom_size});
    return std::nullopt;
}

Recherche optimiser(std::string text, short count, short max_length, int rom_size) {
    Recherche recherche;
    Clean(text);
    short restants = count;
    FindMTE(text, recherche, restants, max_length, rom_size);
    return recherche;
}

}  // namespace MTE
