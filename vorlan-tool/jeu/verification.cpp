#include "jeu/verification.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "jeu/emplacements.h"
#include "lib/calcul.h"

namespace Jeu {

namespace {

Rapports verifier_plages(std::vector<Plage> const& plages, char const* champ, long long taille_rom) {
    for (std::size_t i = 0; i < plages.size(); ++i) {
        Plage const& p = plages[i];
        if (p.debut > p.fin) return {Rapport(Message::jeu_plage_inversee, {nom_de_plage(champ, i), p.debut, p.fin})};
        if (p.debut < 0 || p.fin >= taille_rom)
            return {Rapport(Message::jeu_plage_hors_rom, {nom_de_plage(champ, i), p.debut, p.fin, taille_rom})};
    }
    std::vector<std::size_t> ordre(plages.size());
    for (std::size_t i = 0; i < ordre.size(); ++i) ordre[i] = i;
    std::sort(ordre.begin(), ordre.end(),
              [&plages](std::size_t a, std::size_t b) { return plages[a].debut < plages[b].debut; });
    for (std::size_t k = 1; k < ordre.size(); ++k) {
        std::size_t const a = std::min(ordre[k - 1], ordre[k]);
        std::size_t const b = std::max(ordre[k - 1], ordre[k]);
        if (plages[ordre[k]].debut <= plages[ordre[k - 1]].fin)
            return {Rapport(Message::jeu_plages_chevauchees, {nom_de_plage(champ, a), nom_de_plage(champ, b)})};
    }
    return {};
}

// `numero` counts from 0 the group, or the embedded code, the formula belongs to.
Rapports verifier_formule(std::string const& texte, char const* champ, std::size_t numero,
                          Message illisible = Message::jeu_formule_illisible) {
    Calcul::Formule const formule(texte.c_str(), Calcul::Variables::x_et_p);
    if (!formule.defaut()) return {};
    return {Rapport(illisible, {champ, texte, static_cast<int>(numero + 1)}), Rapport(*formule.defaut())};
}

// The description is built by the script layer, which keeps these in step.
void verifier_forme(Groupe const& g) {
    auto const taille = static_cast<std::size_t>(g.taille);
    bool const forme = g.taille >= 1 && g.taille <= 4 && g.nombre >= 0 &&
                       (g.disposition != Disposition::eclate || g.octets.size() == taille) &&
                       (g.disposition != Disposition::liste || g.liste.size() == static_cast<std::size_t>(g.nombre));
    if (!forme) throw std::invalid_argument("Jeu::verifier: malformed group");
}

// Slots are linear in their rank (suite, eclate): the first and last slots bound them all.
bool dans_la_rom(Groupe const& g, long long taille_rom, int& hors) {
    auto dedans = [&](int i) {
        for (int k = 0; k < g.taille; ++k) {
            long long const o = octet_du_pointeur(g, i, k);
            if (o < 0 || o >= taille_rom) return false;
        }
        return true;
    };
    if (g.disposition == Disposition::liste) {
        for (int i = 0; i < g.nombre; ++i)
            if (!dedans(i)) return hors = i, false;
        return true;
    }
    if (g.nombre == 0) return true;
    if (!dedans(0)) return hors = 0, false;
    if (!dedans(g.nombre - 1)) return hors = g.nombre - 1, false;
    return true;
}

struct Octet_de_pointeur {
    long long position;
    int numero;
    int groupe;
};

Rapports verifier_emplacements(Description const& jeu, long long taille_rom) {
    long long total = 0;
    int premier = 1;
    for (std::size_t g = 0; g < jeu.groupes.size(); ++g) {
        Groupe const& groupe = jeu.groupes[g];
        int hors = 0;
        if (!dans_la_rom(groupe, taille_rom, hors))
            return {Rapport(Message::jeu_pointeur_hors_rom, {premier + hors, static_cast<int>(g + 1), taille_rom})};
        total += static_cast<long long>(groupe.nombre) * groupe.taille;
        premier += groupe.nombre;
    }
    // Slots that all lie in the ROM and share no byte fit in it: more bytes than it holds
    // share some, found below without listing billions of them.
    std::vector<Octet_de_pointeur> octets;
    octets.reserve(static_cast<std::size_t>(std::min(total, taille_rom + 1)));
    int numero = 1;
    for (std::size_t g = 0; g < jeu.groupes.size(); ++g) {
        Groupe const& groupe = jeu.groupes[g];
        for (int i = 0; i < groupe.nombre && static_cast<long long>(octets.size()) <= taille_rom; ++i, ++numero)
            for (int k = 0; k < groupe.taille; ++k)
                octets.push_back({octet_du_pointeur(groupe, i, k), numero, static_cast<int>(g + 1)});
    }
    std::sort(octets.begin(), octets.end(), [](Octet_de_pointeur const& a, Octet_de_pointeur const& b) {
        return a.position != b.position ? a.position < b.position : a.numero < b.numero;
    });
    for (std::size_t k = 1; k < octets.size(); ++k) {
        Octet_de_pointeur const& a = octets[k - 1];
        Octet_de_pointeur const& b = octets[k];
        if (a.position == b.position)
            return {Rapport(Message::jeu_pointeurs_chevauches, {a.numero, a.groupe, b.numero, b.groupe, a.position})};
    }
    // Every slot byte against every range, both sorted: one pass.
    for (auto [plages, champ] : {std::pair{&jeu.textes, "textes"}, std::pair{&jeu.espace, "espace"}}) {
        for (std::size_t r = 0; r < plages->size(); ++r) {
            Plage const& p = (*plages)[r];
            auto dans = std::lower_bound(octets.begin(), octets.end(), p.debut,
                                         [](Octet_de_pointeur const& o, long long v) { return o.position < v; });
            if (dans != octets.end() && dans->position <= p.fin)
                return {Rapport(Message::jeu_pointeur_dans_une_plage,
                                {dans->numero, dans->groupe, nom_de_plage(champ, r)})};
        }
    }
    return {};
}

void verifier_forme(Description const& jeu) {
    for (Groupe const& g : jeu.groupes) verifier_forme(g);
    for (Integre const& i : jeu.integres)
        if (i.code.empty() || i.taille < 1 || i.taille > 4 || i.position < 0)
            throw std::invalid_argument("Jeu::verifier: malformed embedded code");
    for (Plage const& p : jeu.textes)
        if (p.longueur < 0 || p.longueur > 2) throw std::invalid_argument("Jeu::verifier: malformed prefix");
}

}  // namespace

Rapports verifier(Description const& jeu, long long taille_rom) {
    verifier_forme(jeu);
    if (Rapports r = verifier_plages(jeu.textes, "textes", taille_rom); !r.empty()) return r;
    if (Rapports r = verifier_plages(jeu.espace, "espace", taille_rom); !r.empty()) return r;
    for (std::size_t g = 0; g < jeu.groupes.size(); ++g) {
        if (Rapports r = verifier_formule(jeu.groupes[g].formule_ext, "formule_ext", g); !r.empty()) return r;
        if (Rapports r = verifier_formule(jeu.groupes[g].formule_ins, "formule_ins", g); !r.empty()) return r;
    }
    for (std::size_t i = 0; i < jeu.integres.size(); ++i) {
        Integre const& integre = jeu.integres[i];
        Message const m = Message::jeu_formule_integre_illisible;
        if (Rapports r = verifier_formule(integre.formule_ext, "formule_ext", i, m); !r.empty()) return r;
        if (Rapports r = verifier_formule(integre.formule_ins, "formule_ins", i, m); !r.empty()) return r;
    }
    return verifier_emplacements(jeu, taille_rom);
}

}  // namespace Jeu
