#pragma once
#include <string>
#include <vector>

#include "lib/erreur.h"
#include "lib/rapport.h"

namespace fuzz {

// Runs one operation as a script command does: the system's own errors are its reports.
template <typename F>
void comme_une_commande(F&& operation) {
    try {
        operation();
    } catch (fseek_error const&) {
    } catch (math_error const&) {
    } catch (erreur_nombre const&) {
    } catch (fopen_error const&) {
    }
}

// The reports' texts, as the command would print them: a report whose arguments do not fit
// its message throws std::logic_error, which the fuzzer then shows as a crash.
inline std::size_t formater_tout(Rapports const& rapports) { return formater(rapports).size(); }
inline std::size_t formater_tout(Rapport const& rapport) { return formater(rapport).size(); }

inline std::vector<unsigned char> octets(std::string const& texte) {
    return std::vector<unsigned char>(texte.begin(), texte.end());
}

}  // namespace fuzz
