#pragma once
#include <functional>
#include <string>
#include <vector>

#include "lib/rapport.h"
#include "tables/nb_ext_ins.h"

// The line syntax of table files. A character table (read the same way for both directions)
// has one entry per line, "HEX=text", and the forms the tables translators share use: blank
// and comment lines, end tokens "/HEX", line breaks "*HEX", control codes with parameters
// "$HEX=label,N". A file may hold several tables, each opened by a line "@name", and switch
// entries "!HEX=label,<@name>:N" (tables/ligne-bascule.h). The line-break table's left sides
// are script texts: it keeps the plain "key=value" syntax, blank lines skipped.
namespace Fichier_table {

// Which file the content is.
enum class Syntaxe { caracteres, largeurs };

// What a line of a character table defines.
enum class Sorte {
    ordinaire,      // HEX=text
    fin,            // /HEX=text, or /HEX alone: the end of a string
    saut_de_ligne,  // *HEX=text, or *HEX alone: a line break
    parametres,     // $HEX=label,N: a control code followed by N raw parameter bytes
    bascule,        // !HEX=label,<@name>:N...: a code that switches to other tables
    table,          // @name: the tables after it are this one's, until the next such line
};

// How long decoding stays in the table switched to before it falls back.
enum class Duree {
    nombre,          // N >= 1: exactly N matches
    tant_que_connu,  // 0: as long as the table matches
    aussitot,        // -1: not at all, the code is only a label
    jusqu_au_code,   // $XX: until the code XX, consumed and not written
};

// One switch of a switch entry, as written.
struct Bascule_lue {
    std::string table;
    Duree duree = Duree::nombre;
    int nombre = 0;      // Duree::nombre: the count of matches
    std::string retour;  // Duree::jusqu_au_code: the code's hexadecimal digits
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
    std::vector<Bascule_lue> bascules;  // a switch entry's, run in order; its text is the label
    int ligne = 0;                      // the line's number in the file, from 1
};

// The text of a table file's bytes: a UTF-8 byte-order mark dropped; a character table in
// UTF-16 (with its byte-order mark, or without one when every second byte of the first 64 is
// zero and the others are not) converted to UTF-8, with a report saying so; line ends
// normalised as every text file's are.
std::string preparer(std::string const& octets, Syntaxe syntaxe, Rapports& rapports);

// Walks the entries of a prepared content in file order. Blank lines are skipped, and in a
// character table comment lines ("#", "//", ";"); a line that defines nothing usable is
// reported with its number and skipped; an entry with an empty side is reported ("Une entrée
// vide..."); every other one, table names included, is handed to `ajouter`, which adds its own
// reports, so that the reports follow the order of the lines that cause them.
// A switch that cannot be read, or a form of line this program does not read (counting
// weights "!F9<2>=" or "03<2>=", bit keys "%..."), would make every line after it mean
// something else: it is reported as an error and lire returns false once the walk is done.
bool lire(std::string const& contenu, Syntaxe syntaxe, Rapports& rapports,
          std::function<void(Entree const&)> const& ajouter);

// The two reports made when an entry collides with one already held, which stays.
void signaler_doublon(Nb_ext_ins const& code_existant, std::string const& texte_existant, Entree const& ignoree,
                      Rapports& rapports);

}  // namespace Fichier_table
