// The shortest encoding of an arbitrary script through an arbitrary table: what it writes reads
// back through extraction's decoder as the script, its unknown characters taken out; and where
// longest match's own bytes read back piece for piece as the codes it chose, it writes no more
// (fewest unknown characters first, then fewest bytes).
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>

#include "support.h"
#include "extraction/ecriture-script.h"
#include "insertion/caractere-inconnu.h"
#include "insertion/encodage-court.h"
#include "insertion/encodage.h"
#include "lib/vorlan_tool_divers.h"
#include "tables/extracteur-table.h"
#include "tables/fichier-table.h"

namespace {

struct Lecture {
    Extracteur::Table_ext extraction;
    std::set<Nb_ext_ins> libres;  // end tokens and line breaks, by their first definition
    Insereur::Table_ins const& insertion;

    Lecture(std::string const& table, Insereur::Table_ins const& ins) : insertion(ins) {
        fuzz::formater_tout(extraction.charger(table));
        Rapports rapports;
        auto const syntaxe = Fichier_table::Syntaxe::caracteres;
        std::set<Nb_ext_ins> vues;
        Fichier_table::lire(Fichier_table::preparer(table, syntaxe, rapports), syntaxe, rapports,
                            [this, &vues](Fichier_table::Entree const& e) {
                                if (e.hexa.empty()) return;
                                Nb_ext_ins const cle(reinterpret_cast<unsigned char const*>(e.hexa.c_str()));
                                if (!vues.insert(cle).second) return;
                                if (e.sorte == Fichier_table::Sorte::fin || e.sorte == Fichier_table::Sorte::saut_de_ligne)
                                    libres.insert(cle);
                            });
    }
};

std::string brut(unsigned char octet) {
    char texte[5];
    std::snprintf(texte, sizeof texte, "<%02X>", octet);
    return texte;
}

struct Piece {
    std::string octets;
    std::string texte;
    bool libre = false;
};

// Extraction's reading of a text's bytes: each key (or raw byte), then its parameters raw.
std::vector<Piece> relire(Lecture const& l, std::vector<unsigned char> const& octets) {
    std::vector<Piece> pieces;
    std::string lu;
    Extracteur::Ecriture_script ecriture(lu);
    std::string const tout(octets.begin(), octets.end());
    for (std::size_t p = 0; p < octets.size();) {
        std::size_t const disponible = octets.size() - p;
        std::size_t longueur = 0;
        Extracteur::Texte_ext const* e = l.extraction.plus_long(
            octets.data() + p, std::min<std::size_t>(disponible, l.extraction.taille_max()), longueur);
        std::size_t const lus = ecriture.decoder(l.extraction, octets.data() + p, disponible, false);
        if (e == nullptr) {
            pieces.push_back({tout.substr(p, 1), brut(octets[p])});
        } else {
            bool const libre = l.libres.count(Nb_ext_ins(octets.data() + p, static_cast<int>(longueur))) != 0;
            pieces.push_back({tout.substr(p, longueur), e->texte, libre});
            for (std::size_t k = longueur; k < lus; ++k) pieces.push_back({tout.substr(p + k, 1), brut(octets[p + k])});
        }
        p += lus;
    }
    std::string ensemble;
    for (Piece const& piece : pieces) ensemble += piece.texte;
    if (ensemble != lu) std::abort();
    return pieces;
}

bool relu(std::string const& texte, Piece const& piece) {
    if (texte == piece.texte) return true;
    if (piece.octets.size() == 1 && texte == brut(static_cast<unsigned char>(piece.octets[0]))) return true;
    return piece.libre && (texte + '\n' == piece.texte || texte == piece.texte + '\n');
}

// Whether the encoding reads back as the script: each text's tags, then its pieces and its
// unknown characters in some order. With `codes`, each piece's text must also be one the
// insertion table gives that piece's bytes.
bool relit(std::string const& script, Insereur::Encodage const& encodage, Lecture const& l, bool codes) {
    std::size_t const largeur = std::max<std::size_t>(static_cast<std::size_t>(l.insertion.taille_max()), 10);
    std::set<std::size_t> positions{0};
    for (Insereur::Texte_encode const& texte : encodage.textes) {
        for (int numero : texte.pointeurs) {
            std::set<std::size_t> suivantes;
            for (std::size_t p : positions) {
                std::size_t const balise = Vorlan_tool::longueur_balise(script.data() + p, script.size() - p);
                long long valeur = 0;
                for (std::size_t k = p + 3; k + 2 < p + balise; ++k)
                    valeur = std::min<long long>(valeur * 10 + (script[k] - '0'), INT_MAX);
                if (balise != 0 && valeur == numero) suivantes.insert(p + balise);
            }
            positions = suivantes;
        }
        std::vector<Piece> const pieces = relire(l, texte.octets);
        std::vector<std::string> rapports;
        for (Rapport const& r : texte.rapports) rapports.push_back(formater(r));
        std::set<std::tuple<std::size_t, std::size_t, std::size_t>> etats, vus;
        for (std::size_t p : positions) etats.insert({0, 0, p});
        positions.clear();
        while (!etats.empty()) {
            auto const [i, r, p] = *etats.begin();
            etats.erase(etats.begin());
            if (!vus.insert({i, r, p}).second) continue;
            if (i == pieces.size() && r == rapports.size()) positions.insert(p);
            if (i < pieces.size()) {
                std::size_t const t = pieces[i].texte.size();
                for (std::size_t longueur : {t, t + 1, t - 1, std::size_t{4}}) {
                    if (longueur > script.size() - p) continue;
                    std::string const morceau = script.substr(p, longueur);
                    if (!relu(morceau, pieces[i])) continue;
                    Nb_ext_ins const* code = l.insertion.chercher(morceau);
                    bool const sien = code != nullptr &&
                                      std::string(code->octets(), code->octets() + code->taille()) == pieces[i].octets;
                    if (!codes || sien) etats.insert({i + 1, r, p + longueur});
                }
            }
            if (r < rapports.size() && p < script.size() &&
                formater(Insereur::caractere_inconnu(script.data() + p, std::min(largeur, script.size() - p))) ==
                    rapports[r])
                etats.insert({i, r + 1, p + 1});
        }
    }
    return positions.count(script.size()) != 0;
}

// (unknown characters, bytes)
std::pair<std::size_t, std::size_t> cout(Insereur::Encodage const& e) {
    std::pair<std::size_t, std::size_t> c{0, 0};
    for (Insereur::Texte_encode const& t : e.textes) {
        c.first += t.rapports.size();
        c.second += t.octets.size();
        std::size_t fin = 0;
        for (auto const& longue : t.longues) {
            if (longue.debut < fin || longue.taille < 2 || longue.debut + longue.taille > t.octets.size()) std::abort();
            fin = longue.debut + longue.taille;
        }
    }
    return c;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    std::string const table = in.ConsumeRandomLengthString(600);
    // The check walks every way of reading the script back: a few hundred characters.
    std::string const script = in.ConsumeRandomLengthString(300);
    fuzz::comme_une_commande([&] {
        Insereur::Table_courte courte;
        fuzz::formater_tout(courte.charger(table));
        Lecture const lecture(table, courte.insertion());
        Insereur::Encodage const court = Insereur::encoder_court(script, courte);
        for (auto const& t : court.textes) fuzz::formater_tout(t.rapports);
        if (court.textes.empty() || !relit(script, court, lecture, false)) std::abort();
        Insereur::Encodage const long_ = Insereur::encoder(script, courte.insertion());
        if (long_.textes.size() == court.textes.size() && relit(script, long_, lecture, true) && cout(long_) < cout(court))
            std::abort();
    });
    return 0;
}
