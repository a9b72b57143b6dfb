#pragma once
#include <string>
#include <string_view>

// The pieces of HTML a proof sheet is written with.
namespace Epreuve {

// The text with every character HTML gives a meaning escaped (&, <, >, " and '), so that it
// reads as itself in an element's content and in a quoted attribute.
std::string echapper(std::string_view texte);

// The section's anchor for an entry's identifier: its first tag ("PT0005 PT0006" -> "PT0005"),
// a range by its start ("PLAGE $10000-$17FFF" -> "PLAGE-10000"), a repeated group by its rank
// ("PT0005 #2" -> "PT0005-2"), a word of a list by its line ("LIGNE 3" -> "LIGNE-3"). Only
// letters, digits and dashes: it stands as it is in a URL.
std::string ancre(std::string const& identifiant);

// The file name as a relative URL: every byte but letters, digits and "-._/" percent-encoded.
std::string en_url(std::string const& chemin);

}  // namespace Epreuve
