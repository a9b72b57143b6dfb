#include "paires_roms.h"

#include <random>

namespace {

constexpr std::size_t mebioctet = std::size_t{1} << 20;

std::vector<std::string> vocabulaire(int mots, std::mt19937& alea) {
    static char const* const attaques[] = {"", "b", "c", "d", "f", "g", "l", "m", "n", "p", "r", "s", "t", "v",
                                           "ch", "tr", "pl", "gr", "qu"};
    static char const* const voyelles[] = {"a", "e", "i", "o", "u", "ou", "an", "on", "eu", "ai", "\xe9", "\xe8",
                                           "\xe0"};
    static char const* const codas[] = {"", "", "", "r", "s", "n", "l", "t"};
    std::vector<std::string> liste;
    while (static_cast<int>(liste.size()) < mots) {
        std::string mot;
        for (int s = 1 + static_cast<int>(alea() % 3); s > 0; --s) {
            mot += attaques[alea() % std::size(attaques)];
            mot += voyelles[alea() % std::size(voyelles)];
            mot += codas[alea() % std::size(codas)];
        }
        liste.push_back(mot);
    }
    return liste;
}

Octets code_genere(std::size_t taille, std::uint32_t graine) {
    std::mt19937 alea(graine);
    Octets code(taille);
    for (unsigned char& o : code) o = static_cast<unsigned char>(alea());
    return code;
}

Paire rom_traduite() {
    Octets const code = code_genere(mebioctet, 11);
    Paire p;
    p.original = code;
    Octets const ancien = texte_genere(mebioctet, 300, 12);
    p.original.insert(p.original.end(), ancien.begin(), ancien.end());
    p.modifie = code;
    Octets const nouveau = texte_genere(mebioctet, 300, 13);
    p.modifie.insert(p.modifie.end(), nouveau.begin(), nouveau.end());
    p.texte_nouveau = nouveau.size();
    return p;
}

}  // namespace

Octets texte_genere(std::size_t taille, int mots, std::uint32_t graine) {
    std::mt19937 alea(graine);
    std::vector<std::string> const liste = vocabulaire(mots, alea);
    std::string texte;
    std::size_t ligne = 0;
    bool majuscule = true;
    while (texte.size() < taille) {
        std::string mot = liste[alea() % liste.size()];
        if (majuscule && mot[0] >= 'a' && mot[0] <= 'z') mot[0] = static_cast<char>(mot[0] - 'a' + 'A');
        majuscule = false;
        texte += mot;
        ligne += mot.size();
        unsigned const ponctuation = alea() % 16;
        if (ponctuation == 0) {
            texte += '.';
            majuscule = true;
        } else if (ponctuation == 1) {
            texte += ',';
        } else if (ponctuation == 2 && ligne > 10) {
            texte += alea() % 2 ? '!' : '?';
            majuscule = true;
        }
        if (ligne >= 40) {
            texte += '\n';
            ligne = 0;
        } else {
            texte += ' ';
            ++ligne;
        }
    }
    texte.resize(taille);
    return Octets(texte.begin(), texte.end());
}

Paire paire_traduite() { return rom_traduite(); }

Paire paire_corrigee(int corrections) {
    Paire p = rom_traduite();
    p.modifie = p.original;
    std::mt19937 alea(14);
    for (int k = 0; k < corrections; ++k) {
        std::size_t const position = alea() % p.modifie.size();
        p.modifie[position] = static_cast<unsigned char>(p.modifie[position] ^ (1 + alea() % 255));
    }
    p.texte_nouveau = 0;
    return p;
}

Paire paire_agrandie() {
    Paire p = rom_traduite();
    Octets const nouveau = texte_genere(mebioctet, 300, 15);
    p.modifie.assign(p.original.begin(), p.original.begin() + mebioctet);
    p.modifie.insert(p.modifie.end(), nouveau.begin(), nouveau.end());
    p.modifie.insert(p.modifie.end(), p.original.begin() + mebioctet, p.original.end());
    p.modifie.resize(4 * mebioctet, 0xFF);
    p.texte_nouveau = nouveau.size();
    return p;
}
