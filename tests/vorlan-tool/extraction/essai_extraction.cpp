#include "essai_extraction.h"

#include <optional>
#include <utility>
#include <vector>

#include "extraction/extracteur-fixe.h"
#include "extraction/extracteur.h"
#include "lib/calcul.h"
#include "lib/rapport.h"
#include "tables/extracteur-table.h"

namespace essai {

namespace {

std::vector<unsigned char> octets_de(std::string const& rom) { return std::vector<unsigned char>(rom.begin(), rom.end()); }

// The run's result once the arguments have been checked: the extraction only runs when they
// pass, as it may read out of the ROM otherwise.
template <typename Extraire>
Resultat conclure(Rapports rapports, std::optional<Rapport> const& refus, Extraire const& extraire) {
    Resultat r;
    if (refus) {
        rapports.push_back(*refus);
    } else {
        Extracteur::Extraction e = extraire();
        rapports.insert(rapports.end(), e.rapports.begin(), e.rapports.end());
        r.accepte = true;
        r.script = std::move(e.script);
    }
    r.messages = formater(rapports);
    return r;
}

}  // namespace

Table_pointeurs pointeurs(int adresse, int nombre, int taille, bool petit_boutiste) {
    Table_pointeurs t;
    t.adresse = adresse;
    t.nombre = nombre;
    t.taille = taille;
    t.ordre = ordre_octets(petit_boutiste);
    return t;
}

Resultat extraire(std::string const& rom, std::string const& table, int debut, int fin, Table_pointeurs const& pointeurs,
                  char const* formule) {
    Extracteur::Table_ext caracteres;
    Rapports rapports = caracteres.charger(table);
    std::vector<unsigned char> const octets = octets_de(rom);
    Calcul::Formule const formule_lue(formule);
    return conclure(std::move(rapports), Extracteur::verifier(static_cast<int>(octets.size()), debut, fin, pointeurs),
                    [&] { return Extracteur::extraire(caracteres, octets, debut, fin, pointeurs, formule_lue); });
}

Resultat ext_fixe(std::string const& rom, std::string const& table, int adresse, int nombre, int taille) {
    Extracteur::Table_ext caracteres;
    Rapports rapports = caracteres.charger(table);
    std::vector<unsigned char> const octets = octets_de(rom);
    return conclure(std::move(rapports), Extracteur::verifier_fixe(static_cast<int>(octets.size()), adresse, nombre, taille),
                    [&] { return Extracteur::ext_fixe(caracteres, octets, adresse, nombre, taille); });
}

}  // namespace essai
