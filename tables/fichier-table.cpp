#include "tables/fichier-table.h"

#include <cstdio>
#include <cstring>

#include "lib/erreur.h"
#include "lib/fichiers.h"
#include "lib/string.h"
#include "lib/vorlan_tool_divers.h"

namespace Fichier_table {

std::vector<Entree> lire(char const* fichier) {
    std::string contenu;
    {
        Fichier f;
        try {
            f.open(fichier, "rb");
        } catch (fopen_error const&) {
            // The tables report the name alone, without the file layer's type prefix.
            String message = "Impossible d'ouvrir le fichier \"";
            message += fichier;
            message += "\"\n";
            throw fopen_error(message.data());
        }
        contenu = Fichiers::charger(f);
    }

    std::vector<Entree> entrees;
    int const longueur = static_cast<int>(contenu.size());
    int position = 0;
    while (position < longueur) {
        Entree e;
        e.cle = Vorlan_tool::prendre_jusqu_a(contenu.data(), '=', longueur, position);
        e.valeur = Vorlan_tool::prendre_jusqu_a(contenu.data(), '\n', longueur, position);
        // Both sides are used as C texts: a NUL byte ends them here, so that a side holding
        // nothing before it is reported as empty rather than giving a sequence of no byte
        // (a character that insertion would drop silently) or an empty text.
        e.cle.resize(std::strlen(e.cle.c_str()));
        e.valeur.resize(std::strlen(e.valeur.c_str()));
        if (e.cle.empty() || e.valeur.empty()) {
            std::printf("Une entrée vide a été detectée (\"%s=%s\")\n", e.cle.c_str(), e.valeur.c_str());
            continue;
        }
        e.texte = e.valeur;
        Vorlan_tool::convertir(e.texte);
        entrees.push_back(std::move(e));
    }
    return entrees;
}

void signaler_doublon(Nb_ext_ins const& code_existant, char const* texte_existant, Entree const& ignoree) {
    std::fputs("Attention, il existe déjà une entrée : \"", stdout);
    stdout << code_existant;
    std::printf("=%s\"\n", texte_existant);
    std::printf("L'entrée \"%s=%s\" sera ignorée\n", ignoree.cle.c_str(), ignoree.valeur.c_str());
}

}  // namespace Fichier_table
