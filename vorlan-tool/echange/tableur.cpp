#include "echange/tableur.h"

namespace Echange {

// The statuses are file content, in UTF-8 whatever the program's own character set.
namespace {

char const a_traduire[] = "\xC3\xA0 traduire";
char const traduit[] = "traduit";
char const a_revoir[] = "\xC3\xA0 revoir";

}  // namespace

char const marque_utf8[] = "\xEF\xBB\xBF";

Cellules const& colonnes_tableur() {
    static Cellules const colonnes = {"id", "original", "traduction", "statut", "notes"};
    return colonnes;
}

Cellules cellules(Ligne_echange const& l) {
    char const* const statut = l.flou ? a_revoir : l.traduction.empty() ? a_traduire : traduit;
    return {l.identifiant, l.original, l.traduction, statut, l.notes};
}

Ligne_echange depuis_cellules(Cellules c) {
    Ligne_echange l;
    l.identifiant = std::move(c[0]);
    l.original = std::move(c[1]);
    l.traduction = std::move(c[2]);
    l.flou = c[3] == a_revoir;
    l.notes = std::move(c[4]);
    return l;
}

void lire_tableur(std::vector<Cellules> enregistrements, std::vector<int> const& lignes, Lecture& lecture) {
    if (enregistrements.empty() || enregistrements.front() != colonnes_tableur()) {
        lecture.defaut = Defaut::en_tete;
        lecture.ligne = 1;
        return;
    }
    for (std::size_t k = 1; k < enregistrements.size(); ++k) {
        if (enregistrements[k].size() != colonnes_tableur().size()) {
            lecture.lignes.clear();
            lecture.defaut = Defaut::colonnes;
            lecture.ligne = lignes[k];
            lecture.colonnes = static_cast<int>(colonnes_tableur().size());
            return;
        }
        lecture.lignes.push_back(depuis_cellules(std::move(enregistrements[k])));
    }
}

}  // namespace Echange
