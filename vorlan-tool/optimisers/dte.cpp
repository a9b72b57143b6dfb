#include "optimisers/dte.h"

#include <cstring>

namespace DTE {

namespace {

constexpr unsigned char fin_de_ligne = '\n';

}  // namespace

Infos_DTE::Infos_DTE() : compteurs_(256 * 256, 0) {}

void Infos_DTE::initialiser() { compteurs_.assign(256 * 256, 0); }

void Infos_DTE::ajouter(unsigned char premier, unsigned char second) { ++compteurs_[premier * 256 + second]; }

void Infos_DTE::retirer(unsigned char premier, unsigned char second) { --compteurs_[premier * 256 + second]; }

std::uint32_t Infos_DTE::lire(unsigned char premier, unsigned char second) const {
    return compteurs_[premier * 256 + second];
}

int Infos_DTE::max() const {
    int meilleur = 0;
    for (int premier = 0; premier < 256; ++premier)
        for (int second = 1; second < 256; ++second)
            if (compteurs_[premier * 256 + second] > compteurs_[meilleur]) meilleur = premier * 256 + second;
    return meilleur;
}

void supprimer_balises(std::string& texte) {
    std::size_t i = texte.find('<');
    while (i != std::string::npos) {
        std::size_t fin = texte.find('>', i);
        std::size_t apres = fin == std::string::npos ? texte.size() : fin + 1;
        texte.replace(i, apres - i, apres - i, fin_de_ligne);
        i = texte.find('<', apres);
    }
}

void compter(std::string const& texte, Infos_DTE& paires) {
    for (std::size_t i = 0; i + 1 < texte.size(); ++i) {
        unsigned char a = texte[i], b = texte[i + 1];
        if (a != fin_de_ligne && b != fin_de_ligne) paires.ajouter(a, b);
    }
}

void supprimer(std::string& texte, unsigned char premier, unsigned char second, Infos_DTE& paires) {
    std::size_t const n = texte.size();
    if (n < 2) return;
    unsigned char* const t = reinterpret_cast<unsigned char*>(&texte[0]);
    auto oter = [&](std::size_t j) {  // the pair at j, j + 1 leaves the counters if it was counted
        unsigned char a = t[j], b = t[j + 1];
        if (a != fin_de_ligne && b != fin_de_ligne) paires.retirer(a, b);
    };
    // Every pass scans the whole text: the first byte is looked for with memchr, much faster
    // than a byte-by-byte comparison on a script of megabytes.
    std::size_t i = 0;
    while (i + 1 < n) {
        void const* trouve = std::memchr(t + i, premier, n - 1 - i);
        if (trouve == nullptr) break;
        i = static_cast<std::size_t>(static_cast<unsigned char const*>(trouve) - t);
        if (t[i + 1] != second) {
            ++i;
            continue;
        }
        if (i > 0) oter(i - 1);
        oter(i);
        if (i + 2 < n) oter(i + 1);
        t[i] = t[i + 1] = fin_de_ligne;
        i += 2;
    }
}

Optimisation optimiser(std::string texte, int nombre) {
    Optimisation optimisation;
    supprimer_balises(texte);
    optimisation.rapports.push_back(Rapport(Message::dte_entete));
    Infos_DTE paires;
    compter(texte, paires);
    std::uint32_t score = 0;
    for (int k = 0; k < nombre; ++k) {
        int indice = paires.max();
        unsigned char premier = static_cast<unsigned char>(indice / 256);
        unsigned char second = static_cast<unsigned char>(indice % 256);
        std::uint32_t apparitions = paires.lire(premier, second);
        optimisation.resultat += static_cast<char>(premier);
        optimisation.resultat += static_cast<char>(second);
        optimisation.resultat += '\n';
        optimisation.rapports.push_back(
            Rapport(Message::dte_paire, {premier, second, static_cast<int>(apparitions)}));
        score += apparitions;
        // Once no pair is left every further pass would report the same empty pair: a huge
        // count must not print it billions of times.
        if (apparitions == 0) break;
        supprimer(texte, premier, second, paires);
    }
    optimisation.rapports.push_back(Rapport(Message::dte_score, {static_cast<int>(score)}));
    return optimisation;
}

}  // namespace DTE
