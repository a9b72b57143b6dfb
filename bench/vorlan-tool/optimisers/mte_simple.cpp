#include "mte_simple.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <map>
#include <vector>

#include "lib/fichiers.h"
#include "optimisers/mte.h"

namespace bench_optimiseurs {

void FindMTE_simple(std::string& text, Fichier& out, short& remaining, short max_length, int rom_size) {
    if (text.empty()) {
        remaining = 0;
        std::printf("Empty text.\n");
        return;
    }
    std::size_t const t = static_cast<std::size_t>(rom_size);
    std::uint32_t total = 0;
    while (remaining > 0) {
        std::map<std::string, std::uint32_t> compte;
        std::size_t const longueur = text.size();
        for (std::size_t p = 0; p + t <= longueur;) {
            if (text[p + t] == '\n') {
                p += t + 1;
                continue;
            }
            std::string candidat = text.substr(p, t + 1);
            ++compte[candidat];
            for (std::size_t l = t + 2; l <= static_cast<std::size_t>(max_length); ++l) {
                if (p + l - 1 >= longueur || text[p + l - 1] == '\n') break;
                candidat += text[p + l - 1];
                ++compte[candidat];
            }
            ++p;
        }
        std::vector<MTE::word_t> candidats;
        for (auto const& [mot, n] : compte)
            candidats.push_back(MTE::word_t{mot, n, static_cast<std::uint32_t>(mot.size() - t) * n});
        std::stable_sort(candidats.begin(), candidats.end());
        if (candidats.empty()) break;

        std::size_t pris = 1;
        for (std::size_t k = 1; k < candidats.size() && pris < static_cast<std::size_t>(remaining); ++k) {
            bool conflit = false;
            for (std::size_t j = 0; j < k && !conflit; ++j) conflit = MTE::IsConflict(candidats[k].texte, candidats[j].texte);
            if (conflit) break;
            ++pris;
        }
        for (std::size_t k = 0; k < pris; ++k) {
            MTE::word_t const& mot = candidats[k];
            MTE::CleanWord(text, mot.texte);
            std::printf("Taille : %8i  Apparitions : %8i  Score : %8i   \"%s\"\n", static_cast<int>(mot.texte.size()),
                        static_cast<int>(mot.apparitions), static_cast<int>(mot.score), mot.texte.c_str());
            out.print("%s\n", mot.texte.c_str());
            total += mot.score;
        }
        remaining = static_cast<short>(remaining - static_cast<int>(pris));
    }
    std::printf("Score total : %d\n", static_cast<int>(total));
}

void optimiser_simple(char const* input, char const* output, short count, short max_length, int rom_size) {
    Fichier sortie(output, "w");
    Fichier entree(input, "rb");
    std::string texte = Fichiers::charger(entree);
    entree.close();
    MTE::Clean(texte);
    FindMTE_simple(texte, sortie, count, max_length, rom_size);
}

}  // namespace bench_optimiseurs
