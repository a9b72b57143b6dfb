#include "echange/importation.h"

#include "echange/verifications.h"
#include "insertion/encodage.h"

namespace Echange {

Rapport refus_de_lecture(Lecture const& lecture, std::string const& nom, char const* format, std::string const& en_tete) {
    switch (*lecture.defaut) {
    case Defaut::en_tete:
        return Rapport(Message::echange_en_tete, {nom, en_tete});
    case Defaut::colonnes:
        return Rapport(Message::echange_colonnes, {lecture.ligne, nom, lecture.colonnes});
    case Defaut::syntaxe:
        break;
    }
    return Rapport(Message::echange_illisible, {lecture.ligne, nom, format});
}

std::string Comptes::pourcentage() const {
    long long const total = traduits + flous + non_traduits + refuses;
    long long const pour_mille = total == 0 ? 0 : (traduits * 2000LL + total) / (2 * total);
    return std::to_string(pour_mille / 10) + "," + std::to_string(pour_mille % 10);
}

namespace {

// What the checks of one entry decided, with the count of its warnings.
struct Verdict {
    bool applique = false;
    int avertissements = 0;
};

// The checks of one entry whose translation is not empty, in order; its translation goes into
// `texte` when it is applied.
Verdict verifier(Ligne_echange const& l, Entree const& entree, std::vector<Terme> const& glossaire,
                 Demande_import const& d, std::string& texte, Rapports& rapports) {
    Verdict v;
    long point = 0;
    std::optional<std::string> const original = depuis_utf8(l.original, d.encodage, point);
    bool const change = !original || *original != entree.texte;
    if (change && !d.forcer) {
        rapports.emplace_back(Message::echange_original_change, std::vector<Argument>{l.identifiant});
        return v;
    }
    std::optional<std::string> traduction = depuis_utf8(l.traduction, d.encodage, point);
    if (!traduction) {
        rapports.emplace_back(Message::echange_hors_encodage,
                              std::vector<Argument>{l.identifiant, static_cast<long long>(point)});
        return v;
    }
    bool const coupe = d.forme == Forme::fixe ? traduction->find('\n') != std::string::npos
                                              : coupe_le_script(*traduction);
    if (coupe) {
        rapports.emplace_back(d.forme == Forme::fixe ? Message::echange_mot_sur_deux_lignes
                                                     : Message::echange_traduction_coupe,
                              std::vector<Argument>{l.identifiant});
        return v;
    }
    if (d.table) {
        Insereur::Encodage const encodage = Insereur::encoder(*traduction, *d.table);
        for (Insereur::Texte_encode const& t : encodage.textes)
            if (!t.rapports.empty()) {
                Rapport const& premier = t.rapports.front();
                std::string const caractere = premier.arguments.empty() ? "" : premier.arguments.front().texte();
                rapports.emplace_back(Message::echange_hors_table, std::vector<Argument>{l.identifiant, caractere});
                return v;
            }
    }
    v.applique = true;
    if (change) {
        rapports.emplace_back(Message::echange_original_force, std::vector<Argument>{l.identifiant});
        ++v.avertissements;
    }
    if (auto const ecart = ecart_de_codes(entree.texte, *traduction)) {
        rapports.emplace_back(Message::echange_codes_differents,
                              std::vector<Argument>{l.identifiant, ecart->first, ecart->second});
        ++v.avertissements;
    }
    for (Terme const* t : termes_manquants(entree.texte, *traduction, glossaire)) {
        rapports.emplace_back(Message::echange_glossaire, std::vector<Argument>{l.identifiant, t->traduction, t->original});
        ++v.avertissements;
    }
    texte = std::move(*traduction);
    return v;
}

}  // namespace

Importation importer(std::string const& fichier, std::string const& script, Demande_import const& d) {
    Importation r;
    if (auto const p = erreur_utf8(fichier)) {
        r.rapports.emplace_back(Message::echange_non_utf8, std::vector<Argument>{d.nom_fichier, static_cast<long long>(*p)});
        return r;
    }
    Lecture const lecture = lire(d.format, fichier);
    if (lecture.defaut) {
        r.rapports.push_back(refus_de_lecture(lecture, d.nom_fichier, nom_du_format(d.format), "id,original,traduction,statut,notes"));
        return r;
    }
    // The glossary's terms in the script's bytes; a term the encoding cannot write is in no text.
    std::vector<Terme> glossaire;
    for (Terme const& t : d.glossaire) {
        long point = 0;
        std::optional<std::string> o = depuis_utf8(t.original, d.encodage, point);
        std::optional<std::string> tr = depuis_utf8(t.traduction, d.encodage, point);
        if (o && tr) glossaire.push_back({std::move(*o), std::move(*tr)});
    }
    Script_en_entrees const entrees(script, d.forme);
    std::size_t const n = entrees.entrees().size();
    std::vector<std::string> textes(n);
    for (std::size_t k = 0; k < n; ++k) textes[k] = entrees.entrees()[k].texte;
    std::vector<bool> couverts(n, false);
    Comptes& c = r.comptes;
    for (Ligne_echange const& l : lecture.lignes) {
        std::optional<std::size_t> const k = entrees.chercher(l.identifiant);
        if (!k) {
            r.rapports.emplace_back(Message::echange_entree_inconnue, std::vector<Argument>{l.identifiant});
            ++c.refuses;
            continue;
        }
        if (couverts[*k]) {
            r.rapports.emplace_back(Message::echange_entree_repetee, std::vector<Argument>{l.identifiant});
            ++c.refuses;
            continue;
        }
        couverts[*k] = true;
        if (l.traduction.empty() || (l.flou && !d.appliquer_flous)) {
            ++c.non_traduits;
            continue;
        }
        Verdict const v = verifier(l, entrees.entrees()[*k], glossaire, d, textes[*k], r.rapports);
        if (!v.applique) {
            ++c.refuses;
            continue;
        }
        ++(l.flou ? c.flous : c.traduits);
        c.avertissements += v.avertissements;
    }
    for (std::size_t k = 0; k < n; ++k) {
        if (couverts[k]) continue;
        r.rapports.emplace_back(Message::echange_texte_sans_entree, std::vector<Argument>{entrees.entrees()[k].identifiant});
        ++c.non_traduits;
    }
    r.script = entrees.recomposer(textes);
    return r;
}

}  // namespace Echange
