#include "insertion/insereur-fixe.h"

#include <algorithm>
#include <cstddef>
#include <vector>

#include "insertion/caractere-inconnu.h"

namespace Insereur {

namespace {

void ajouter(std::vector<unsigned char>& octets, Nb_ext_ins const& code) {
    octets.insert(octets.end(), code.octets(), code.octets() + code.taille());
}

// Encodes the word that starts at `p` of the script (left just past its line), with the room
// it may take at most: padding stops once the word no longer fits, since it will not be
// written, and a huge word length must not pad billions of units first.
std::vector<unsigned char> encoder_mot(Table_ins const& table, std::string const& script, std::size_t& p, int w,
                                       int taille, std::size_t place, Rapports& rapports) {
    std::size_t const largeur = static_cast<std::size_t>(table.taille_max());
    Nb_ext_ins const* const remplissage = table.chercher("_");
    char const* const s = script.data();
    std::size_t const longueur = script.size();
    std::vector<unsigned char> mot;
    int unites = 0;
    bool fin_de_ligne = false;
    while (unites < taille && p < longueur) {
        std::size_t const disponible = std::min(largeur, longueur - p);
        std::size_t trouve = 0;
        Nb_ext_ins const* code = table.plus_long(s + p, disponible, trouve);
        if (s[p] == '\n' && trouve < 2) {
            fin_de_ligne = true;
            break;
        }
        if (code == nullptr) {
            rapports.push_back(caractere_inconnu(s + p, disponible));
            ++p;
        } else {
            ajouter(mot, *code);
            p += trouve;
        }
        ++unites;
    }
    if (fin_de_ligne) {
        rapports.push_back(Rapport(Message::mot_trop_court, {w}));
        for (; unites < taille && mot.size() <= place; ++unites) {
            if (remplissage != nullptr) {
                ajouter(mot, *remplissage);
            } else {
                rapports.push_back(Rapport(Message::souligne_absent));
                mot.push_back(0);
            }
        }
    } else if (unites == taille && p < longueur && s[p] != '\n') {
        rapports.push_back(Rapport(Message::mot_trop_long, {w}));
        while (p < longueur && s[p] != '\n') ++p;
    }
    if (p < longueur && s[p] == '\n') ++p;
    return mot;
}

}  // namespace

std::optional<Rapport> verifier_fixe(int taille_rom, int adresse) {
    if (adresse < 0 || adresse > taille_rom) return Rapport(Message::texte_hors_rom);
    return std::nullopt;
}

Rapports ins_fixe(Table_ins const& table, std::string const& script, Image_rom& image, int adresse, int nombre,
                  int taille) {
    Rapports rapports;
    // Room left in the ROM after the first word's offset.
    std::size_t const place = static_cast<std::size_t>(image.taille() - adresse);
    std::vector<unsigned char> mots;
    std::size_t p = 0;
    // A negative word length takes no unit and steps past no line: nothing is ever written.
    for (int w = 1; taille >= 0 && w <= nombre && p < script.size(); ++w) {
        std::vector<unsigned char> const mot = encoder_mot(table, script, p, w, taille, place - mots.size(), rapports);
        if (mots.size() + mot.size() > place) {
            rapports.push_back(Rapport(Message::mot_au_dela_de_la_rom, {w}));
            break;
        }
        mots.insert(mots.end(), mot.begin(), mot.end());
    }
    if (!mots.empty()) image.ecrire(adresse, mots.data(), mots.size());
    return rapports;
}

}  // namespace Insereur
