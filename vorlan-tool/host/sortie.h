#pragma once
#include "lib/rapport.h"

// The one way vorlan-tool prints: a report's text on the standard output through C stdio,
// byte for byte (NUL bytes included).
void afficher(Rapport const& rapport);
void afficher(Rapports const& rapports);

// The console of the run: how it writes the catalogue's texts, and whether an error has been
// printed, which the program's exit status tells.
class Console {
public:
    // The one console of the process, that every print goes through.
    static Console& du_programme();

    void afficher(Rapport const& rapport);
    // True once a message of the kind erreur has been printed.
    bool erreur_signalee() const { return erreur_signalee_; }
    // The catalogue's texts in UTF-8 when true; Latin-1 bytes, as always, when false.
    void ecrire_en_utf8(bool utf8) { codage_ = utf8 ? Codage::utf8 : Codage::latin1; }

private:
    Console() = default;

    Codage codage_ = Codage::latin1;
    bool erreur_signalee_ = false;
};

// True when the standard output is a terminal whose character set, for the locale's LC_CTYPE
// alone, is UTF-8: there the Latin-1 bytes of the catalogue would show as broken characters.
bool sortie_en_utf8();
