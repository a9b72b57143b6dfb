#include "jeu/insertion-jeu.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <unordered_map>

#include "insertion/encodage-court.h"
#include "insertion/encodage.h"
#include "jeu/chaines.h"
#include "jeu/conversion.h"
#include "jeu/emplacements.h"
#include "jeu/integres.h"
#include "jeu/marques.h"
#include "jeu/placement-jeu.h"
#include "jeu/renvois.h"
#include "jeu/suites.h"
#include "jeu/texte-jeu.h"

namespace Jeu {

namespace {

// The range each marker names; a marker of no range, or a range marked twice, refuses the script.
bool plages_des_marques(std::vector<Morceau> const& morceaux, Description const& jeu, std::vector<int>& plages,
                        Rapports& rapports) {
    std::vector<bool> marquee(jeu.textes.size(), false);
    plages.assign(morceaux.size(), -1);
    for (std::size_t k = 1; k < morceaux.size(); ++k) {
        Plage const& m = *morceaux[k].plage;
        auto const trouvee = std::find_if(jeu.textes.begin(), jeu.textes.end(),
                                          [&m](Plage const& p) { return p.debut == m.debut && p.fin == m.fin; });
        if (trouvee == jeu.textes.end()) {
            rapports.push_back(Rapport(Message::jeu_marque_inconnue, {m.debut, m.fin}));
            return false;
        }
        auto const r = static_cast<std::size_t>(trouvee - jeu.textes.begin());
        if (marquee[r]) {
            rapports.push_back(Rapport(Message::jeu_plage_marquee_deux_fois, {nom_de_plage("textes", r)}));
            return false;
        }
        marquee[r] = true;
        plages[k] = static_cast<int>(r);
    }
    return true;
}

// Each piece encoded: a range of strings that carry their length line by line, any other
// piece through the encoder. False, with the strings too long for their prefix, when any is.
bool encoder_les_morceaux(std::vector<Morceau> const& morceaux, std::vector<int> const& plages,
                          Encodeur const& encodeur, Description const& jeu,
                          std::vector<Insereur::Encodage>& encodages, Rapports& rapports) {
    encodages.reserve(morceaux.size());
    for (std::size_t k = 0; k < morceaux.size(); ++k) {
        auto const r = static_cast<std::size_t>(plages[k]);
        if (plages[k] < 0 || jeu.textes[r].longueur == 0) {
            encodages.push_back(encodeur(morceaux[k].texte));
            continue;
        }
        Chaines_encodees chaines = encoder_chaines(morceaux[k].texte, encodeur, jeu, r);
        rapports.insert(rapports.end(), chaines.refus.begin(), chaines.refus.end());
        encodages.push_back(std::move(chaines.encodage));
    }
    return std::none_of(rapports.begin(), rapports.end(), [](Rapport const& r) {
        return r.message == Message::jeu_chaine_trop_longue || r.message == Message::jeu_chaine_trop_longue_debut;
    });
}

// The texts of every piece in script order. Tags of no pointer are reported and dropped; a
// pointer tagged in several texts belongs to the last one, as inserer has it.
std::vector<Texte_jeu> textes_du_script(std::vector<Insereur::Encodage> const& encodages,
                                        std::vector<int> const& plages, Description const& jeu,
                                        Numeros const& numeros, Rapports& rapports) {
    std::vector<Texte_jeu> textes;
    std::vector<int> dernier(numeros.total() + 1, -1);
    std::vector<bool> repete(numeros.total() + 1, false);
    for (std::size_t k = 0; k < encodages.size(); ++k) {
        for (std::size_t j = 0; j < encodages[k].textes.size(); ++j) {
            Insereur::Texte_encode const& e = encodages[k].textes[j];
            if (j == 0 && e.pointeurs.empty() && k == 0) continue;  // nothing before the first marker
            Texte_jeu t;
            t.encode = &e;
            if (j == 0 && e.pointeurs.empty()) t.plage = plages[k];
            if (plages[k] >= 0) t.prefixe = jeu.textes[static_cast<std::size_t>(plages[k])].longueur;
            int const index = static_cast<int>(textes.size());
            for (int n : e.pointeurs) {
                std::optional<std::size_t> const i = numeros.indice(n);
                if (n < 1) {
                    rapports.push_back(Rapport(Message::pointeur_inferieur_a_un, {n}));
                } else if (!i) {
                    rapports.push_back(Rapport(Message::pointeur_au_dela_du_nombre, {n}));
                } else if (dernier[*i] != index) {
                    repete[*i] = repete[*i] || dernier[*i] >= 0;
                    dernier[*i] = index;
                    t.pointeurs.push_back(n);
                }
            }
            rapports.insert(rapports.end(), e.rapports.begin(), e.rapports.end());
            textes.push_back(std::move(t));
        }
    }
    for (std::size_t i = 0; i < textes.size(); ++i) {
        std::vector<int>& p = textes[i].pointeurs;
        auto const ailleurs = [&](int n) { return dernier[*numeros.indice(n)] != static_cast<int>(i); };
        p.erase(std::remove_if(p.begin(), p.end(), ailleurs), p.end());
    }
    // By number: the indices past the groups' follow the numbers' order.
    std::vector<int> repetes;
    for (Texte_jeu const& t : textes)
        for (int n : t.pointeurs)
            if (repete[*numeros.indice(n)]) repetes.push_back(n);
    std::sort(repetes.begin(), repetes.end());
    for (int n : repetes) rapports.push_back(Rapport(Message::jeu_balise_repetee, {n}));
    return textes;
}

struct Hachage_octets {
    std::size_t operator()(Texte_jeu const* t) const {
        std::vector<unsigned char> const& v = t->encode->octets;
        return std::hash<std::string_view>()(std::string_view(reinterpret_cast<char const*>(v.data()), v.size()));
    }
};
// The same bytes once written: the references' places and texts, and where a pointer to the
// first character lands, count with the bytes.
struct Egalite_octets {
    bool operator()(Texte_jeu const* a, Texte_jeu const* b) const {
        auto const memes = [](Insereur::Texte_encode::Renvoi const& x, Insereur::Texte_encode::Renvoi const& y) {
            return x.debut == y.debut && x.numero == y.numero && x.code == y.code;
        };
        std::vector<Insereur::Texte_encode::Renvoi> const& ra = a->encode->renvois;
        std::vector<Insereur::Texte_encode::Renvoi> const& rb = b->encode->renvois;
        return a->encode->octets == b->encode->octets && a->prefixe == b->prefixe &&
               std::equal(ra.begin(), ra.end(), rb.begin(), rb.end(), memes);
    }
};

// Texts with the same bytes as an earlier movable text give it their pointers.
void fusionner(std::vector<Texte_jeu>& textes) {
    std::unordered_map<Texte_jeu const*, std::size_t, Hachage_octets, Egalite_octets> vus;
    for (std::size_t i = 0; i < textes.size(); ++i) {
        if (textes[i].plage >= 0) continue;
        auto const [place, nouveau] = vus.emplace(&textes[i], i);
        if (nouveau) continue;
        Texte_jeu& copie = textes[place->second];
        copie.pointeurs.insert(copie.pointeurs.end(), textes[i].pointeurs.begin(), textes[i].pointeurs.end());
        textes[i].pointeurs.clear();
        textes[i].copie_de = static_cast<int>(place->second);
    }
}

// The room of every block, less what the texts opening the ranges take.
std::vector<Segment> segments_libres(Description const& jeu, std::vector<Texte_jeu> const& textes) {
    std::vector<std::pair<long long, long long>> pris;
    for (Texte_jeu const& t : textes)
        if (t.plage >= 0 && t.position && t.taille() > 0) pris.emplace_back(*t.position, *t.position + t.taille());
    std::sort(pris.begin(), pris.end());
    std::vector<Segment> segments;
    for (std::size_t b = 0; b < jeu.espace.size(); ++b) {
        long long debut = jeu.espace[b].debut;
        long long const fin = jeu.espace[b].fin + 1;
        for (auto const& [d, f] : pris) {
            if (f <= debut || d >= fin) continue;
            if (d > debut) segments.push_back({b, debut, d, debut});
            debut = std::max(debut, f);
        }
        if (debut < fin) segments.push_back({b, debut, fin, debut});
    }
    return segments;
}

// The room the insertion rewrites, as [debut, fin) runs: the blocks and the ranges' opening texts.
std::vector<std::pair<long long, long long>> zones_recrites(Description const& jeu,
                                                            std::vector<Texte_jeu> const& textes) {
    std::vector<std::pair<long long, long long>> zones;
    for (Plage const& b : jeu.espace) zones.emplace_back(b.debut, b.fin + 1);
    for (Texte_jeu const& t : textes)
        if (t.plage >= 0 && t.position) zones.emplace_back(*t.position, *t.position + t.taille());
    return zones;
}

// The description's pointers against the image: what value makes each designate a position,
// what each designates now, and the writing of its slot.
class Pointeurs_du_jeu {
public:
    Pointeurs_du_jeu(Description const& jeu, Insereur::Image_rom& image)
        : jeu_(jeu), image_(image), pointeurs_(numeroter(jeu)), conversions_(jeu.groupes.begin(), jeu.groupes.end()) {}

