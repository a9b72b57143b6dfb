#include "extraction/extracteur-fixe.h"

#include <algorithm>

#include "extraction/ecriture-script.h"
#include "extraction/decodeurs.h"

namespace Extracteur {

std::optional<Rapport> verifier_fixe(int taille_rom, int adresse, int nombre, int taille) {
    if (adresse < 0 || adresse > taille_rom) return Rapport(Message::texte_hors_rom);
    if (nombre < 0) return Rapport(Message::nombre_de_mots_negatif);
    if (taille < 0) return Rapport(Message::taille_des_mots_negative);
    return std::nullopt;
}

namespace {

template <typename Decodeur>
Extraction ext_fixe_par(Decodeur decodeur, std::vector<unsigned char> const& rom, int adresse, int nombre,
                        int taille) {
    Extraction resultat;
    // The block is nombre x taille bytes; only what the ROM holds of it is read.
    long long const bloc = static_cast<long long>(nombre) * taille;
    long long const reste = static_cast<long long>(rom.size()) - adresse;
    if (bloc > reste) resultat.rapports.push_back(Rapport(Message::mots_au_dela_de_la_rom, {reste}));
    unsigned char const* const octets = rom.data() + adresse;
    std::size_t const lus = static_cast<std::size_t>(std::min(bloc, reste));

    // A word's units may take more bytes than its length (multi-byte entries); units left
    // without bytes write nothing, and the word's line still ends. Words that start past the
    // end of the ROM have nothing to show: they get no line, so a mistyped count cannot fill
    // the disk with empty lines.
    Ecriture_script ecriture(resultat.script);
    std::size_t curseur = 0;
    int mot = 0;
    for (; mot < nombre; ++mot) {
        if (bloc > reste && curseur >= lus) break;
        decodeur.recommencer();
        for (int unite = 0; unite < taille && curseur < lus; ++unite)
            curseur += decodeur.decoder(ecriture, &octets[curseur], lus - curseur);
        ecriture.ecrire("\n", 1);
    }
    if (mot + 1 == nombre)
        resultat.rapports.push_back(Rapport(Message::mot_non_extrait, {nombre}));
    else if (mot < nombre)
        resultat.rapports.push_back(Rapport(Message::mots_non_extraits, {mot + 1, nombre}));
    return resultat;
}

}  // namespace

Extraction ext_fixe(Table_ext const& table, std::vector<unsigned char> const& rom, int adresse, int nombre,
                    int taille) {
    return ext_fixe_par(Decodeur_table{table, false}, rom, adresse, nombre, taille);
}

Extraction ext_fixe(Tables_ext const& tables, std::vector<unsigned char> const& rom, int adresse, int nombre,
                    int taille) {
    return ext_fixe_par(Decodeur_pile{Pile_tables(tables), false}, rom, adresse, nombre, taille);
}

}  // namespace Extracteur
