#include "jeu_genere.h"

#include <cstdio>
#include <random>
#include <vector>

Jeu_genere generer_jeu(std::size_t taille, unsigned graine) {
    std::mt19937 aleatoire(graine);
    Jeu_genere jeu;
    jeu.rom.assign(static_cast<std::size_t>(Jeu_genere::adresse_police), '\0');
    for (int code = 0x20; code < 0x80; ++code)
        for (int k = 0; k < 18; ++k) jeu.rom += static_cast<char>(aleatoire() & 0xFF);
    char ligne[32];
    jeu.largeurs = " =4\n\\n=LINEBREAK\n<BOITE>\\n=NEW_DEFAUT\n<FIN>\\n=FIN\n";
    for (int code = 0x21; code < 0x7F; ++code) {
        std::snprintf(ligne, sizeof ligne, "%02X=%c\n", code, code);
        jeu.table += ligne;
        if (code == '<' || code == '>' || code == '=') continue;
        std::snprintf(ligne, sizeof ligne, "%c=%d\n", code, 4 + static_cast<int>(aleatoire() % 6));
        jeu.largeurs += ligne;
    }
    jeu.table += "20= \n";
    std::vector<std::string> mots;
    for (int m = 0; m < 400; ++m) {
        std::string mot;
        for (unsigned n = 2 + aleatoire() % 7; n > 0; --n) mot += static_cast<char>('a' + aleatoire() % 26);
        mots.push_back(mot);
    }
    for (int pointeur = 1; jeu.script.size() < taille; ++pointeur) {
        std::snprintf(ligne, sizeof ligne, "<PT%04d>\n", pointeur);
        jeu.script += ligne;
        for (unsigned boite = 2 + aleatoire() % 3; boite > 0; --boite) {
            for (unsigned l = 3 + (aleatoire() % 10 == 0 ? 1 : 0); l > 0; --l) {
                if (aleatoire() % 8 == 0) jeu.script += "<Centrer>";
                for (unsigned n = 3 + aleatoire() % 4; n > 0; --n) {
                    jeu.script += mots[aleatoire() % mots.size()];
                    if (n > 1) jeu.script += ' ';
                }
                if (l > 1) jeu.script += '\n';
            }
            jeu.script += boite > 1 ? "<BOITE>\n" : "<FIN>\n\n";
        }
    }
    return jeu;
}
