#include "jeu/lecture-plages.h"

#include <algorithm>

namespace Jeu {

namespace {

// In a range of strings, a unit whose text holds a line feed is written raw, its embedded
// pointer with it: a string stays on its line.
Unite unite(Extracteur::Table_ext const& table, Description const& jeu, unsigned char const* octets,
            std::size_t disponible, long long debut, bool chaines) {
    Unite u;
    u.debut = debut;
    u.entree = table.plus_long(octets, std::min<std::size_t>(disponible, table.taille_max()), u.cle);
    if (u.entree == nullptr) {
        u.longueur = 1;
        return u;
    }
    std::size_t const parametres = static_cast<std::size_t>(u.entree->parametres);
    u.longueur = u.cle + std::min(parametres, disponible - u.cle);
    if (u.cle + parametres > disponible) return u;
    if (chaines && u.entree->texte.find('\n') != std::string::npos) return u;
    for (std::size_t i = 0; i < jeu.integres.size(); ++i) {
        std::vector<unsigned char> const& code = jeu.integres[i].code;
        if (code.size() == u.cle && std::equal(code.begin(), code.end(), octets)) u.integre = static_cast<int>(i);
    }
    return u;
}

// The units of [debut, debut + n), every one a place where a text can start when `departs`.
void decoder(Extracteur::Table_ext const& table, std::vector<unsigned char> const& rom, Description const& jeu,
             long long debut, std::size_t n, std::vector<Unite>& unites, std::vector<long long>* departs,
             bool chaines) {
    for (std::size_t p = 0; p < n;) {
        long long const position = debut + static_cast<long long>(p);
        Unite const u = unite(table, jeu, rom.data() + position, n - p, position, chaines);
        if (departs != nullptr) departs->push_back(position);
        unites.push_back(u);
        p += u.longueur;
    }
}

// A range of strings that carry their length:
//   [length, `longueur` bytes][that many bytes] [length][bytes] ... [zeros to the end]
void lire_chaines(Extracteur::Table_ext const& table, std::vector<unsigned char> const& rom, Description const& jeu,
                  std::size_t r, Lecture& lecture) {
    Plage const& plage = jeu.textes[r];
    std::vector<Unite>& unites = lecture.plages[r];
    long long dernier_non_nul = plage.fin;
    while (dernier_non_nul >= plage.debut && rom[static_cast<std::size_t>(dernier_non_nul)] == 0) --dernier_non_nul;
    for (long long p = plage.debut; p <= plage.fin;) {
        if (p > dernier_non_nul) {
            lecture.rapports.push_back(Rapport(Message::jeu_chaines_zeros, {nom_de_plage("textes", r), p}));
            return;
        }
        std::uint32_t n = 0;
        if (p + plage.longueur - 1 > plage.fin || !lire_entier_borne(rom, p, plage.longueur, plage.ordre, n) ||
            p + plage.longueur + static_cast<long long>(n) - 1 > plage.fin) {
            lecture.rapports.push_back(
                Rapport(Message::jeu_chaine_coupee, {p, nom_de_plage("textes", r), plage.fin - p + 1}));
            return;
        }
        Unite prefixe;
        prefixe.sorte = Unite::Sorte::prefixe;
        prefixe.debut = p;
        prefixe.longueur = static_cast<std::size_t>(plage.longueur);
        unites.push_back(prefixe);
        lecture.departs.push_back(p);
        decoder(table, rom, jeu, p + plage.longueur, n, unites, nullptr, true);
        p += plage.longueur + static_cast<long long>(n);
    }
}

}  // namespace

Lecture lire_plages(Extracteur::Table_ext const& table, std::vector<unsigned char> const& rom,
                    Description const& jeu) {
    Lecture lecture;
    lecture.plages.resize(jeu.textes.size());
    for (std::size_t r = 0; r < jeu.textes.size(); ++r) {
        Plage const& plage = jeu.textes[r];
        if (plage.longueur > 0)
            lire_chaines(table, rom, jeu, r, lecture);
        else
            decoder(table, rom, jeu, plage.debut, static_cast<std::size_t>(plage.fin - plage.debut + 1),
                    lecture.plages[r], &lecture.departs, false);
    }
    std::sort(lecture.departs.begin(), lecture.departs.end());
    return lecture;
}

}  // namespace Jeu
