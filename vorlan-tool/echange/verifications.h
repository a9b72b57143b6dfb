#pragma once
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "echange/glossaire.h"

// What the import checks in a translation against its original, both in the script's bytes.
namespace Echange {

// The control codes of a text in order: every "<...>" of one line ("<FIN>", "<ROUGE>", "<0A>").
std::vector<std::string> codes_de_controle(std::string const& texte);

// Where the translation's codes first differ from the original's: the translation's code and the
// original's at that rank, "rien" for the side that has none. Nothing when both sequences are
// the same; line breaks are free.
std::optional<std::pair<std::string, std::string>> ecart_de_codes(std::string const& original,
                                                                  std::string const& traduction);

// The terms found in the original (byte for byte, anywhere) whose required translation the
// translation lacks, in glossary order.
std::vector<Terme const*> termes_manquants(std::string const& original, std::string const& traduction,
                                           std::vector<Terme> const& glossaire);

}  // namespace Echange
