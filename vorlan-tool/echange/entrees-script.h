#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <variant>
#include <vector>

// A script as the texts a translator handles, each under an identifier that stays the same from
// one dump to the next: what the exchange files hold, and what pairs an original script with its
// translation.
namespace Echange {

// The first and last byte of the range of extraire_jeu a text lies in.
struct Plage_du_texte {
    long long debut = 0;
    long long fin = 0;
};

struct Entree {
    // "PT0005", "PT0005 PT0006" for a text two tags share, "PLAGE $10000-$17FFF" for the text a
    // range marker opens, "LIGNE 3" for a word of a fixed-length list, "TEXTE" for a script
    // without tags (and the text before its first tag). The tags' digits as they are written; a
    // group of tags met again gets " #2", " #3"... so that every identifier is one text's.
    std::string identifiant;
    std::vector<long long> pointeurs;     // the tags' numbers, in script order
    std::optional<Plage_du_texte> plage;  // the range of the last marker before it
    std::string texte;                    // as the script writes it, without the line feed that ends it
};

// How the script is cut: at its pointer tags and range markers, or one word per line.
enum class Forme { balises, fixe };

class Script_en_entrees {
public:
    // Cuts the script. A tag or a marker counts only as a whole line; the untagged text before
    // the first tag, or right after a marker, is an entry only when it is not empty.
    Script_en_entrees(std::string const& script, Forme forme);

    Forme forme() const { return forme_; }
    std::vector<Entree> const& entrees() const { return entrees_; }
    // The entry of that identifier, by its index.
    std::optional<std::size_t> chercher(std::string const& identifiant) const;

    // The script with entry k's text replaced by textes[k] (one text per entry): byte for byte
    // the script cut when every text is its own, each line feed cut off put back (and one given
    // to a text that was empty before a tag or a marker).
    std::string recomposer(std::vector<std::string> const& textes) const;

private:
    Forme forme_;
    std::vector<Entree> entrees_;
    // What stands before entry k's text (its tag lines, its marker, an empty untagged text),
    // then, last, what follows the last entry.
    std::vector<std::string> avant_;
    std::vector<bool> fin_de_ligne_;  // entry k's text was ended by a line feed, cut off
    std::vector<std::size_t> par_identifiant_;  // entry indexes in identifier order
};

// Why two scripts cannot be paired: the first identifier of one that the other lacks.
struct Ecart_de_balises {
    std::string identifiant;
    bool dans_l_original = false;  // true: the original has it, the translation does not
};

// A translated script paired with its original by identifiers: for each entry of the original,
// the index of the translation's entry of the same identifier. Both must hold the same
// identifiers, in any order; the first one missing on either side, in script order, refuses.
std::variant<std::vector<std::size_t>, Ecart_de_balises> appairer(Script_en_entrees const& original,
                                                                   Script_en_entrees const& traduction);

// True when the text holds, at a line start, a pointer tag or a range marker: put into a script,
// it would cut it where its original does not.
bool coupe_le_script(std::string const& texte);

}  // namespace Echange
