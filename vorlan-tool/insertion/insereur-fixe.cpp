#include "insertion/insereur-fixe.h"

#include <algorithm>
#include <cstddef>
#include <vector>

#include "extraction/ecriture-script.h"
#include "extraction/pile-tables.h"
#include "insertion/caractere-inconnu.h"
#include "insertion/encodage-bascules.h"

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

// A word through tables that switch: its line encoded by encoder_bascules, its units the
// decoder's (what one step of Pile_tables reads). A word of too many units is cut after the
// last unit that fits; a short one is padded with "_" encoded after it, or with zero bytes
// when the tables cannot write that many there.
class Mot_bascules {
public:
    explicit Mot_bascules(Extracteur::Tables_ext const& tables) : tables_(tables) {}

    std::vector<unsigned char> operator()(std::string const& script, std::size_t& p, int w, int taille,
                                          Rapports& rapports) const {
        std::size_t fin = script.find('\n', p);
        if (fin == std::string::npos) fin = script.size();
        std::string const ligne = script.substr(p, fin - p);
        p = fin < script.size() ? fin + 1 : fin;
        Rapports inconnus;
        std::vector<unsigned char> mot = encoder(ligne, inconnus);
        rapports.insert(rapports.end(), inconnus.begin(), inconnus.end());
        std::vector<std::size_t> const fins = unites(mot);
        std::size_t const voulues = static_cast<std::size_t>(taille);
        if (fins.size() > voulues) {
            rapports.push_back(Rapport(Message::mot_trop_long, {w}));
            mot.resize(voulues == 0 ? 0 : fins[voulues - 1]);
        } else if (fins.size() < voulues) {
            rapports.push_back(Rapport(Message::mot_trop_court, {w}));
            Rapports essai;
            std::vector<unsigned char> rempli = encoder(ligne + std::string(voulues - fins.size(), '_'), essai);
            if (essai.size() == inconnus.size() && unites(rempli).size() == voulues) {
                mot = std::move(rempli);
            } else {
                for (std::size_t k = fins.size(); k < voulues; ++k) {
                    rapports.push_back(Rapport(Message::souligne_absent));
                    mot.push_back(0);
                }
            }
        }
        return mot;
    }

private:
    std::vector<unsigned char> encoder(std::string const& texte, Rapports& rapports) const {
        std::vector<unsigned char> octets;
        for (Texte_encode const& t : encoder_bascules(texte, tables_, false).textes) {
            rapports.insert(rapports.end(), t.rapports.begin(), t.rapports.end());
            octets.insert(octets.end(), t.octets.begin(), t.octets.end());
        }
        return octets;
    }

    // Where each unit of the bytes ends.
    std::vector<std::size_t> unites(std::vector<unsigned char> const& octets) const {
        std::vector<std::size_t> fins;
        std::string texte;
        Extracteur::Ecriture_script ecriture(texte);
        Extracteur::Pile_tables pile(tables_);
        for (std::size_t q = 0; q < octets.size();) {
            q += pile.decoder(ecriture, octets.data() + q, octets.size() - q, false);
            fins.push_back(q);
        }
        return fins;
    }

    Extracteur::Tables_ext const& tables_;
};

// Places the words one after another from `adresse`, then writes them all at once.
template <typename Encodeur>
Rapports ins_fixe_par(Encodeur const& encoder_un_mot, std::string const& script, Image_rom& image, int adresse,
                      int nombre, int taille) {
    Rapports rapports;
    // Room left in the ROM after the first word's offset.
    std::size_t const place = static_cast<std::size_t>(image.taille() - adresse);
    std::vector<unsigned char> mots;
    std::size_t p = 0;
    // A negative word length takes no unit and steps past no line: nothing is ever written.
    for (int w = 1; taille >= 0 && w <= nombre && p < script.size(); ++w) {
        std::vector<unsigned char> const mot = encoder_un_mot(script, p, w, taille, place - mots.size(), rapports);
        if (mots.size() + mot.size() > place) {
            rapports.push_back(Rapport(Message::mot_au_dela_de_la_rom, {w}));
            break;
        }
        mots.insert(mots.end(), mot.begin(), mot.end());
    }
    if (!mots.empty()) image.ecrire(adresse, mots.data(), mots.size());
    return rapports;
}

}  // namespace

std::optional<Rapport> verifier_fixe(int taille_rom, int adresse) {
    if (adresse < 0 || adresse > taille_rom) return Rapport(Message::texte_hors_rom);
    return std::nullopt;
}

Rapports ins_fixe(Table_ins const& table, std::string const& script, Image_rom& image, int adresse, int nombre,
                  int taille) {
    auto const mot = [&table](std::string const& texte, std::size_t& p, int w, int unites, std::size_t place,
                              Rapports& rapports) { return encoder_mot(table, texte, p, w, unites, place, rapports); };
    return ins_fixe_par(mot, script, image, adresse, nombre, taille);
}

Rapports ins_fixe(Extracteur::Tables_ext const& tables, std::string const& script, Image_rom& image, int adresse,
                  int nombre, int taille) {
    Mot_bascules const bascules(tables);
    auto const mot = [&bascules](std::string const& texte, std::size_t& p, int w, int unites, std::size_t,
                                 Rapports& rapports) { return bascules(texte, p, w, unites, rapports); };
    return ins_fixe_par(mot, script, image, adresse, nombre, taille);
}

}  // namespace Insereur
