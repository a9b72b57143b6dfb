#include "paires.h"

#include <random>

namespace paires {

Octets aleatoires(std::size_t taille, std::uint32_t graine) {
    std::mt19937 alea(graine);
    Octets o(taille);
    for (unsigned char& x : o) x = static_cast<unsigned char>(alea());
    return o;
}

Octets texte(std::size_t taille, std::uint32_t graine, int mots) {
    std::mt19937 alea(graine);
    std::vector<std::string> vocabulaire;
    for (int k = 0; k < mots; ++k) {
        std::string mot;
        for (int n = 2 + static_cast<int>(alea() % 7); n > 0; --n) mot += static_cast<char>('a' + alea() % 26);
        vocabulaire.push_back(mot);
    }
    std::string t;
    while (t.size() < taille) {
        t += vocabulaire[alea() % vocabulaire.size()];
        t += alea() % 8 == 0 ? '\n' : ' ';
    }
    t.resize(taille);
    return octets(t);
}

Octets octets(std::string const& texte) { return Octets(texte.begin(), texte.end()); }

namespace {

Octets joindre(std::initializer_list<Octets> morceaux) {
    Octets o;
    for (Octets const& m : morceaux) o.insert(o.end(), m.begin(), m.end());
    return o;
}

Octets changer(Octets o, std::initializer_list<std::size_t> positions) {
    for (std::size_t p : positions) o[p] = static_cast<unsigned char>(o[p] ^ 0x5A);
    return o;
}

}  // namespace

std::vector<Paire> variees() {
    std::vector<Paire> v;
    Octets const t = texte(6000, 1);
    v.push_back({"identical", t, t});
    v.push_back({"both empty", {}, {}});
    v.push_back({"from empty", {}, aleatoires(700, 2)});
    v.push_back({"to empty", aleatoires(700, 3), {}});
    v.push_back({"scattered changes", t, changer(t, {0, 1, 17, 900, 903, 2500, 5999})});
    v.push_back({"shorter and changed", t, changer(Octets(t.begin(), t.begin() + 4000), {10, 3999})});
    v.push_back({"longer with a zero tail", t, joindre({t, texte(3000, 4), Octets(300, 0)})});
    Octets run = texte(200000, 5);
    std::fill(run.begin() + 30000, run.begin() + 130000, 0xFF);
    v.push_back({"a run over more than one record", texte(200000, 5), run});
    v.push_back({"every byte differs over more than one record", aleatoires(150000, 6), aleatoires(150000, 7)});
    v.push_back({"text rewritten", joindre({aleatoires(20000, 8), texte(40000, 9)}),
                 joindre({aleatoires(20000, 8), texte(40000, 10)})});
    Octets const a = aleatoires(30000, 11), b = texte(30000, 12), c = aleatoires(30000, 13);
    v.push_back({"blocks moved", joindre({a, b, c}), joindre({c, a, b, b})});
    v.push_back({"repeated output", aleatoires(1000, 14),
                 joindre({octets("abc"), Octets(5000, 'x'), octets("abcabcabcabc"), texte(2000, 15)})});
    // Offset 0x454F46 spells "EOF": changes at it, before it, in a run starting there.
    Octets const grande = texte(0x455000, 16);
    v.push_back({"a change at 0x454F46", grande, changer(grande, {0x454F46})});
    v.push_back({"changes on both sides of 0x454F46", grande, changer(grande, {0x454F40, 0x454F46, 0x454F47})});
    Octets run_eof = grande;
    std::fill(run_eof.begin() + 0x454F46, run_eof.begin() + 0x454F46 + 40, 0xEE);
    v.push_back({"a run from 0x454F46", grande, run_eof});
    v.push_back({"growth past 0x454F46", texte(0x454F00, 17), texte(0x455000, 18)});
    return v;
}

std::vector<Paire> aleatoires_petites(int nombre, std::uint32_t graine) {
    std::mt19937 alea(graine);
    std::vector<Paire> v;
    for (int k = 0; k < nombre; ++k) {
        Octets original = alea() % 2 ? texte(alea() % 3000, alea(), 20) : aleatoires(alea() % 3000, alea());
        Octets modifie = original;
        for (int e = static_cast<int>(alea() % 6); e > 0; --e) {
            std::size_t const ici = modifie.empty() ? 0 : alea() % modifie.size();
            std::size_t const n = 1 + alea() % 300;
            switch (alea() % 6) {
                case 0:
                    if (!modifie.empty()) modifie[ici] = static_cast<unsigned char>(alea());
                    break;
                case 1:
                    modifie.resize(std::max(modifie.size(), ici + n));
                    std::fill_n(modifie.begin() + static_cast<std::ptrdiff_t>(ici), n, static_cast<unsigned char>(alea()));
                    break;
                case 2: {
                    Octets const piece = aleatoires(n, alea());
                    modifie.insert(modifie.begin() + static_cast<std::ptrdiff_t>(ici), piece.begin(), piece.end());
                    break;
                }
                case 3:
                    modifie.erase(modifie.begin() + static_cast<std::ptrdiff_t>(ici),
                                  modifie.begin() + static_cast<std::ptrdiff_t>(std::min(modifie.size(), ici + n)));
                    break;
                case 4: {
                    std::size_t const de = original.empty() ? 0 : alea() % original.size();
                    std::size_t const fin = std::min(original.size(), de + n);
                    modifie.insert(modifie.begin() + static_cast<std::ptrdiff_t>(ici),
                                   original.begin() + static_cast<std::ptrdiff_t>(de),
                                   original.begin() + static_cast<std::ptrdiff_t>(fin));
                    break;
                }
                case 5: modifie.resize(alea() % 2 ? modifie.size() / 2 : modifie.size() + n, 0); break;
            }
        }
        v.push_back({"random pair " + std::to_string(k), std::move(original), std::move(modifie)});
    }
    return v;
}

}  // namespace paires
