#include <cctype>
#include <cstdio>

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

// Writes the page's picture. False after printing why it could not be.
bool ecrire_page(Apercu::Mise_en_page const& m, std::size_t page, Apercu::Police const& police,
                 Demande_apercu const& d) {
    std::string const nom = nom_de_page(d.sortie, page + 1);
    for (std::string const* entree : {&d.script, &d.table, &d.rom, &d.largeurs})
        if (!differents(nom.c_str(), entree->c_str())) return false;
    Sortie sortie;
    if (!sortie.preparer(nom.c_str(), Message::fopen_impossible)) return false;
    std::vector<unsigned char> const png = Apercu::png_rvb(Apercu::dessiner(m, page, police, d.parametres));
    return sortie.enregistrer(png.data(), png.size());
}

}  // namespace

std::string nom_de_page(std::string const& sortie, std::size_t page) {
    std::string const base = finit_par_png(sortie) ? sortie.substr(0, sortie.size() - 4) : sortie;
    char numero[32];
    std::snprintf(numero, sizeof numero, "-%03zu.png", page);
    return base + numero;
}

std::optional<Apercu::Mise_en_page> apercu(Demande_apercu const& d) {
    std::optional<std::string> const script = lire_texte(d.script.c_str());
    if (!script) {
        afficher(Rapport(Message::ouverture_impossible, {d.script}));
        return std::nullopt;
    }
    Insereur::Table_ins codes;
    if (!charger_table(codes, d.table.c_str(), Message::ouverture_impossible)) return std::nullopt;
    Auto_LB::Table_ALB largeurs;
    if (!charger_table(largeurs, d.largeurs.c_str(), Message::ouverture_impossible) || !largeurs.utilisable())
        return std::nullopt;
    std::optional<std::string> const rom = lire_octets(d.rom.c_str());
    if (!rom) {
        afficher(Rapport(Message::ouverture_impossible, {d.rom}));
        return std::nullopt;
    }
    std::vector<unsigned char> const octets(rom->begin(), rom->end());
    Apercu::Police const police(octets, d.adresse, d.premier);
    if (std::optional<Rapport> const refus = Apercu::verifier(d.parametres, police, codes)) {
        afficher(*refus);
        return std::nullopt;
    }
    Apercu::Mise_en_page m = Apercu::mettre_en_page(*script, codes, largeurs, police, d.parametres);
    afficher(m.rapports);
    afficher(Rapport(Message::problemes_trouves, {m.problemes}));
    if (m.pages.empty()) {
        afficher(Rapport(Message::apercu_rien_a_montrer));
        return m;
    }
    for (std::size_t page = 0; page < m.pages.size(); ++page)
        if (!ecrire_page(m, page, police, d)) return std::nullopt;
    afficher(Rapport(Message::apercu_pages, {static_cast<int>(m.boites.size()), static_cast<int>(m.pages.size()),
                                             nom_de_page(d.sortie, 1), nom_de_page(d.sortie, m.pages.size())}));
    return m;
}

}  // namespace Operations
