#include "dossier_extraction.h"

#include "extraction/extracteur-fixe.h"
#include "extraction/extracteur.h"
#include "lib/sortie_capturee.h"

namespace {

Dossier_extraction::Resultat lire_resultat(Dossier_extraction const& dossier, int retour, std::string messages) {
    Dossier_extraction::Resultat r;
    r.retour = retour;
    r.messages = std::move(messages);
    r.script = dossier.exists("script.txt") ? dossier.read("script.txt") : "(absent)";
    return r;
}

}  // namespace

Dossier_extraction::Dossier_extraction(std::string const& rom, std::string const& table)
    : rom_(path("rom.bin")), table_(path("table.tbl")), script_(path("script.txt")) {
    write("rom.bin", rom);
    write("table.tbl", table);
}

Dossier_extraction::Resultat Dossier_extraction::extraire(int debut, int fin, int adresse, int nombre, int taille,
                                                          char const* formule, bool ordre) const {
    int retour = -1;
    std::string messages = capturer_sortie([&] {
        retour = Extracteur::extraire(rom_.c_str(), table_.c_str(), script_.c_str(), debut, fin, adresse, nombre,
                                      taille, formule, ordre);
    });
    return lire_resultat(*this, retour, std::move(messages));
}

Dossier_extraction::Resultat Dossier_extraction::ext_fixe(int adresse, int nombre, int taille) const {
    int retour = -1;
    std::string messages = capturer_sortie(
        [&] { retour = Extracteur::ext_fixe(rom_.c_str(), table_.c_str(), script_.c_str(), adresse, nombre, taille); });
    return lire_resultat(*this, retour, std::move(messages));
}
