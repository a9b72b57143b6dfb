#include "host/sortie.h"

#include <langinfo.h>
#include <locale.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

void afficher(Rapport const& rapport) { Console::du_programme().afficher(rapport); }

void afficher(Rapports const& rapports) {
    for (Rapport const& r : rapports) afficher(r);
}

Console& Console::du_programme() {
    static Console console;
    return console;
}

void Console::afficher(Rapport const& rapport) {
    if (genre_du_message(rapport.message) == Genre::erreur) erreur_signalee_ = true;
    std::string const texte = formater(rapport, codage_);
    std::fwrite(texte.data(), 1, texte.size(), stdout);
}

bool sortie_en_utf8() {
    if (isatty(STDOUT_FILENO) != 1) return false;
    // Looked up without changing the program's own locale, which stays "C": numbers keep
    // their format, and Lua's character classes their meaning.
    locale_t const locale = newlocale(LC_CTYPE_MASK, "", static_cast<locale_t>(nullptr));
    if (locale == static_cast<locale_t>(nullptr)) return false;
    char const* const codage = nl_langinfo_l(CODESET, locale);
    bool const utf8 = codage != nullptr && std::strcmp(codage, "UTF-8") == 0;
    freelocale(locale);
    return utf8;
}
