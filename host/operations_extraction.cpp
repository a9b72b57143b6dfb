#include <sys/stat.h>

#include "extraction/extracteur-fixe.h"
#include "extraction/extracteur.h"
#include "host/chargement.h"
#include "host/enregistrement.h"
#include "host/operations.h"

namespace Operations {

namespace {

// True when both names lead to one existing file.
bool meme_fichier(char const* premier, char const* second) {
    struct stat a;
    struct stat b;
    return stat(premier, &a) == 0 && stat(second, &b) == 0 && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Creates (or empties) the script file once the arguments have passed their checks, so that a
// refused extraction leaves an earlier script alone. A script named like the ROM or the table
// would destroy it: refused.
bool creer_script(Fichier& f_script, char const* script, char const* rom, char const* table) {
    if (meme_fichier(script, rom)) {
        afficher(Rapport(Message::script_est_la_rom, {script}));
        return false;
    }
    if (meme_fichier(script, table)) {
        afficher(Rapport(Message::script_est_la_table, {script}));
        return false;
    }
    if (f_script.essayer_ouvrir(script, "w")) return true;
    afficher(Rapport(Message::fopen_impossible_ligne, {script}));
    return false;
}

void ecrire_script(Fichier& f_script, Extracteur::Extraction const& extraction, char const* script) {
    afficher(extraction.rapports);
    if (!enregistrer_texte(f_script, extraction.script)) afficher(Rapport(Message::ecriture_impossible, {script}));
}

}  // namespace

void extraire(char const* rom, char const* table, char const* script, int debut, int fin,
              Table_pointeurs const& pointeurs, char const* formule) {
    Extracteur::Table_ext caracteres;
    if (!charger_table(caracteres, table, Message::ouverture_impossible_ligne)) return;
    Fichier f_rom;
    if (!ouvrir_rom(f_rom, rom, "rb")) return;
    if (auto erreur = Extracteur::verifier(f_rom.size(), debut, fin, pointeurs)) {
        afficher(*erreur);
        return;
    }
    std::vector<unsigned char> octets;
    Fichier f_script;
    if (!creer_script(f_script, script, rom, table) || !lire_rom(f_rom, octets)) return;
    Calcul::Formule const formule_lue(formule);
    ecrire_script(f_script, Extracteur::extraire(caracteres, octets, debut, fin, pointeurs, formule_lue), script);
}

void extraire_fixe(char const* rom, char const* table, char const* script, int adresse, int nombre, int taille) {
    Extracteur::Table_ext caracteres;
    if (!charger_table(caracteres, table, Message::ouverture_impossible_ligne)) return;
    Fichier f_rom;
    if (!ouvrir_rom(f_rom, rom, "rb")) return;
    if (auto erreur = Extracteur::verifier_fixe(f_rom.size(), adresse, nombre, taille)) {
        afficher(*erreur);
        return;
    }
    std::vector<unsigned char> octets;
    Fichier f_script;
    if (!creer_script(f_script, script, rom, table) || !lire_rom(f_rom, octets)) return;
    ecrire_script(f_script, Extracteur::ext_fixe(caracteres, octets, adresse, nombre, taille), script);
}

}  // namespace Operations
