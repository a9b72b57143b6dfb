#include <algorithm>
#include <cctype>
#include <cstdio>
#include <functional>
#include <future>
#include <thread>

#include "apercu/png-rvb.h"
#include "host/chargement.h"
#include "host/enregistrement.h"
#include "host/operations.h"
#include "reformat/auto_lb-table.h"
#include "tables/insereur-table.h"

namespace Operations {

namespace {

bool finit_par_png(std::string const& nom) {
    if (nom.size() < 4) return false;
    std::string fin = nom.substr(nom.size() - 4);
    for (char& c : fin) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return fin == ".png";
}

}  // namespace

std::string nom_de_page(std::string const& sortie, std::size_t page) {
    std::string const base = finit_par_png(sortie) ? sortie.substr(0, sortie.size() - 4) : sortie;
    char numero[32];
    std::snprintf(numero, sizeof numero, "-%03zu.png", page);
    return base + numero;
}

bool ecrire_pages(Apercu::Mise_en_page const& m, Apercu::Police const& police, Apercu::Parametres const& parametres,
                  std::function<std::string(std::size_t)> const& nom_de, std::vector<std::string> const& entrees) {
    std::size_t const ensemble = std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, 8);
    for (std::size_t debut = 0; debut < m.pages.size(); debut += ensemble) {
        std::vector<std::future<std::vector<unsigned char>>> images;
        for (std::size_t page = debut; page < std::min(m.pages.size(), debut + ensemble); ++page)
            images.push_back(std::async(std::launch::async, [&m, &police, &parametres, page] {
                return Apercu::png_rvb(Apercu::dessiner(m, page, police, parametres));
            }));
        for (std::size_t k = 0; k < images.size(); ++k) {
            std::string const nom = nom_de(debut + k);
            bool ecrite = true;
            for (std::string const& entree : entrees) ecrite = ecrite && differents(nom.c_str(), entree.c_str());
            Sortie sortie;
            ecrite = ecrite && sortie.preparer(nom.c_str(), Message::fopen_impossible);
            // On a refusal the pictures still being made are waited for by their futures.
            std::vector<unsigned char> const png = images[k].get();
            if (!ecrite || !sortie.enregistrer(png.data(), png.size())) return false;
        }
    }
    return true;
}

std::optional<Apercu::Mise_en_page> mettre_en_page(Demande_apercu const& d, std::string const& script_lu,
                                                   Rom_de_police& rom) {
    Insereur::Table_ins codes;
    if (!charger_table(codes, d.table.c_str(), Message::ouverture_impossible)) return std::nullopt;
    Auto_LB::Table_ALB largeurs;
    if (!charger_table(largeurs, d.largeurs.c_str(), Message::ouverture_impossible) || !largeurs.utilisable())
        return std::nullopt;
    std::optional<std::string> const rom_lue = lire_octets(d.rom.c_str());
    if (!rom_lue) {
        afficher(Rapport(Message::ouverture_impossible, {d.rom}));
        return std::nullopt;
    }
    rom.octets.assign(rom_lue->begin(), rom_lue->end());
    rom.police.emplace(rom.octets, d.adresse, d.premier, d.forme, d.largeurs_rom);
    if (std::optional<Rapport> const refus = Apercu::verifier(d.parametres, *rom.police, codes)) {
        afficher(*refus);
        return std::nullopt;
    }
    Apercu::Mise_en_page m = Apercu::mettre_en_page(script_lu, codes, largeurs, *rom.police, d.parametres);
    afficher(m.rapports);
    afficher(Rapport(Message::problemes_trouves, {m.problemes}));
    return m;
}

std::optional<Apercu::Mise_en_page> apercu(Demande_apercu const& d) {
    std::optional<std::string> const script = lire_texte(d.script.c_str());
    if (!script) {
        afficher(Rapport(Message::ouverture_impossible, {d.script}));
        return std::nullopt;
    }
    Rom_de_police rom;
    std::optional<Apercu::Mise_en_page> m = mettre_en_page(d, *script, rom);
    if (!m) return std::nullopt;
    if (m->pages.empty()) {
        afficher(Rapport(Message::apercu_rien_a_montrer));
        return m;
    }
    auto const nom = [&d](std::size_t page) { return nom_de_page(d.sortie, page + 1); };
    if (!ecrire_pages(*m, *rom.police, d.parametres, nom, {d.script, d.table, d.rom, d.largeurs})) return std::nullopt;
    afficher(Rapport(Message::apercu_pages, {static_cast<int>(m->boites.size()), static_cast<int>(m->pages.size()),
                                             nom_de_page(d.sortie, 1), nom_de_page(d.sortie, m->pages.size())}));
    return m;
}

}  // namespace Operations
