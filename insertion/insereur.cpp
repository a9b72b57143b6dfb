#include "insertion/insereur.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdio>
#include <string>

#include "insertion/caractere-inconnu.h"
#include "insertion/image-rom.h"
#include "insertion/insereur-pointeur.h"
#include "insertion/ouverture.h"
#include "lib/calcul.h"
#include "lib/fichiers.h"
#include "lib/vorlan_tool_divers.h"
#include "tables/insereur-table.h"

namespace Insereur {

namespace {

// The look-ahead window is never narrower than 10 characters, so that a tag of up to five
// digits ("<PT12345>" and its line feed) always fits in it.
constexpr std::size_t fenetre_minimale = 10;

// Length of the pointer tag that begins the window ("<PT", digits, ">", LF), 0 when none
// does; its number in `numero`. At most one prefix of a window can be a tag: the one that
// ends at the first ">" after the digits.
std::size_t longueur_balise(char const* fenetre, std::size_t disponible, int& numero) {
    if (disponible < 6 || fenetre[0] != '<' || fenetre[1] != 'P' || fenetre[2] != 'T') return 0;
    std::size_t fin = 3;
    while (fin < disponible && fenetre[fin] >= '0' && fenetre[fin] <= '9') ++fin;
    if (fin + 1 >= disponible || fenetre[fin] != '>' || fenetre[fin + 1] != '\n') return 0;
    std::string const balise(fenetre, fin + 2);
    if (!Vorlan_tool::scan_pointeur(balise.c_str(), numero)) return 0;
    // A number beyond the int range would wrap onto a real pointer (4294967297 onto 1): it is
    // taken as the largest int instead, which is then reported as past the pointer table.
    long long valeur = 0;
    for (std::size_t k = 3; k < fin; ++k) valeur = std::min<long long>(valeur * 10 + (fenetre[k] - '0'), INT_MAX);
    numero = static_cast<int>(valeur);
    return balise.size();
}

// Checks made before anything is read from the ROM, each with its message; true when all pass.
bool verifier(Fichier const& rom, int debut, int fin, int adresse, int nombre, int taille, char const* formule) {
    if (debut > fin) {
        std::fputs("Erreur, le début du texte se situe après la fin du texte\n", stdout);
        return false;
    }
    // The end byte must exist in the ROM.
    if (debut < 0 || debut > rom.size() || fin >= rom.size()) {
        std::fputs("Erreur, l'emplacement du texte est situé hors de la rom\n", stdout);
        return false;
    }
    if (adresse < 0 || adresse > rom.size()) {
        std::fputs("Erreur, l'adresse du début des pointeurs se situe en dehors de la rom\n", stdout);
        return false;
    }
    if (nombre < 0) {
        std::fputs("Erreur, le nombre de pointeurs est négatif\n", stdout);
        return false;
    }
    if (taille < 2 || taille > 4) {
        std::fputs("Erreur, la taille des pointeurs est incorrecte\n", stdout);
        return false;
    }
    // A formula whose parentheses do not balance evaluates to 0 without stopping anything:
    // every pointer rewritten would be set to 0.
    return nombre == 0 || Calcul::verifier_parentheses(formule);
}

}  // namespace

int inserer(char const* rom, char const* table, char const* script, int debut, int fin, int adresse, int nombre,
            int taille, char const* formule, bool ordre) {
    Table_ins tbl;
    Fichier f_rom;
    Fichier f_script;
    if (!ouvrir(tbl, table, f_rom, rom, f_script, script)) return debut;
    if (!verifier(f_rom, debut, fin, adresse, nombre, taille, formule)) return debut;

    std::string const texte = Fichiers::charger(f_script);
    f_script.close();
    std::size_t const largeur = std::max(static_cast<std::size_t>(tbl.taille_max()), fenetre_minimale);

    // The image spans the text range and the part of the pointer table inside the ROM: every
    // slot that inserer_pointeur accepts lies in it.
    long long bas = debut;
    long long haut = static_cast<long long>(fin) + 1;
    if (nombre > 0) {
        long long const fin_table = adresse + static_cast<long long>(nombre) * taille;
        bas = std::min<long long>(bas, adresse);
        haut = std::max(haut, std::min<long long>(fin_table, f_rom.size()));
    }
    Image_rom image;
    if (!image.charger(f_rom, static_cast<int>(bas), static_cast<int>(haut))) {
        std::printf("Erreur, impossible de lire le fichier \"%s\"\n", rom);
        return debut;
    }

    char const* const s = texte.data();
    std::size_t const longueur = texte.size();
    int position = debut;
    bool debordement = false;
    long long manquants = 0;
    std::size_t p = 0;
    while (p < longueur) {
        std::size_t const disponible = std::min(largeur, longueur - p);
        std::size_t trouve = 0;
        Nb_ext_ins const* code = tbl.plus_long(s + p, disponible, trouve);
        int numero = 0;
        std::size_t const balise = longueur_balise(s + p, disponible, numero);
        if (balise != 0 && balise >= trouve) {
            inserer_pointeur(image, position, numero, adresse, nombre, taille, formule, ordre);
            p += balise;
        } else if (code != nullptr) {
            int const octets = code->taille();
            if (debordement) {
                manquants += octets;
            } else if (static_cast<long long>(position) + octets - 1 > fin) {
                debordement = true;
                manquants += static_cast<long long>(position) + octets - 1 - fin;
            } else {
                image.ecrire(position, code->octets(), octets);
                position += octets;
            }
            p += trouve;
        } else {
            signaler_caractere_inconnu(s + p, disponible);
            ++p;
        }
    }

    if (debordement)
        std::printf("Espace insuffisant, il manque %lld octets...\n", manquants);
    else
        std::printf("%d octets restants\n", fin - position + 1);
    image.remplir(position, fin - position + 1, 0);
    if (!image.enregistrer(f_rom)) {
        std::printf("Erreur, impossible d'écrire dans le fichier \"%s\"\n", rom);
        return debut;
    }
    return position;
}

}  // namespace Insereur
