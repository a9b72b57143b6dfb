#include "dossier_extraction.h"

#include "extraction/extracteur-fixe.h"
#include "extraction/extracteur.h"
#include "support/capture.h"

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
    : chemin_rom(path("rom.bin")), chemin_table(path("table.tbl")), chemin_script(path("script.txt")) {
    write("rom.bin", rom);
    write("table.tbl", table);
}

Dossier_extraction::Resultat Dossier_extraction::extraire(int debut, int fin, int adresse, int nombre, int taille,
                                                          char const* formule, bool ordre) const {
    int retour = -1;
    std::string messages = test_support::capture_stdout([&] {
        retour = Extracteur::extraire(chemin_rom.c_str(), chemin_table.c_str(), chemin_script.c_str(), debut, fin, adresse, nombre,
                                      taille, formule, ordre);
    });
    return lire_resultat(*this, retour, std::move(messages));
}

Dossier_extraction::Resultat Dossier_extraction::ext_fixe(int adresse, int nombre, int taille) const {
    int retour = -1;
    std::string messages = test_support::capture_stdout(
        [&] { retour = Extracteur::ext_fixe(chemin_rom.c_str(), chemin_table.c_str(), chemin_script.c_str(), adresse, nombre, taille); });
    return lire_resultat(*this, retour, std::move(messages));
}
