#include "host/operations_decouverte.h"

#include <algorithm>
#include <cstdio>
#include <thread>

#include "decouverte/description-lua.h"
#include "host/chargement.h"
#include "host/enregistrement.h"
#include "host/sortie.h"
#include "lib/fichiers.h"

namespace Operations {

namespace {

unsigned fils() { return std::max(1u, std::thread::hardware_concurrency()); }

// A code as the reports show it, with its sign: "$0A", "-$05", "$1F0".
std::string code(long long valeur, int largeur) {
    char texte[32];
    long long const absolue = valeur < 0 ? -valeur : valeur;
    std::snprintf(texte, sizeof texte, "%s$%0*llX", valeur < 0 ? "-" : "", 2 * largeur, absolue);
    return texte;
}

// What a hit fixes, as one group's line names it: "A=$0A a=$24 ' '=$00".
std::string codes_fixes(Decouverte::Codes_connus const& codes, int largeur) {
    std::string texte;
    for (std::size_t a = 0; a < codes.alphabets.size(); ++a) {
        if (!codes.bases[a]) continue;
        if (!texte.empty()) texte += ' ';
        texte += codes.alphabets[a].lettres.front() + "=" + code(*codes.bases[a], largeur);
    }
    for (auto const& [caractere, valeur] : codes.autres) {
        if (!texte.empty()) texte += ' ';
        texte += "'" + caractere + "'=" + code(valeur, largeur);
    }
    return texte;
}

// At most this many offsets on a group's line; the count says how many there are.
constexpr std::size_t adresses_montrees = 8;

std::string adresses(Decouverte::Resultat_relatif const& r, std::vector<std::size_t> const& groupe) {
    std::string texte;
    for (std::size_t k = 0; k < groupe.size() && k < adresses_montrees; ++k)
        texte += (k > 0 ? ", " : "") + code(r.trouvailles[groupe[k]].adresse, 1);
    if (groupe.size() > adresses_montrees) texte += ", ...";
    return texte;
}

// Values shown after a hit, decoded through the table it implies.
constexpr std::size_t valeurs_montrees = 40;

void afficher_trouvailles(std::vector<unsigned char> const& rom, Decouverte::Motif const& motif,
                          Decouverte::Recherche const& recherche, Decouverte::Resultat_relatif const& r) {
    std::vector<std::vector<std::size_t>> const groupes = Decouverte::grouper(r);
    for (std::vector<std::size_t> const& groupe : groupes) {
        Decouverte::Trouvaille const& t = r.trouvailles[groupe.front()];
        Decouverte::Codes_connus const codes = Decouverte::codes_de(motif, t);
        std::string const apercu =
            Decouverte::decoder(rom, t.adresse, valeurs_montrees, recherche.largeur, recherche.ordre, codes);
        afficher(Rapport(Message::relatif_groupe, {codes_fixes(codes, recherche.largeur),
                                                   static_cast<int>(groupe.size()), adresses(r, groupe), apercu}));
    }
    if (r.trouvailles.empty()) {
        afficher(Rapport(Message::relatif_aucune));
        return;
    }
    afficher(Rapport(Message::relatif_total,
                     {static_cast<long long>(r.total), static_cast<int>(groupes.size())}));
    if (r.total > r.trouvailles.size())
        afficher(Rapport(Message::relatif_au_dela, {static_cast<long long>(r.total - r.trouvailles.size()),
                                                    static_cast<long long>(recherche.maximum)}));
}

bool lire_la_rom(std::string const& nom, std::vector<unsigned char>& octets) {
    Fichier f;
    return ouvrir_rom(f, nom.c_str()) && lire_rom(f, octets);
}

// The zone searched, its last byte included, checked against the ROM.
bool verifier_zone(long long debut, long long& fin, std::size_t taille) {
    long long const derniere = static_cast<long long>(taille) - 1;
    if (fin < 0) fin = derniere;
    if (debut > fin) {
        afficher(Rapport(Message::zone_inversee, {debut, fin}));
        return false;
    }
    if (fin > derniere) {
        afficher(Rapport(Message::zone_hors_rom, {debut, fin, static_cast<long long>(taille)}));
        return false;
    }
    return true;
}

// A file a discovery command writes: an existing one is kept unless the script says otherwise.
bool preparer_fichier(Sortie& sortie, std::string const& nom, std::string const& rom, bool remplacer) {
    Fichier existant;
    if (!remplacer && existant.essayer_ouvrir(nom.c_str(), "rb")) {
        afficher(Rapport(Message::fichier_existant, {nom}));
        return false;
    }
    return differents(nom.c_str(), rom.c_str()) && sortie.preparer(nom.c_str(), Message::fopen_impossible_ligne);
}

void afficher_table(Decouverte::Table_deduite const& table, int largeur, std::string const& nom) {
    for (auto const& [caractere, valeur] : table.hors_limites)
        afficher(Rapport(Message::table_code_hors_limites, {caractere, code(valeur, largeur), largeur}));
    for (auto const& [caractere, valeur] : table.doublons)
        afficher(Rapport(Message::table_code_partage, {caractere, code(valeur, largeur)}));
    for (auto const& [caractere, valeur] : table.non_inscrits)
        afficher(Rapport(Message::table_caractere_non_inscrit, {code(valeur, largeur)}));
    auto const lignes = std::count(table.texte.begin(), table.texte.end(), '\n');
    afficher(Rapport(Message::table_entrees, {static_cast<int>(lignes), nom}));
}

std::string ordre_ecrit(Ordre_octets ordre) { return ordre == Ordre_octets::petit_boutiste ? "le" : "be"; }

void afficher_groupes(std::vector<Decouverte::Groupe_trouve> const& groupes) {
    for (std::size_t k = 0; k < groupes.size(); ++k) {
        Jeu::Groupe const& g = groupes[k].groupe;
        int const numero = static_cast<int>(k) + 1;
        if (g.disposition == Jeu::Disposition::eclate) {
            std::string tables;
            for (std::size_t b = 0; b < g.octets.size(); ++b) tables += (b > 0 ? ", " : "") + code(g.octets[b], 1);
            afficher(Rapport(Message::pointeurs_groupe_eclate,
                             {numero, g.nombre, static_cast<int>(g.octets.size()), tables, g.pas, g.formule_ext,
                              groupes[k].atteintes, groupes[k].manques}));
        } else {
            afficher(Rapport(Message::pointeurs_groupe,
                             {numero, g.nombre, g.taille, g.adresse, g.pas, ordre_ecrit(g.ordre), g.formule_ext,
                              groupes[k].atteintes, groupes[k].manques}));
        }
    }
    if (groupes.empty()) afficher(Rapport(Message::pointeurs_aucun));
}

void afficher_textes(Decouverte::Textes_trouves const& t) {
    for (Decouverte::Plage_de_textes const& p : t.plages)
        afficher(Rapport(Message::textes_plage, {p.debut, p.fin, static_cast<int>(p.nombre), p.apercu}));
    if (t.plages.empty())
        afficher(Rapport(Message::textes_aucune));
    else
        afficher(Rapport(Message::textes_total,
                         {static_cast<int>(t.plages.size()), static_cast<int>(t.debuts.size())}));
}

}  // namespace

std::optional<Decouverte::Resultat_relatif> chercher_relatif(std::string const& rom, Decouverte::Motif const& motif,
                                                           Decouverte::Recherche const& recherche) {
    std::vector<unsigned char> octets;
    if (!lire_la_rom(rom, octets)) return std::nullopt;
    Decouverte::Recherche zone = recherche;
    if (!verifier_zone(zone.debut, zone.fin, octets.size())) return std::nullopt;
    Decouverte::Resultat_relatif r = Decouverte::chercher_relatif(octets, motif, zone, fils());
    afficher_trouvailles(octets, motif, zone, r);
    return r;
}

bool creer_table(std::string const& rom, Decouverte::Codes_connus const& codes, long long adresse, int largeur,
                 Ordre_octets ordre, std::string const& resultat, bool remplacer) {
    Sortie sortie;
    std::vector<unsigned char> octets;
    if (!preparer_fichier(sortie, resultat, rom, remplacer) || !lire_la_rom(rom, octets)) return false;
    Decouverte::Table_deduite const table = Decouverte::deduire_table(codes, largeur, ordre);
    afficher_table(table, largeur, resultat);
    afficher(Rapport(Message::table_apercu,
                     {adresse, Decouverte::decoder(octets, adresse, valeurs_montrees, largeur, ordre, codes)}));
    return sortie.enregistrer(table.texte);
}

std::optional<Decouverte::Textes_trouves> chercher_textes(Demande_textes const& demande) {
    Extracteur::Table_ext table;
    if (!charger_table(table, demande.table.c_str(), Message::ouverture_impossible_ligne)) return std::nullopt;
    Decouverte::Demande_textes d;
    for (Fin_donnee const& fin : demande.fins) {
        if (auto const* octets = std::get_if<std::vector<unsigned char>>(&fin)) {
            d.fins.push_back(*octets);
            continue;
        }
        std::string const& texte = std::get<std::string>(fin);
        std::vector<Nb_ext_ins> const cles = table.cles_du_texte(texte);
        if (cles.empty()) {
            afficher(Rapport(Message::fin_inconnue, {texte, demande.table}));
            return std::nullopt;
        }
        for (Nb_ext_ins const& cle : cles) d.fins.emplace_back(cle.octets(), cle.octets() + cle.taille());
    }
    std::vector<unsigned char> octets;
    if (!lire_la_rom(demande.rom, octets)) return std::nullopt;
    d.debut = demande.debut;
    d.fin = demande.fin.value_or(-1);
    if (!verifier_zone(d.debut, d.fin, octets.size())) return std::nullopt;
    d.minimum = demande.minimum;
    Decouverte::Textes_trouves trouves = Decouverte::chercher_textes(table, octets, d);
    afficher_textes(trouves);
    return trouves;
}

std::optional<std::vector<Decouverte::Groupe_trouve>> chercher_pointeurs(Demande_pointeurs const& demande) {
    std::vector<unsigned char> octets;
    if (!lire_la_rom(demande.rom, octets)) return std::nullopt;
    std::vector<Decouverte::Groupe_trouve> groupes = Decouverte::chercher_pointeurs(octets, demande.recherche, fils());
    afficher_groupes(groupes);
    return groupes;
}

std::optional<std::string> decouvrir(Demande_decouverte const& demande) {
    // Both files are checked before any work, so that a refusal leaves the folder as it was.
    Sortie table;
    Sortie description;
    std::vector<unsigned char> octets;
    if (!preparer_fichier(table, demande.table, demande.rom, demande.remplacer) ||
        !preparer_fichier(description, demande.description, demande.rom, demande.remplacer) ||
        !differents(demande.description.c_str(), demande.table.c_str()) || !lire_la_rom(demande.rom, octets))
        return std::nullopt;

    Decouverte::Demande_decouverte d;
    d.recherche = demande.recherche;
    d.recherche.fin = static_cast<long long>(octets.size()) - 1;
    d.fins = demande.fins;
    d.minimum_pointeurs = demande.minimum;
    d.ecarts = demande.ecarts;
    Decouverte::Decouverte_faite const faite = Decouverte::decouvrir(octets, demande.motif, d, fils());
    if (!faite.trouvaille) {
        afficher(Rapport(Message::decouverte_sans_trouvaille, {demande.texte}));
        return std::nullopt;
    }
    afficher(Rapport(Message::decouverte_trouvaille,
                     {faite.trouvaille->adresse, codes_fixes(faite.codes, d.recherche.largeur)}));
    afficher_table(faite.table, d.recherche.largeur, demande.table);
    if (!table.enregistrer(faite.table.texte)) return std::nullopt;
    afficher_textes(faite.textes);
    if (faite.textes.debuts.empty()) {
        afficher(Rapport(Message::decouverte_sans_textes, {demande.table}));
        return std::nullopt;
    }
    for (Decouverte::Groupe_trouve const& g : faite.ecartes)
        afficher(Rapport(Message::decouverte_groupe_ecarte, {Decouverte::adresse_du_groupe(g.groupe)}));
    afficher_groupes(faite.groupes);
    if (faite.groupes.empty()) {
        afficher(Rapport(Message::decouverte_sans_pointeurs, {demande.table}));
        return std::nullopt;
    }

    Jeu::Description jeu;
    jeu.rom = demande.rom;
    jeu.table = demande.table;
    for (Decouverte::Plage_de_textes const& p : faite.textes.plages) jeu.textes.push_back({p.debut, p.fin});
    jeu.espace = jeu.textes;
    for (Decouverte::Groupe_trouve const& g : faite.groupes) jeu.groupes.push_back(g.groupe);
    std::string const lua = Decouverte::description_lua(jeu);
    if (!description.enregistrer(lua)) return std::nullopt;
    afficher(Rapport(Message::decouverte_description,
                     {demande.description, static_cast<int>(jeu.textes.size()), static_cast<int>(jeu.groupes.size())}));
    return lua;
}

}  // namespace Operations
