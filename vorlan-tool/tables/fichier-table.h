#pragma once
#include <functional>
#include <string>

#include "lib/rapport.h"
#include "tables/nb_ext_ins.h"

// The line syntax of table files. A character table (read the same way for both directions)
// has one entry per line, "HEX=text", and the forms the tables translators share use: blank
// and comment lines, end tokens "/HEX", line breaks "*HEX", control codes with parameters
// "$HEX=label,N". The line-break table's left sides are script texts: it keeps the plain
// "key=value" syntax, blank lines skipped.
namespace Fichier_table {

// Which file the content is.
enum class Syntaxe { caracteres, largeurs };

// What a line of a character table defines.
enum class Sorte {
    ordinaire,      // HEX=text
    fin,            // /HEX=text, or /HEX alone: the end of a string
    saut_de_ligne,  // *HEX=text, or *HEX alone: a line break
    parametres,     // $HEX=label,N: a control code followed by N raw parameter bytes
};

struct Entree {
    std::string cle;     // left side as written, its mark included
    std::string valeur;  // right side as written
    std::string hexa;    // the key's hexadecimal digits
    std::string texte;   // what the key stands for: the right side with "\n" turned into line feeds,
                         // a line feed after a line break's text, the raw form of a bare end token
    Sorte sorte = Sorte::ordinaire;
    int parametres = 0;
    bool texte_brut = false;  // a bare end token: its text is the raw form "<XX>..." of its bytes
};

// The text of a table file's bytes: a UTF-8 byte-order mark dropped; a character table in
// UTF-16 (with its byte-order mark, or without one when every second byte of the first 64 is
// zero and the others are not) converted to UTF-8, with a report saying so; line ends
// normalised as every text file's are.
std::string preparer(std::string const& octets, Syntaxe syntaxe, Rapports& rapports);

// Walks the entries of a prepared content in file order. Blank lines are skipped, and in a
// character table comment lines ("#", "//", ";"); a line that defines nothing usable is
// reported with its number and skipped; an entry with an empty side is reported ("Une entrée
// vide..."); every other one is handed to `ajouter`, which adds its own reports, so that the
// reports follow the order of the lines that cause them.
void lire(std::string const& contenu, Syntaxe syntaxe, Rapports& rapports,
          std::function<void(Entree const&)> const& ajouter);

// The two reports made when an entry collides with one already held, which stays.
void signaler_doublon(Nb_ext_ins const& code_existant, std::string const& texte_existant, Entree const& ignoree,
                      Rapports& rapports);

}  // namespace Fichier_table
