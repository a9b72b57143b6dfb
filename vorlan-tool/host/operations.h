#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "apercu/mise-en-page.h"
#include "echange/codage.h"
#include "jeu/description.h"
#include "lib/table_pointeurs.h"

// The work of the eight commands once their arguments are checked: each loads its inputs by
// name, calls its operation, prints the operation's reports in order and commits what it
// produced. The framing messages are the script commands' own.
namespace Operations {

// The table is the tables of the files named, loaded together (tables/extracteur-bascules.h);
// one name is a list of one.
void extraire(char const* rom, std::vector<std::string> const& tables, char const* script, int debut, int fin,
              Table_pointeurs const& pointeurs, char const* formule);
void extraire(char const* rom, char const* table, char const* script, int debut, int fin,
              Table_pointeurs const& pointeurs, char const* formule);
void extraire_fixe(char const* rom, std::vector<std::string> const& tables, char const* script, int adresse,
                   int nombre, int taille);

// Whether an insertion writes the ROM or only says what it would do.
enum class Ecriture { reelle, simulee };

// The offset just after the last text byte written; `debut` after a reported error. A formula
// that cannot be computed for a pointer ends the insertion with its math_error, nothing written.
// A simulated insertion prints and returns what the real one would on a writable ROM, which it
// only reads.
int inserer(char const* rom, std::vector<std::string> const& table, char const* script, int debut, int fin,
            Table_pointeurs const& pointeurs, char const* formule, Ecriture ecriture = Ecriture::reelle);
void inserer_fixe(char const* rom, std::vector<std::string> const& table, char const* script, int adresse, int nombre, int taille);

void optimiser_dte(char const* script, char const* resultat, int nombre);
void optimiser_mte(char const* script, char const* resultat, short nombre, short taille_max, int taille_rom);

void supprimer_mots(char const* entree, char const* sortie, char const* liste);
void mettre_en_forme(char const* entree, char const* sortie, char const* table, int largeur, int lignes);
// The number of problems found in the script as written; -1 when it could not be checked.
int verifier_mise_en_forme(char const* script, char const* table, int largeur, int lignes);

// An IPS or BPS patch from `original` to `modifie`, as the patch's name ends.
void creer_patch(char const* original, char const* modifie, char const* patch);
// The ROM an IPS or BPS patch makes of `rom`, written as `resultat` (which may be `rom`).
void appliquer_patch(char const* rom, char const* patch, char const* resultat);

// The text of every range of a game's description, as one script: each range opened by its
// marker, each pointer of every group tagged where it designates.
void extraire_jeu(Jeu::Description const& jeu, char const* script);
// The script placed whole, text by text, in the description's room, every pointer rewritten;
// nothing when it was refused before any work (its message printed).
std::optional<Jeu::Bilan> inserer_jeu(Jeu::Description const& jeu, char const* script,
                                      Jeu::Options_insertion const& options);

// What apercu is asked: its files, the font's place in the ROM and the boxes' shape.
struct Demande_apercu {
    std::string script;
    std::string table;
    std::string rom;
    long long adresse = 0;
    int premier = 0;
    Apercu::Forme forme;  // the glyphs' format, size, blank index and line spacing
    std::optional<Apercu::Largeurs_rom> largeurs_rom;
    std::string largeurs;
    std::string sortie;  // "NAME.png": the pages are NAME-001.png, NAME-002.png, ...
    Apercu::Parametres parametres;
};

// The preview's layout once its pages are written; nothing when it was refused.
std::optional<Apercu::Mise_en_page> apercu(Demande_apercu const& demande);
// The name of a page, counted from 1.
std::string nom_de_page(std::string const& sortie, std::size_t page);

// The font's ROM, that the font reads from, kept as long as the layout is drawn.
struct Rom_de_police {
    std::vector<unsigned char> octets;
    std::optional<Apercu::Police> police;
};

// The script (already read) laid out as the request asks, after loading its table, widths and
// font into `rom`, its problems and their count printed; nothing after printing why it was
// refused.
std::optional<Apercu::Mise_en_page> mettre_en_page(Demande_apercu const& demande, std::string const& script,
                                                   Rom_de_police& rom);
// The layout's pages drawn and encoded on every core, each written through the commit path as
// nom_de(page counted from 0), in page order; a name that is one of `entrees` is refused. False
// after printing why a page could not be written.
bool ecrire_pages(Apercu::Mise_en_page const& mise_en_page, Apercu::Police const& police,
                  Apercu::Parametres const& parametres, std::function<std::string(std::size_t)> const& nom_de,
                  std::vector<std::string> const& entrees);

// What epreuve is asked: apercu's request (its `sortie` the page's name), and the original, the
// title and the scripts' character set.
struct Demande_epreuve {
    Demande_apercu apercu;
    std::optional<std::string> original;
    std::string titre;
    Echange::Encodage encodage = Echange::Encodage::latin1;
};

struct Epreuve_ecrite {
    Apercu::Mise_en_page mise_en_page;
    int sections = 0;
};

// The proof sheet written, its pictures first and its page last; nothing when it was refused.
std::optional<Epreuve_ecrite> epreuve(Demande_epreuve const& demande);
// The folder of the page's pictures: "epreuve.html" -> "epreuve-images".
std::string dossier_des_images(std::string const& page);

}  // namespace Operations
