#include "echange/exportation.h"

#include <cstdio>

#include "reformat/mesure.h"

namespace Echange {

namespace {

std::string hex(long long valeur) {
    char texte[24];
    std::snprintf(texte, sizeof texte, "$%llX", valeur);
    return texte;
}

// The widths of the text's lines, as the game shows them: "120, 96 | 40", one group per box.
std::string largeurs(Entree const& entree, Boite const& boite) {
    // A tag makes the text a block, which the measure cuts into boxes and lines; the line feed
    // put back after it lets an end code the table keys with one end the block.
    Auto_LB::Mesure const m = Auto_LB::mesurer(*boite.largeurs, "<PT1>\n" + entree.texte + "\n");
    std::string s;
    for (Auto_LB::Bloc_mesure const& bloc : m.blocs)
        for (Auto_LB::Boite_mesuree const& b : bloc.boites) {
            if (!s.empty()) s += " | ";
            for (std::size_t k = 0; k < b.lignes.size(); ++k)
                s += (k > 0 ? ", " : "") + std::to_string(b.lignes[k].largeur);
        }
    return s;
}

}  // namespace

std::string notes(Entree const& entree, Forme forme, std::optional<Boite> const& boite) {
    std::string s;
    if (forme == Forme::fixe) {
        s = "ligne " + entree.identifiant.substr(entree.identifiant.find(' ') + 1);
    } else if (!entree.pointeurs.empty()) {
        s = entree.pointeurs.size() > 1 ? "pointeurs " : "pointeur ";
        for (std::size_t k = 0; k < entree.pointeurs.size(); ++k)
            s += (k > 0 ? ", " : "") + std::to_string(entree.pointeurs[k]);
    } else {
        s = "sans pointeur";
    }
    if (entree.plage) s += " ; plage " + hex(entree.plage->debut) + "-" + hex(entree.plage->fin);
    // File content, in UTF-8: "boîte".
    if (boite)
        s += "\nbo\xC3\xAEte : " + std::to_string(boite->largeur) + " pixels, " + std::to_string(boite->lignes) +
             " lignes ; largeurs : " + largeurs(entree, *boite);
    return s;
}

Exportation exporter(std::string const& script, std::string const* traduction, Demande_export const& d) {
    Exportation e;
    if (d.encodage == Encodage::utf8) {
        if (auto const p = erreur_utf8(script)) {
            e.rapports.emplace_back(Message::echange_non_utf8, std::vector<Argument>{d.nom_script, static_cast<long long>(*p)});
            return e;
        }
        if (traduction)
            if (auto const p = erreur_utf8(*traduction)) {
                e.rapports.emplace_back(Message::echange_non_utf8,
                                        std::vector<Argument>{d.nom_traduction, static_cast<long long>(*p)});
                return e;
            }
    }
    Script_en_entrees const original(script, d.forme);
    std::optional<Script_en_entrees> traduit;
    std::vector<std::size_t> paires;
    if (traduction) {
        traduit.emplace(*traduction, d.forme);
        auto appariement = appairer(original, *traduit);
        if (auto const* ecart = std::get_if<Ecart_de_balises>(&appariement)) {
            e.rapports.emplace_back(ecart->dans_l_original ? Message::echange_texte_absent : Message::echange_texte_en_trop,
                                    std::vector<Argument>{d.nom_traduction, ecart->identifiant, d.nom_script});
            return e;
        }
        paires = std::get<std::vector<std::size_t>>(std::move(appariement));
    }
    std::vector<Ligne_echange> lignes;
    lignes.reserve(original.entrees().size());
    for (std::size_t k = 0; k < original.entrees().size(); ++k) {
        Entree const& entree = original.entrees()[k];
        Ligne_echange l;
        l.identifiant = entree.identifiant;
        l.original = vers_utf8(entree.texte, d.encodage);
        if (traduit) l.traduction = vers_utf8(traduit->entrees()[paires[k]].texte, d.encodage);
        l.notes = notes(entree, d.forme, d.boite);
        lignes.push_back(std::move(l));
    }
    e.entrees = static_cast<int>(lignes.size());
    e.octets = ecrire(d.format, std::move(lignes), d.en_tete);
    return e;
}

}  // namespace Echange
