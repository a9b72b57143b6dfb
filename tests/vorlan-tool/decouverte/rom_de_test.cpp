#include "rom_de_test.h"

#include <algorithm>
#include <optional>
#include <stdexcept>

#include "jeu/conversion.h"
#include "jeu/emplacements.h"

namespace essai_pointeurs {

Rom_de_test::Rom_de_test(long long taille, unsigned graine) : rom_(static_cast<std::size_t>(taille)), etat_(graine) {
    for (unsigned char& o : rom_) o = static_cast<unsigned char>(hasard(256));
}

unsigned Rom_de_test::hasard(unsigned borne) {
    etat_ = etat_ * 1103515245u + 12345u;
    return (etat_ >> 16) % borne;
}

std::vector<long long> Rom_de_test::melanger(std::vector<long long> valeurs) {
    for (std::size_t i = valeurs.size(); i > 1; --i) std::swap(valeurs[i - 1], valeurs[hasard(static_cast<unsigned>(i))]);
    return valeurs;
}

std::vector<long long> Rom_de_test::ecrire_textes(long long debut, int nombre, int longueur_min, int longueur_max) {
    std::vector<long long> starts;
    long long o = debut;
    for (int n = 0; n < nombre; ++n) {
        starts.push_back(o);
        int const longueur = longueur_min + static_cast<int>(hasard(static_cast<unsigned>(longueur_max - longueur_min + 1)));
        for (int k = 0; k < longueur; ++k) rom_.at(static_cast<std::size_t>(o++)) = static_cast<unsigned char>('A' + hasard(26));
        rom_.at(static_cast<std::size_t>(o++)) = 0;
    }
    plages_.push_back({debut, o - 1});
    debuts_.insert(debuts_.end(), starts.begin(), starts.end());
    std::sort(debuts_.begin(), debuts_.end());
    return starts;
}

void Rom_de_test::ecrire_valeur(Jeu::Groupe const& groupe, int i, std::uint32_t valeur) {
    for (int k = 0; k < groupe.taille; ++k)
        rom_.at(static_cast<std::size_t>(Jeu::octet_du_pointeur(groupe, i, k))) =
            static_cast<unsigned char>(valeur >> Jeu::decalage_de_l_octet(groupe, k));
}

void Rom_de_test::ecrire_table(Jeu::Groupe const& groupe, std::vector<long long> const& cibles) {
    Jeu::Conversion const conversion(groupe);
    for (int i = 0; i < groupe.nombre; ++i) {
        std::optional<std::uint32_t> const v =
            conversion.valeur(cibles.at(static_cast<std::size_t>(i)), Jeu::emplacement(groupe, i));
        if (!v) throw std::logic_error("a target out of the group's reach: " + std::to_string(cibles[static_cast<std::size_t>(i)]));
        ecrire_valeur(groupe, i, *v);
    }
}

void Rom_de_test::ecrire(long long position, std::vector<unsigned char> const& octets) {
    for (std::size_t k = 0; k < octets.size(); ++k) rom_.at(static_cast<std::size_t>(position) + k) = octets[k];
}

Jeu::Groupe suite(long long adresse, int nombre, int taille, long long pas, Ordre_octets ordre, std::string ext,
                  std::string ins) {
    Jeu::Groupe g;
    g.adresse = adresse;
    g.nombre = nombre;
    g.taille = taille;
    g.pas = pas;
    g.ordre = ordre;
    g.formule_ext = std::move(ext);
    g.formule_ins = std::move(ins);
    return g;
}

Jeu::Groupe eclate(long long bas, long long haut, int nombre, long long pas, std::string ext, std::string ins) {
    Jeu::Groupe g = suite(0, nombre, 2, pas, Ordre_octets::petit_boutiste, std::move(ext), std::move(ins));
    g.disposition = Jeu::Disposition::eclate;
    g.octets = {bas, haut};
    return g;
}

std::string texte_a(std::vector<unsigned char> const& rom, long long debut) {
    std::string t;
    for (std::size_t o = static_cast<std::size_t>(debut); o < rom.size() && rom[o] != 0; ++o) t += static_cast<char>(rom[o]);
    return t + "#";
}

}  // namespace essai_pointeurs
