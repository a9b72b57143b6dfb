#include "script_aleatoire.h"

#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

namespace bench_optimiseurs {

namespace {

std::vector<std::string> vocabulaire(std::mt19937& alea, int nombre) {
    static char const* const syllabes[] = {"la", "le", "de", "en", "ou", "re", "ti", "on", "ma", "che", "vo", "pri",
                                           "son", "ter", "qui", "est", "par", "mon", "ra", "\xe9t\xe9", "oi", "ne"};
    std::uniform_int_distribution<int> combien(1, 4);
    std::uniform_int_distribution<int> laquelle(0, sizeof(syllabes) / sizeof(syllabes[0]) - 1);
    std::vector<std::string> mots;
    for (int i = 0; i < nombre; ++i) {
        std::string mot;
        for (int k = combien(alea); k > 0; --k) mot += syllabes[laquelle(alea)];
        mots.push_back(mot);
    }
    return mots;
}

}  // namespace

std::string script_de_jeu(std::size_t taille, std::uint32_t graine) {
    std::mt19937 alea(graine);
    std::vector<std::string> const mots = vocabulaire(alea, 3000);
    std::vector<double> poids;
    for (std::size_t rang = 0; rang < mots.size(); ++rang) poids.push_back(1.0 / std::pow(rang + 1.0, 1.1));
    std::discrete_distribution<std::size_t> quel_mot(poids.begin(), poids.end());
    std::uniform_int_distribution<int> cent(0, 99);
    std::uniform_int_distribution<int> phrase(3, 14);

    std::string script;
    script.reserve(taille + 256);
    int pointeur = 1;
    char tag[32];
    while (script.size() < taille) {
        std::snprintf(tag, sizeof tag, "<PT%04d>\n", pointeur++);
        script += tag;
        for (int phrases = 1 + cent(alea) % 3; phrases > 0; --phrases) {
            for (int n = phrase(alea); n > 0; --n) {
                std::string mot = mots[quel_mot(alea)];
                if (n == 1 || cent(alea) < 3) mot[0] = static_cast<char>(mot[0] - 'a' + 'A');
                script += mot;
                int c = cent(alea);
                if (c < 4)
                    script += "\n";
                else if (c < 6)
                    script += " [NOM] ";
                else if (c < 7)
                    script += "<0C>";
                else if (n > 1)
                    script += ' ';
            }
            script += cent(alea) < 70 ? ". " : "! ";
        }
        script += "[FIN]\n";
    }
    script.resize(taille);
    return script;
}

std::string petit_script(std::uint32_t graine) {
    std::mt19937 alea(graine);
    static char const* const morceaux[] = {"a", "b", "ab", "ba", "aab", "c", " ", "\xe9", "\n", "\t", "<PT0001>\n",
                                           "<0A>", "<", ">", "abc", "bca"};
    std::uniform_int_distribution<int> combien(0, 120);
    std::uniform_int_distribution<int> lequel(0, sizeof(morceaux) / sizeof(morceaux[0]) - 1);
    std::string script;
    for (int n = combien(alea); n > 0; --n) script += morceaux[lequel(alea)];
    return script;
}

}  // namespace bench_optimiseurs
