#include "jeu/extraction-jeu.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "extraction/ecriture-script.h"
#include "jeu/conversion.h"
#include "jeu/emplacements.h"
#include "jeu/lecture-plages.h"
#include "jeu/marques.h"
#include "jeu/suites.h"

namespace Jeu {

namespace {

using Designees = std::vector<std::pair<long long, int>>;

bool est_depart(Lecture const& lecture, long long position) {
    return std::binary_search(lecture.departs.begin(), lecture.departs.end(), position);
}

// A pointer to the first character of a string that carries its length designates that string.
long long vers_le_prefixe(Description const& jeu, Lecture const& lecture, long long position) {
    for (Plage const& p : jeu.textes) {
        long long const prefixe = position - p.longueur;
        if (p.longueur > 0 && prefixe >= p.debut && prefixe <= p.fin && est_depart(lecture, prefixe)) return prefixe;
    }
    return position;
}

// Every pointer of the groups whose formula gives a position, as (position, number).
void positions_des_groupes(std::vector<unsigned char> const& rom, Description const& jeu, Lecture const& lecture,
                           Designees& designees) {
    std::vector<Conversion> conversions(jeu.groupes.begin(), jeu.groupes.end());
    std::vector<Pointeur_jeu> const pointeurs = numeroter(jeu);
    for (std::size_t n = 0; n < pointeurs.size(); ++n) {
        Groupe const& g = jeu.groupes[static_cast<std::size_t>(pointeurs[n].groupe)];
        int const i = pointeurs[n].rang;
        Conversion const& conversion = conversions[static_cast<std::size_t>(pointeurs[n].groupe)];
        std::optional<long long> position = conversion.position(lire_pointeur(rom, g, i), emplacement(g, i));
        if (position && g.debut_texte) position = vers_le_prefixe(jeu, lecture, *position);
        if (position) designees.emplace_back(*position, static_cast<int>(n + 1));
    }
}

// One embedded pointer met in the ranges: the offset of its bytes, its number once every
// occurrence is sorted, and nothing as its number when it designates no start of a text.
struct Occurrence {
    long long octets;
    int integre;
    int numero = 0;
};

// Numbers the embedded pointers after the groups' in offset order; those whose target starts
// a text are designated, the others reported and written raw.
std::vector<Occurrence> numeroter_integres(std::vector<unsigned char> const& rom, Description const& jeu,
                                           Lecture const& lecture, int premier, Designees& designees,
                                           Rapports& rapports) {
    std::vector<Occurrence> occurrences;
    for (std::vector<Unite> const& unites : lecture.plages)
        for (Unite const& u : unites)
            if (u.integre >= 0) {
                Integre const& integre = jeu.integres[static_cast<std::size_t>(u.integre)];
                occurrences.push_back({u.debut + static_cast<long long>(u.cle) + integre.position, u.integre});
            }
    std::sort(occurrences.begin(), occurrences.end(),
              [](Occurrence const& a, Occurrence const& b) { return a.octets < b.octets; });
    std::vector<Conversion> conversions(jeu.integres.begin(), jeu.integres.end());
    for (std::size_t k = 0; k < occurrences.size(); ++k) {
        Occurrence& o = occurrences[k];
        Integre const& integre = jeu.integres[static_cast<std::size_t>(o.integre)];
        int const numero = premier + static_cast<int>(k);
        std::uint32_t valeur = 0;
        lire_entier_borne(rom, o.octets, integre.taille, integre.ordre, valeur);
        std::optional<long long> const cible = conversions[static_cast<std::size_t>(o.integre)].position(valeur, o.octets);
        if (cible && est_depart(lecture, *cible)) {
            o.numero = numero;
            designees.emplace_back(*cible, numero);
        } else {
            rapports.push_back(Rapport(Message::jeu_integre_sans_texte, {numero, o.octets}));
        }
    }
    return occurrences;
}

void ecrire_brut(Extracteur::Ecriture_script& ecriture, unsigned char const* octets, std::size_t n) {
    char brut[8];
    for (std::size_t k = 0; k < n; ++k) {
        int const longueur = std::snprintf(brut, sizeof brut, "<%02X>", static_cast<unsigned>(octets[k]));
        ecriture.ecrire(brut, static_cast<std::size_t>(longueur));
    }
}

// The code's label, the parameters before its pointer raw, the reference, the rest raw.
void ecrire_integre(Extracteur::Ecriture_script& ecriture, Unite const& u, Integre const& integre,
                    unsigned char const* octets, int numero, bool fins) {
    ecriture.ecrire(u.entree->texte.data(), u.entree->texte.size());
    std::size_t const avant = u.cle + static_cast<std::size_t>(integre.position);
    std::size_t const apres = avant + static_cast<std::size_t>(integre.taille);
    ecrire_brut(ecriture, octets + u.cle, avant - u.cle);
    char renvoi[32];
    int const longueur = std::snprintf(renvoi, sizeof renvoi, "<#PT%04d>", numero);
    ecriture.ecrire(renvoi, static_cast<std::size_t>(longueur));
    ecrire_brut(ecriture, octets + apres, u.longueur - apres);
    if (fins && u.entree->fin && (u.entree->texte.empty() || u.entree->texte.back() != '\n')) ecriture.ecrire("\n", 1);
}

}  // namespace

Extracteur::Extraction extraire(Extracteur::Table_ext const& table, std::vector<unsigned char> const& rom,
                                Description const& jeu) {
    Extracteur::Extraction resultat;
    Lecture const lecture = lire_plages(table, rom, jeu);
    resultat.rapports = lecture.rapports;
    int const total_groupes = static_cast<int>(numeroter(jeu).size());
    Designees designees;
    positions_des_groupes(rom, jeu, lecture, designees);
    Rapports sans_texte;
    std::vector<Occurrence> const occurrences =
        numeroter_integres(rom, jeu, lecture, total_groupes + 1, designees, sans_texte);
    std::sort(designees.begin(), designees.end());
    std::vector<bool> reperes(static_cast<std::size_t>(total_groupes) + 1, false);

    Extracteur::Ecriture_script ecriture(resultat.script);
    for (std::size_t r = 0; r < jeu.textes.size(); ++r) {
        Plage const& plage = jeu.textes[r];
        bool const chaines = plage.longueur > 0;
        std::string const m = marque(plage);
        ecriture.ecrire(m.data(), m.size());
        auto suivant = std::lower_bound(designees.begin(), designees.end(), std::pair<long long, int>(plage.debut, 0));
        bool chaine_ouverte = false;
        for (Unite const& u : lecture.plages[r]) {
            unsigned char const* const octets = rom.data() + u.debut;
            if (u.sorte == Unite::Sorte::prefixe) {
                // Each string is one line: its line feed is no part of it.
                if (chaine_ouverte) ecriture.ecrire("\n", 1);
                chaine_ouverte = true;
            }
            if (!chaines || u.sorte == Unite::Sorte::prefixe) {
                // Pointers into the inside of a sequence decoded as one entry designate no text.
                while (suivant != designees.end() && suivant->first < u.debut) ++suivant;
                for (; suivant != designees.end() && suivant->first == u.debut; ++suivant) {
                    ecriture.ecrire_balise(suivant->second);
                    if (suivant->second <= total_groupes) reperes[static_cast<std::size_t>(suivant->second)] = true;
                }
            }
            if (u.sorte == Unite::Sorte::prefixe) continue;
            auto occurrence = occurrences.end();
            if (u.integre >= 0) {
                long long const place = u.debut + static_cast<long long>(u.cle) +
                                        jeu.integres[static_cast<std::size_t>(u.integre)].position;
                occurrence = std::lower_bound(occurrences.begin(), occurrences.end(), place,
                                              [](Occurrence const& o, long long v) { return o.octets < v; });
            }
            bool const integre_vise = occurrence != occurrences.end() && occurrence->numero > 0;
            if (u.entree != nullptr && chaines && u.entree->texte.find('\n') != std::string::npos)
                ecrire_brut(ecriture, octets, u.longueur);
            else if (integre_vise)
                ecrire_integre(ecriture, u, jeu.integres[static_cast<std::size_t>(u.integre)], octets,
                               occurrence->numero, !chaines);
            else
                ecriture.decoder(table, octets, u.longueur, !chaines);
        }
        if (chaine_ouverte) ecriture.ecrire("\n", 1);
    }
    std::vector<int> sans_position;
    for (std::size_t n = 1; n < reperes.size(); ++n)
        if (!reperes[n]) sans_position.push_back(static_cast<int>(n));
    for (Suite const& s : suites(sans_position))
        resultat.rapports.push_back(s.premier == s.dernier
                                        ? Rapport(Message::jeu_pointeur_sans_position, {s.premier})
                                        : Rapport(Message::jeu_pointeurs_sans_position, {s.premier, s.dernier}));
    resultat.rapports.insert(resultat.rapports.end(), sans_texte.begin(), sans_texte.end());
    return resultat;
}

}  // namespace Jeu
