#include "tables/extracteur-bascules.h"

#include <optional>

namespace Extracteur {

namespace {

// A switch entry read, waiting for every table to be known before its targets are found.
struct En_attente {
    Texte_ext* entree;
    std::vector<Fichier_table::Bascule_lue> bascules;
    std::string const* fichier;
    int ligne;
};

}  // namespace

std::size_t Tables_ext::ouvrir(std::string nom, std::string const& fichier, int ligne) {
    tables_.push_back(Nommee{std::make_unique<Table_ext>(), std::move(nom), fichier, ligne});
    return tables_.size() - 1;
}

Tables_ext::Chargement Tables_ext::charger(std::vector<Fichier> const& fichiers) {
    Chargement resultat;
    Rapports& rapports = resultat.rapports;
    std::vector<En_attente> en_attente;
    for (Fichier const& f : fichiers) {
        std::string const contenu = Fichier_table::preparer(f.octets, Fichier_table::Syntaxe::caracteres, rapports);
        std::optional<std::size_t> courante;  // none until the file's first entry or name
        bool const lue = Fichier_table::lire(contenu, Fichier_table::Syntaxe::caracteres, rapports,
                                             [&](Fichier_table::Entree const& e) {
            if (e.sorte == Fichier_table::Sorte::table) {
                // A second table of the name is still read, on its own, so that its lines say
                // what they would say; the set is refused.
                for (Nommee const& t : tables_) {
                    if (t.nom != e.texte) continue;
                    rapports.push_back(Rapport(Message::table_en_double, {e.texte, t.ligne, t.fichier, e.ligne, f.nom}));
                    resultat.accepte = false;
                    break;
                }
                courante = ouvrir(e.texte, f.nom, e.ligne);
                return;
            }
            if (!courante) courante = tables_.empty() ? ouvrir("", f.nom, 0) : 0;
            Texte_ext* ajoutee = tables_[*courante].table->ajouter(e, rapports);
            if (ajoutee != nullptr && !e.bascules.empty()) en_attente.push_back({ajoutee, e.bascules, &f.nom, e.ligne});
        });
        if (!lue) {
            rapports.push_back(Rapport(Message::table_refusee, {f.nom}));
            resultat.accepte = false;
        }
    }
    if (tables_.empty()) ouvrir("", "", 0);

    for (En_attente const& a : en_attente) {
        for (Fichier_table::Bascule_lue const& b : a.bascules) {
            std::size_t rang = 0;
            while (rang < tables_.size() && tables_[rang].nom != b.table) ++rang;
            if (rang == tables_.size()) {
                rapports.push_back(Rapport(Message::table_inconnue, {a.ligne, *a.fichier, b.table}));
                resultat.accepte = false;
                continue;
            }
            Bascule resolue;
            resolue.table = rang;
            resolue.duree = b.duree;
            resolue.nombre = b.nombre;
            resolue.retour = Nb_ext_ins(reinterpret_cast<unsigned char const*>(b.retour.c_str()));
            a.entree->bascules.push_back(resolue);
        }
    }
    return resultat;
}

bool Tables_ext::bascule() const {
    if (tables_.size() > 1) return true;
    for (auto const& [cle, entree] : tables_.front().table->entrees())
        if (!entree.bascules.empty()) return true;
    return false;
}

}  // namespace Extracteur
