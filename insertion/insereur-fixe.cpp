#include "insertion/insereur-fixe.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

#include "insertion/caractere-inconnu.h"
#include "insertion/ouverture.h"
#include "lib/fichiers.h"
#include "tables/insereur-table.h"

namespace Insereur {

namespace {

void ajouter(std::vector<unsigned char>& octets, Nb_ext_ins const& code) {
    octets.insert(octets.end(), code.octets(), code.octets() + code.taille());
}

}  // namespace

bool ins_fixe(char const* rom, char const* table, char const* script, int adresse, int nombre, int taille) {
    Table_ins tbl;
    Fichier f_rom;
    Fichier f_script;
    if (!ouvrir(tbl, table, f_rom, rom, f_script, script)) return false;
    if (adresse < 0 || adresse > f_rom.size()) {
        std::fputs("Erreur, l'emplacement du texte est situé hors de la rom\n", stdout);
        return false;
    }

    std::string const texte = Fichiers::charger(f_script);
    f_script.close();
    std::size_t const largeur = static_cast<std::size_t>(tbl.taille_max());
    Nb_ext_ins const* const remplissage = tbl.chercher("_", 1);
    char const* const s = texte.data();
    std::size_t const longueur = texte.size();
    // Room left in the ROM after the first word's offset; the words are built here and
    // written in one piece at the end.
    std::size_t const place = static_cast<std::size_t>(f_rom.size() - adresse);
    std::vector<unsigned char> sortie;
    std::vector<unsigned char> mot;

    std::size_t p = 0;
    // A negative word length takes no unit and steps past no line: nothing is ever written.
    for (int w = 1; taille >= 0 && w <= nombre && p < longueur; ++w) {
        mot.clear();
        int unites = 0;
        bool fin_de_ligne = false;
        while (unites < taille && p < longueur) {
            std::size_t const disponible = std::min(largeur, longueur - p);
            std::size_t trouve = 0;
            Nb_ext_ins const* code = tbl.plus_long(s + p, disponible, trouve);
            if (s[p] == '\n' && trouve < 2) {
                fin_de_ligne = true;
                break;
            }
            if (code == nullptr) {
                signaler_caractere_inconnu(s + p, disponible);
                ++p;
            } else {
                ajouter(mot, *code);
                p += trouve;
            }
            ++unites;
        }
        if (fin_de_ligne) {
            std::printf("Le mot %d est trop court\n", w);
            // Padding stops once the word no longer fits in the ROM: it will not be written,
            // and a huge word length must not pad billions of units first.
            for (; unites < taille && sortie.size() + mot.size() <= place; ++unites) {
                if (remplissage != nullptr) {
                    ajouter(mot, *remplissage);
                } else {
                    std::fputs("Le caractère '_' n'est pas défini dans la table...\n", stdout);
                    mot.push_back(0);
                }
            }
        } else if (unites == taille && p < longueur && s[p] != '\n') {
            std::printf("Le mot %d est trop long\n", w);
            while (p < longueur && s[p] != '\n') ++p;
        }
        if (p < longueur && s[p] == '\n') ++p;
        if (sortie.size() + mot.size() > place) {
            std::printf("Erreur : le mot %d ne sera pas inseré : il dépasse la fin de la rom\n", w);
            break;
        }
        sortie.insert(sortie.end(), mot.begin(), mot.end());
    }

    if (sortie.empty()) return true;
    f_rom.seek(adresse, 0);
    if (f_rom.write(sortie.data(), 1, static_cast<int>(sortie.size())) != static_cast<int>(sortie.size()) ||
        std::fflush(f_rom.stream()) != 0) {
        std::printf("Erreur, impossible d'écrire dans le fichier \"%s\"\n", rom);
        return false;
    }
    return true;
}

}  // namespace Insereur
