#include "insertion/table-courte.h"

#include <cstdio>
#include <utility>

#include "tables/fichier-table.h"

namespace Insereur {

namespace {

std::string forme_brute(unsigned char octet) {
    char texte[5];
    std::snprintf(texte, sizeof texte, "<%02X>", octet);
    return texte;
}

// Whether extraction's reading of a key gives back `texte`: the same, or for an end token or
// a line break the same up to one final line feed (the insertion table knows both forms).
bool relu(std::string const& texte, std::string const& lu, bool fin_de_ligne_libre) {
    if (texte == lu) return true;
    if (!fin_de_ligne_libre) return false;
    if (texte.size() + 1 == lu.size()) return lu.back() == '\n' && lu.compare(0, texte.size(), texte) == 0;
    if (lu.size() + 1 == texte.size()) return texte.back() == '\n' && texte.compare(0, lu.size(), lu) == 0;
    return false;
}

}  // namespace

Rapports Table_courte::charger(std::string const& octets) {
    Rapports rapports = insertion_.charger(octets);
    // The same lines again, for what each key reads back as; their reports are the ones above.
    Rapports relus;
    std::string const contenu = Fichier_table::preparer(octets, Fichier_table::Syntaxe::caracteres, relus);
    Fichier_table::lire(contenu, Fichier_table::Syntaxe::caracteres, relus, [&](Fichier_table::Entree const& e) {
        // A line without a key (a table's name) defines no code.
        if (e.hexa.empty()) return;
        bool const libre = e.sorte == Fichier_table::Sorte::fin || e.sorte == Fichier_table::Sorte::saut_de_ligne;
        cles_lues_.emplace(Nb_ext_ins(reinterpret_cast<unsigned char const*>(e.hexa.c_str())),
                           Cle{e.texte, libre, e.parametres});
        textes_lus_.insert(e.texte);
        if (libre && !e.texte.empty())
            textes_lus_.insert(e.texte.back() == '\n' ? e.texte.substr(0, e.texte.size() - 1) : e.texte + '\n');
    });
    indexer();
    return rapports;
}

void Table_courte::indexer() {
    std::vector<std::pair<std::string, std::int32_t>> cles;
    for (auto const& lue : cles_lues_)
        cles.emplace_back(std::string(lue.first.octets(), lue.first.octets() + lue.first.taille()), 0);
    cles_ = Arbre_plat(cles);

    std::set<std::string> textes = textes_lus_;
    for (int b = 0; b < 256; ++b) textes.insert(forme_brute(static_cast<unsigned char>(b)));
    entrees_.clear();
    std::vector<std::pair<std::string, std::int32_t>> index;
    for (std::string const& texte : textes) {
        Nb_ext_ins const* code = insertion_.chercher(texte);
        if (code == nullptr || code->taille() == 0) continue;
        Entree e;
        e.code = code;
        e.octets = static_cast<std::uint32_t>(code->taille());
        e.longueur = texte.size();
        e.brut = code->taille() == 1 && texte == forme_brute(code->octets()[0]);
        std::uint32_t noeud = Arbre_plat::racine;
        for (int k = 0; k < code->taille() && (k == 0 || noeud != Arbre_plat::aucun); ++k)
            noeud = cles_.enfant(noeud, code->octets()[k]);
        if (noeud != Arbre_plat::aucun && cles_.valeur(noeud) != Arbre_plat::sans_valeur) {
            Cle const& cle = cles_lues_.find(*code)->second;
            // A raw form asks for its byte whatever that byte stands for: read back as the key
            // it is, its unit stays where it was.
            e.unite = e.brut || relu(texte, cle.texte, cle.fin_de_ligne_libre);
            e.parametres = cle.parametres;
            e.noeud = noeud;
        } else {
            e.unite = e.brut;
            e.noeud = e.brut ? noeud : Arbre_plat::aucun;
        }
        if (!e.unite && !e.brut) continue;
        index.emplace_back(texte, static_cast<std::int32_t>(entrees_.size()));
        entrees_.push_back(e);
        if (e.longueur > texte_max_) texte_max_ = e.longueur;
    }
    textes_ = Arbre_plat(index);
}

}  // namespace Insereur
