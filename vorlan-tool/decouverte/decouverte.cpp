#include "decouverte/decouverte.h"

#include <algorithm>
#include <cstdio>

#include "jeu/conversion.h"
#include "jeu/emplacements.h"
#include "tables/extracteur-table.h"

namespace Decouverte {

namespace {

// The values the table reads, by longest match, in the hit's neighbourhood.
std::size_t valeurs_lues(Extracteur::Table_ext const& table, std::vector<unsigned char> const& rom, long long adresse) {
    long long const taille = static_cast<long long>(rom.size());
    long long q = std::max(0LL, adresse - voisinage);
    long long const fin = std::min(taille, adresse + voisinage);
    std::size_t lues = 0;
    while (q < fin) {
        std::size_t longueur = 0;
        Extracteur::Texte_ext const* t =
            table.plus_long(rom.data() + q, static_cast<std::size_t>(fin - q), longueur);
        if (t != nullptr) {
            ++lues;
            q += static_cast<long long>(longueur);
        } else {
            ++q;
        }
    }
    return lues;
}

Table_deduite table_complete(Codes_connus const& codes, Demande_decouverte const& d) {
    Table_deduite table = deduire_table(codes, d.recherche.largeur, d.recherche.ordre);
    for (auto const& code : d.fins) table.texte += entree_de_fin(code) + "\n";
    return table;
}

// Marks the group's slot bytes; false, marking nothing, when one is already marked.
bool reserver(std::vector<bool>& pris, Jeu::Groupe const& g) {
    std::vector<long long> octets;
    for (int i = 0; i < g.nombre; ++i)
        for (int k = 0; k < g.taille; ++k) {
            long long const o = Jeu::octet_du_pointeur(g, i, k);
            if (o < 0 || o >= static_cast<long long>(pris.size()) || pris[static_cast<std::size_t>(o)]) return false;
            octets.push_back(o);
        }
    for (long long o : octets) pris[static_cast<std::size_t>(o)] = true;
    return true;
}

// The range whose first string may start at `position` before its start, if any.
Plage_de_textes* tete_de(std::vector<Plage_de_textes>& plages, long long position) {
    for (Plage_de_textes& p : plages)
        if (position >= p.tete && position < p.debut) return &p;
    return nullptr;
}

// The group with one more slot before its first (`avant`) or after its last.
Jeu::Groupe allonge(Jeu::Groupe g, bool avant) {
    ++g.nombre;
    if (!avant) return g;
    g.adresse -= g.pas;
    for (long long& o : g.octets) o -= g.pas;
    return g;
}

// Where slot i of the group leads, when its bytes lie in the ROM.
std::optional<long long> cible(std::vector<unsigned char> const& rom, Jeu::Groupe const& g,
                               Jeu::Conversion const& conversion, int i) {
    for (int k = 0; k < g.taille; ++k) {
        long long const o = Jeu::octet_du_pointeur(g, i, k);
        if (o < 0 || o >= static_cast<long long>(rom.size())) return std::nullopt;
    }
    return conversion.position(Jeu::lire_pointeur(rom, g, i), Jeu::emplacement(g, i));
}

// Slot i of the group, alone.
Jeu::Groupe un_emplacement(Jeu::Groupe g, int i) {
    g.nombre = 1;
    g.adresse += i * g.pas;
    for (long long& o : g.octets) o += i * g.pas;
    return g;
}

// A range starts where a pointer says, inside the unreadable string before it.
void commencer_a(Plage_de_textes& plage, long long position) {
    plage.debut = position;
    plage.tete = position;
}

// A table read from the ROM alone stops at the first slot whose string was not seen as text:
// the strings behind data the table cannot read (a range's first, often) are found again
// through the slots of the groups and those just before and after them.
void prolonger(std::vector<unsigned char> const& rom, Decouverte_faite& faite, std::vector<bool>& pris) {
    std::vector<Plage_de_textes>& plages = faite.textes.plages;
    for (Groupe_trouve& trouve : faite.groupes) {
        for (bool const avant : {true, false}) {
            for (;;) {
                Jeu::Groupe const g = allonge(trouve.groupe, avant);
                int const nouveau = avant ? 0 : g.nombre - 1;
                Jeu::Conversion const conversion(g);
                std::optional<long long> const position = cible(rom, g, conversion, nouveau);
                Plage_de_textes* plage = position ? tete_de(plages, *position) : nullptr;
                if (plage == nullptr) break;
                if (!reserver(pris, un_emplacement(g, nouveau))) break;
                commencer_a(*plage, *position);
                trouve.groupe = g;
                ++trouve.atteintes;
            }
        }
        Jeu::Conversion const conversion(trouve.groupe);
        for (int i = 0; i < trouve.groupe.nombre; ++i) {
            std::optional<long long> const position = cible(rom, trouve.groupe, conversion, i);
            Plage_de_textes* plage = position ? tete_de(plages, *position) : nullptr;
            if (plage == nullptr) continue;
            commencer_a(*plage, *position);
            ++trouve.atteintes;
            --trouve.manques;
        }
    }
    // Every range's first string starts where its range now does.
    std::vector<long long> debuts;
    for (Plage_de_textes& p : plages) {
        std::size_t const premier = debuts.size();
        std::size_t const saute = p.premier_rogne && faite.textes.debuts[p.premier] != p.debut ? 1 : 0;
        if (faite.textes.debuts[p.premier] != p.debut) debuts.push_back(p.debut);
        debuts.insert(debuts.end(), faite.textes.debuts.begin() + static_cast<long>(p.premier + saute),
                      faite.textes.debuts.begin() + static_cast<long>(p.premier + p.nombre));
        p.premier = premier;
        p.nombre = debuts.size() - premier;
    }
    faite.textes.debuts = std::move(debuts);
}

}  // namespace

std::string entree_de_fin(std::vector<unsigned char> const& code) {
    std::string ligne = "/";
    for (unsigned char c : code) {
        char hexa[4];
        std::snprintf(hexa, sizeof hexa, "%02X", c);
        ligne += hexa;
    }
    return ligne;
}

long long adresse_du_groupe(Jeu::Groupe const& groupe) { return Jeu::octet_du_pointeur(groupe, 0, 0); }

Decouverte_faite decouvrir(std::vector<unsigned char> const& rom, Motif const& motif, Demande_decouverte const& d,
                           unsigned fils) {
    Decouverte_faite faite;
    faite.resultat = chercher_relatif(rom, motif, d.recherche, fils);
    std::size_t meilleure_lecture = 0;
    for (std::vector<std::size_t> const& groupe : grouper(faite.resultat)) {
        Trouvaille const& t = faite.resultat.trouvailles[groupe.front()];
        Codes_connus codes = codes_de(motif, t);
        Table_deduite table = table_complete(codes, d);
        Extracteur::Table_ext lue;
        lue.charger(table.texte);
        std::size_t const lecture = valeurs_lues(lue, rom, t.adresse);
        if (!faite.trouvaille || lecture > meilleure_lecture) {
            meilleure_lecture = lecture;
            faite.trouvaille = t;
            faite.codes = std::move(codes);
            faite.table = std::move(table);
        }
    }
    if (!faite.trouvaille) return faite;

    Extracteur::Table_ext table;
    table.charger(faite.table.texte);
    Demande_textes textes;
    textes.fins = d.fins;
    textes.minimum = d.minimum;
    faite.textes = chercher_textes(table, rom, textes);
    if (faite.textes.debuts.empty()) return faite;

    Demande_pointeurs pointeurs;
    pointeurs.debuts = faite.textes.debuts;
    pointeurs.minimum = d.minimum_pointeurs;
    pointeurs.ecarts = d.ecarts;
    // The text's own bytes are taken first: a table read inside the text is the text itself.
    std::vector<bool> pris(rom.size(), false);
    for (Plage_de_textes const& p : faite.textes.plages)
        std::fill(pris.begin() + p.debut, pris.begin() + p.fin + 1, true);
    for (Groupe_trouve& g : chercher_pointeurs(rom, pointeurs, fils))
        (reserver(pris, g.groupe) ? faite.groupes : faite.ecartes).push_back(std::move(g));
    prolonger(rom, faite, pris);
    for (Plage_de_textes& p : faite.textes.plages) p.apercu = apercu(table, rom, textes, p.debut);
    std::stable_sort(faite.groupes.begin(), faite.groupes.end(), [](Groupe_trouve const& a, Groupe_trouve const& b) {
        return adresse_du_groupe(a.groupe) < adresse_du_groupe(b.groupe);
    });
    return faite;
}

}  // namespace Decouverte