    int total() const { return static_cast<int>(pointeurs_.size()); }

    // The value pointer `n` needs to designate a text at `position` whose strings carry a
    // prefix of `prefixe` bytes, if it can.
    std::optional<std::uint32_t> valeur(int n, long long position, int prefixe) const {
        Pointeur_jeu const& p = pointeurs_[static_cast<std::size_t>(n - 1)];
        Groupe const& g = jeu_.groupes[static_cast<std::size_t>(p.groupe)];
        long long const cible = g.debut_texte ? position + prefixe : position;
        return conversions_[static_cast<std::size_t>(p.groupe)].valeur(cible, emplacement(g, p.rang));
    }

    std::optional<long long> designee(int n) const {
        Pointeur_jeu const& p = pointeurs_[static_cast<std::size_t>(n - 1)];
        Groupe const& g = jeu_.groupes[static_cast<std::size_t>(p.groupe)];
        return conversions_[static_cast<std::size_t>(p.groupe)].position(lire_pointeur(image_.octets(), g, p.rang),
                                                                           emplacement(g, p.rang));
    }

    void ecrire_pointeur(int n, long long position, int prefixe) {
        Pointeur_jeu const& p = pointeurs_[static_cast<std::size_t>(n - 1)];
        Jeu::ecrire_pointeur(image_, jeu_.groupes[static_cast<std::size_t>(p.groupe)], p.rang,
                             *valeur(n, position, prefixe));
    }

private:
    Description const& jeu_;
    Insereur::Image_rom& image_;
    std::vector<Pointeur_jeu> pointeurs_;
    std::vector<Conversion> conversions_;
};

void placer_les_textes(std::vector<Texte_jeu>& textes, std::vector<Segment>& segments, Mode_placement mode,
                       Pointeurs_du_jeu const& pointeurs, Renvois const& renvois) {
    std::vector<std::size_t> mobiles;
    std::vector<long long> tailles;
    for (std::size_t i = 0; i < textes.size(); ++i) {
        if (textes[i].plage >= 0 || textes[i].copie_de >= 0) continue;
        mobiles.push_back(i);
        tailles.push_back(textes[i].taille());
    }
    auto const atteignable = [&](std::size_t t, long long q) {
        Texte_jeu const& texte = textes[mobiles[t]];
        for (int n : texte.pointeurs)
            if (n <= pointeurs.total() && !pointeurs.valeur(n, q, texte.prefixe)) return false;
        return renvois.atteignable(mobiles[t], q);
    };
    std::vector<std::optional<long long>> const positions = placer(tailles, segments, mode, atteignable);
    for (std::size_t t = 0; t < mobiles.size(); ++t) textes[mobiles[t]].position = positions[t];
}

std::vector<Bilan::Bloc> blocs(Description const& jeu, std::vector<Segment> const& segments) {
    std::vector<Bilan::Bloc> resultat;
    for (Plage const& b : jeu.espace) resultat.push_back({b.debut, b.fin, b.fin - b.debut + 1, 0});
    for (Segment const& s : segments) {
        resultat[s.bloc].libre += s.libre();
        resultat[s.bloc].utilise -= s.libre();
    }
    return resultat;
}

// The texts without a place, in script order, with their report lines.
std::vector<Bilan::Manquant> manquants(std::vector<Texte_jeu> const& textes, Renvois const& renvois,
                                       Rapports& rapports) {
    std::vector<Bilan::Manquant> resultat;
    for (Texte_jeu const& t : textes) {
        if (t.position || t.copie_de >= 0) continue;
        std::vector<int> numeros = t.pointeurs;
        std::sort(numeros.begin(), numeros.end());
        resultat.push_back({numeros, t.taille()});
        if (t.renvoi_perdu)
            rapports.push_back(
                Rapport(Message::jeu_renvoi_vers_sans_place, {lister(renvois.perdus(t, textes)), t.taille()}));
        else if (t.plage >= 0)
            rapports.push_back(Rapport(Message::jeu_debut_trop_long,
                                       {nom_de_plage("textes", static_cast<std::size_t>(t.plage)), t.taille()}));
        else
            rapports.push_back(Rapport(Message::jeu_texte_sans_place, {lister(numeros), t.taille()}));
    }
    return resultat;
}

void ecrire(Description const& jeu, std::vector<Texte_jeu> const& textes, Pointeurs_du_jeu& pointeurs,
            Renvois const& renvois, Insereur::Image_rom& image) {
    for (Plage const& b : jeu.espace) image.remplir(b.debut, b.fin - b.debut + 1, jeu.remplissage);
    for (Texte_jeu const& t : textes) {
        if (!t.position) continue;
        if (t.taille() > 0) image.ecrire(*t.position, t.encode->octets.data(), t.encode->octets.size());
        for (int n : t.pointeurs)
            if (n <= pointeurs.total()) pointeurs.ecrire_pointeur(n, *t.position, t.prefixe);
        renvois.ecrire(t, textes, image);
    }
}

// Pointers no tag names keep their value: say which of them now lead into rewritten room.
void signaler_perimes(Description const& jeu, std::vector<Texte_jeu> const& textes, Pointeurs_du_jeu const& pointeurs,
                      Rapports& rapports) {
    std::vector<bool> nomme(static_cast<std::size_t>(pointeurs.total()) + 1, false);
    for (Texte_jeu const& t : textes)
        for (int n : t.pointeurs)
            if (n <= pointeurs.total()) nomme[static_cast<std::size_t>(n)] = true;
    std::vector<std::pair<long long, long long>> const zones = zones_recrites(jeu, textes);
    auto const dans_les_zones = [&zones](long long q) {
        return std::any_of(zones.begin(), zones.end(), [q](auto const& z) { return q >= z.first && q < z.second; });
    };
    std::vector<int> perimes;
    for (int n = 1; n <= pointeurs.total(); ++n) {
        if (nomme[static_cast<std::size_t>(n)]) continue;
        std::optional<long long> const position = pointeurs.designee(n);
        if (position && dans_les_zones(*position)) perimes.push_back(n);
    }
    for (Suite const& s : suites(perimes))
        rapports.push_back(s.premier == s.dernier ? Rapport(Message::jeu_pointeur_perime, {s.premier})
                                                  : Rapport(Message::jeu_pointeurs_perimes, {s.premier, s.dernier}));
}

}  // namespace

namespace {

Insertion_jeu inserer_par(Encodeur const& encodeur, std::string const& script, Description const& jeu,
                          Options_insertion const& options, Insereur::Image_rom& image) {
    Insertion_jeu resultat;
    std::vector<Morceau> const morceaux = decouper(script);
    std::vector<int> plages;
    if (!plages_des_marques(morceaux, jeu, plages, resultat.rapports)) {
        resultat.refusee = true;
        return resultat;
    }
    std::vector<Insereur::Encodage> encodages;
    if (!encoder_les_morceaux(morceaux, plages, encodeur, jeu, encodages, resultat.rapports)) {
        resultat.refusee = true;
        return resultat;
    }
    Insereur::Texte_encode const& avant = encodages.front().textes.front();
    if (avant.pointeurs.empty() && (!avant.octets.empty() || !avant.rapports.empty())) {
        resultat.rapports.push_back(Rapport(Message::jeu_texte_hors_plage));
        resultat.refusee = true;
        return resultat;
    }

    Pointeurs_du_jeu pointeurs(jeu, image);
    Numeros const numeros(pointeurs.total(), encodages);
    std::vector<Texte_jeu> textes = textes_du_script(encodages, plages, jeu, numeros, resultat.rapports);
    if (options.fusionner) fusionner(textes);
    Renvois const renvois(jeu, textes, numeros);
    if (std::optional<int> const n = renvois.sans_balise()) {
        resultat.rapports.push_back(Rapport(Message::jeu_renvoi_sans_balise, {*n}));
        resultat.refusee = true;
        return resultat;
    }
    for (Texte_jeu& t : textes) {
        if (t.plage < 0) continue;
        Plage const& p = jeu.textes[static_cast<std::size_t>(t.plage)];
        if (t.taille() <= p.fin - p.debut + 1) t.position = p.debut;
    }
    std::vector<Segment> segments = segments_libres(jeu, textes);
    placer_les_textes(textes, segments, options.placement, pointeurs, renvois);
    std::vector<int> const hors_portee = renvois.retirer_hors_portee(textes);

    resultat.bilan.blocs = blocs(jeu, segments);
    for (std::size_t b = 0; b < resultat.bilan.blocs.size(); ++b) {
        Bilan::Bloc const& bloc = resultat.bilan.blocs[b];
        resultat.rapports.push_back(
            Rapport(Message::jeu_bloc, {static_cast<int>(b + 1), bloc.debut, bloc.fin, bloc.utilise, bloc.libre}));
    }
    if (!hors_portee.empty())
        resultat.rapports.push_back(Rapport(Message::jeu_integres_hors_portee, {lister(hors_portee)}));
    resultat.bilan.manquants = manquants(textes, renvois, resultat.rapports);
    int const sans_place = static_cast<int>(resultat.bilan.manquants.size());
    if (sans_place > 0 && !options.partiel) {
        resultat.rapports.push_back(Rapport(Message::jeu_rien_ecrit, {sans_place}));
        return resultat;
    }
    if (sans_place > 0) resultat.rapports.push_back(Rapport(Message::jeu_ecrit_en_partie, {sans_place}));
    ecrire(jeu, textes, pointeurs, renvois, image);
    signaler_perimes(jeu, textes, pointeurs, resultat.rapports);
    resultat.bilan.ecrit = true;
    return resultat;
}

}  // namespace

Insertion_jeu inserer(Insereur::Table_ins const& table, std::string const& script, Description const& jeu,
                      Options_insertion const& options, Insereur::Image_rom& image) {
    std::vector<Insereur::Code_a_renvoi> const codes = codes_a_renvoi(jeu);
    return inserer_par([&](std::string const& texte) { return Insereur::encoder(texte, table, codes); }, script, jeu,
                       options, image);
}

Insertion_jeu inserer(Insereur::Table_courte const& table, std::string const& script, Description const& jeu,
                      Options_insertion const& options, Insereur::Image_rom& image) {
    return inserer_par([&](std::string const& texte) { return Insereur::encoder_court(texte, table); }, script, jeu,
                       options, image);
}

}  // namespace Jeu
