#include "decouverte/sondes.h"

#include <algorithm>

namespace Decouverte {

namespace {

Sonde fixe(Correspondance c, long long constante = 0, long long entete = 0) {
    Sonde s;
    s.forme.correspondance = c;
    s.forme.constante = constante;
    s.forme.entete = entete;
    return s;
}

Sonde libre(Correspondance c) {
    Sonde s = fixe(c);
    s.libre = true;
    return s;
}

}  // namespace

long long entete_ines(std::vector<unsigned char> const& rom) {
    return rom.size() >= 16 && rom[0] == 'N' && rom[1] == 'E' && rom[2] == 'S' && rom[3] == 0x1A ? 0x10 : 0;
}

long long entete_copieur(std::vector<unsigned char> const& rom) { return rom.size() % 0x400 == 0x200 ? 0x200 : 0; }

Recherche::Recherche(std::vector<unsigned char> const& rom_, Index_debuts const& index_,
                     std::vector<long long> const& ecarts)
    : rom(rom_), index(index_), sondes_par_taille(5) {
    auto const taille_rom = static_cast<long long>(rom.size());
    for (int taille = 2; taille <= 4; ++taille)
        for (Ordre_octets ordre : {Ordre_octets::petit_boutiste, Ordre_octets::grand_boutiste})
            lectures.push_back({taille, ordre, 0});
    std::vector<long long> distances;
    for (long long e : ecarts)
        if (e != 0 && e < taille_rom && -e < taille_rom) distances.push_back(e);
    std::sort(distances.begin(), distances.end());
    distances.erase(std::unique(distances.begin(), distances.end()), distances.end());
    for (long long e : distances) lectures.push_back({2, Ordre_octets::petit_boutiste, e});

    long long const snes = entete_copieur(rom);
    long long const nes = entete_ines(rom);
    struct Banque {
        Correspondance c;
        long long entete;
        std::uint32_t min;
        std::uint32_t max;
    };
    Banque const par_banque[] = {
        {Correspondance::banque_lorom, snes, 0x8000, 0xFFFF}, {Correspondance::banque_hirom, snes, 0, 0xFFFF},
        {Correspondance::banque_gb, 0, 0x4000, 0x7FFF},       {Correspondance::banque_nes_4000, nes, 0x8000, 0xFFFF},
        {Correspondance::banque_nes_2000, nes, 0x8000, 0xFFFF},
    };
    // Each bank index once per size and header, built before any sonde points into it.
    std::vector<std::pair<long long, long long>> cles;
    for (Banque const& b : par_banque) cles.emplace_back(periode(b.c), b.entete);
    std::sort(cles.begin(), cles.end());
    cles.erase(std::unique(cles.begin(), cles.end()), cles.end());
    for (auto const& [t, e] : cles) banques.emplace_back(index.debuts(), t, e);

    auto ajouter = [this](Sonde const& s, std::initializer_list<int> tailles) {
        for (int t : tailles) sondes_par_taille[static_cast<std::size_t>(t)].push_back(static_cast<int>(sondes.size()));
        sondes.push_back(s);
    };
    for (Sonde const& s : {fixe(Correspondance::lineaire), fixe(Correspondance::relative),
                           libre(Correspondance::lineaire), libre(Correspondance::relative)})
        ajouter(s, {2, 3, 4});
    for (Banque const& b : par_banque) {
        Sonde s = fixe(b.c, 0, b.entete);
        auto const cle = std::make_pair(periode(b.c), b.entete);
        s.banques = &banques[static_cast<std::size_t>(std::lower_bound(cles.begin(), cles.end(), cle) - cles.begin())];
        s.valeur_min = b.min;
        s.valeur_max = b.max;
        ajouter(s, {2});
    }
    Sonde lorom_00 = fixe(Correspondance::lorom_00, 0, snes);
    lorom_00.bit_requis = 0x8000;
    lorom_00.valeur_max = 0x7FFFFF;
    Sonde lorom_80 = fixe(Correspondance::lorom_80, 0, snes);
    lorom_80.bit_requis = 0x8000;
    Sonde hirom_40 = fixe(Correspondance::hirom_40, 0x400000 - snes, snes);
    hirom_40.valeur_max = 0x7FFFFF;
    for (Sonde const& s : {lorom_00, lorom_80, fixe(Correspondance::hirom_c0, 0xC00000 - snes, snes), hirom_40})
        ajouter(s, {3});
    ajouter(fixe(Correspondance::gba, 0x08000000), {4});

    valeurs_utiles.resize(5);
    for (int taille = 2; taille <= 4; ++taille) {
        int const bits = (taille == 4 ? 32 : 8 * taille) - decalage_valeurs(taille);
        std::vector<std::uint64_t>& utiles = valeurs_utiles[static_cast<std::size_t>(taille)];
        utiles.assign((std::size_t{1} << bits) / 64, 0);
        for (int i : sondes_par_taille[static_cast<std::size_t>(taille)]) {
            Sonde& s = sondes[static_cast<std::size_t>(i)];
            s.par_valeur = !s.libre && s.banques == nullptr && s.forme.correspondance != Correspondance::relative;
            if (!s.par_valeur) continue;
            // The LoROM formulas leave bit 15 out: the value with it and the value without it.
            bool const lorom =
                s.forme.correspondance == Correspondance::lorom_00 || s.forme.correspondance == Correspondance::lorom_80;
            for (long long d : index.debuts()) {
                std::optional<std::uint32_t> const v = valeur(s.forme, d, 0, taille);
                if (!v) continue;
                for (std::uint32_t u : {*v, lorom ? *v ^ 0x8000u : *v}) {
                    std::uint32_t const cle = u >> decalage_valeurs(taille);
                    utiles[cle >> 6] |= std::uint64_t{1} << (cle & 63);
                }
            }
        }
    }

    std::vector<long long> distinctes;
    std::vector<long long> const& d = index.debuts();
    for (std::size_t j = 0; j + 1 < d.size(); ++j)
        if (index.ecart_consecutif(d[j + 1] - d[j])) distinctes.push_back(d[j + 1] - d[j]);
    std::sort(distinctes.begin(), distinctes.end());
    distinctes.erase(std::unique(distinctes.begin(), distinctes.end()), distinctes.end());
    if (!distinctes.empty()) {
        sans_ecarts = false;
        ecart_bas = static_cast<std::uint32_t>(distinctes.front() - pas_max);
        etendue = static_cast<std::uint32_t>(distinctes.back()) - ecart_bas;
    }
    for (int p = 0; p <= pas_max; ++p) {
        std::vector<std::uint64_t> bits(static_cast<std::size_t>((Index_debuts::ecart_max + decalage_ecart + 63) / 64), 0);
        auto poser = [&bits](long long i) { bits[static_cast<std::size_t>(i >> 6)] |= std::uint64_t{1} << (i & 63); };
        for (long long e : distinctes) {
            poser(e + decalage_ecart);
            poser(e - p + decalage_ecart);
        }
        ecarts_par_pas.push_back(std::move(bits));
    }
}

}  // namespace Decouverte
