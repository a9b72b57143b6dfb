#pragma once
#include <string>

#include "lib/erreur.h"

namespace fuzz {

// Writes the bytes to a file of that name in this process's scratch folder; returns its path.
std::string ecrire(char const* nom, std::string const& octets);
// Path of a file of that name in the scratch folder (removed first, so nothing is left over).
std::string chemin_vide(char const* nom);

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

}  // namespace fuzz
