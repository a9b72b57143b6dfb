#include <cstdio>
#include <filesystem>
#include <system_error>
#include <variant>

#include "echange/entrees-script.h"
#include "epreuve/feuille.h"
#include "epreuve/html.h"
#include "epreuve/page-html.h"
#include "host/chargement.h"
#include "host/enregistrement.h"
#include "host/operations.h"

namespace Operations {

namespace {

std::optional<std::string> lire(std::string const& nom) {
    std::optional<std::string> texte = lire_texte(nom.c_str());
    if (!texte) afficher(Rapport(Message::ouverture_impossible, {nom}));
    return texte;
}

// In UTF-8, every script must be valid UTF-8, so that the page is.
bool utf8_valide(std::string const& texte, std::string const& nom, Message refus) {
    std::optional<std::size_t> const erreur = Echange::erreur_utf8(texte);
    if (!erreur) return true;
    afficher(Rapport(refus, {nom, static_cast<long long>(*erreur)}));
    return false;
}

// The original of each of the translation's entries, paired by identifier; nothing after
// printing the first identifier one has and the other lacks.
std::optional<std::vector<std::string>> originaux(Echange::Script_en_entrees const& original,
                                                  Echange::Script_en_entrees const& traduction,
                                                  Demande_epreuve const& d) {
    auto const paires = Echange::appairer(original, traduction);
    if (auto const* ecart = std::get_if<Echange::Ecart_de_balises>(&paires)) {
        afficher(Rapport(ecart->dans_l_original ? Message::echange_texte_absent : Message::echange_texte_en_trop,
                         {d.apercu.script, ecart->identifiant, *d.original}));
        return std::nullopt;
    }
    std::vector<std::size_t> const& indexes = std::get<std::vector<std::size_t>>(paires);
    std::vector<std::string> textes(traduction.entrees().size());
    for (std::size_t k = 0; k < indexes.size(); ++k) textes[indexes[k]] = original.entrees()[k].texte;
    return textes;
}

std::string nom_d_image(std::size_t page) {
    char nom[32];
    std::snprintf(nom, sizeof nom, "page-%03zu.png", page + 1);
    return nom;
}

}  // namespace

std::string dossier_des_images(std::string const& page) {
    std::filesystem::path chemin(page);
    chemin.replace_filename(chemin.stem().string() + "-images");
    return chemin.string();
}

std::optional<Epreuve_ecrite> epreuve(Demande_epreuve const& d) {
    Demande_apercu const& a = d.apercu;
    std::optional<std::string> const script = lire(a.script);
    if (!script) return std::nullopt;
    std::optional<std::string> original;
    if (d.original && !(original = lire(*d.original))) return std::nullopt;
    if (d.encodage == Echange::Encodage::utf8) {
        if (!utf8_valide(*script, a.script, Message::echange_non_utf8)) return std::nullopt;
        if (original && !utf8_valide(*original, *d.original, Message::echange_non_utf8)) return std::nullopt;
        if (std::optional<std::size_t> const erreur = Echange::erreur_utf8(d.titre)) {
            afficher(Rapport(Message::epreuve_titre_non_utf8, {static_cast<long long>(*erreur)}));
            return std::nullopt;
        }
    }
    Echange::Script_en_entrees const traduction(*script, Echange::Forme::balises);
    std::optional<std::vector<std::string>> textes_originaux;
    if (original) {
        textes_originaux = originaux(Echange::Script_en_entrees(*original, Echange::Forme::balises), traduction, d);
        if (!textes_originaux) return std::nullopt;
    }
    std::vector<std::string> entrees = {a.script, a.table, a.rom, a.largeurs};
    if (d.original) entrees.push_back(*d.original);
    bool pret = true;
    for (std::string const& entree : entrees) pret = pret && differents(a.sortie.c_str(), entree.c_str());
    Sortie page;
    if (!pret || !page.preparer(a.sortie.c_str(), Message::fopen_impossible)) return std::nullopt;

    Rom_de_police rom;
    std::optional<Apercu::Mise_en_page> m = mettre_en_page(a, *script, rom);
    if (!m) return std::nullopt;
    Epreuve::Feuille const feuille =
        Epreuve::composer(d.titre, traduction, textes_originaux ? &*textes_originaux : nullptr, *m, d.encodage);

    std::string const dossier = dossier_des_images(a.sortie);
    std::string const relatif = std::filesystem::path(dossier).filename().string();
    std::vector<std::string> images;
    for (std::size_t p = 0; p < m->pages.size(); ++p) images.push_back(Epreuve::en_url(relatif + "/" + nom_d_image(p)));
    if (!m->pages.empty()) {
        std::error_code erreur;
        std::filesystem::create_directories(dossier, erreur);
        if (erreur) {
            afficher(Rapport(Message::epreuve_dossier_impossible, {dossier, erreur.message()}));
            return std::nullopt;
        }
        auto const nom = [&dossier](std::size_t p) { return dossier + "/" + nom_d_image(p); };
        if (!ecrire_pages(*m, *rom.police, a.parametres, nom, entrees)) return std::nullopt;
    }
    if (!page.enregistrer(Epreuve::page_html(feuille, *m, images, d.encodage))) return std::nullopt;
    int const sections = static_cast<int>(feuille.sections.size());
    afficher(Rapport(Message::epreuve_ecrite, {sections, static_cast<int>(m->boites.size()),
                                              static_cast<int>(m->pages.size()), a.sortie}));
    return Epreuve_ecrite{std::move(*m), sections};
}

}  // namespace Operations
