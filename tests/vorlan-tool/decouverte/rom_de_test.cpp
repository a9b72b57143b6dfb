#include "rom_de_test.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <stdexcept>

#include "jeu/conversion.h"
#include "jeu/emplacements.h"

namespace essai_pointeurs {

namespace {

std::string hexa(long long n) {
    char texte[24];
    std::snprintf(texte, sizeof texte, "$%llX", n);
    return texte;
}

std::string plus_ou_moins(long long n) { return n > 0 ? "+" + hexa(n) : n < 0 ? "-" + hexa(-n) : ""; }

// "(X-$200)" for a header, "X" without.
std::string sans_entete(long long entete) { return entete != 0 ? "(X-" + hexa(entete) + ")" : "X"; }

}  // namespace

Formules lorom_00(long long entete) {
    std::string const x = sans_entete(entete);
    return {"(X/$10000)*$8000+X%$8000" + plus_ou_moins(entete), "((" + x + "/$8000)*$10000)+(" + x + "%$8000)+$8000"};
}

Formules lorom_80(long long entete) {
    std::string const x = sans_entete(entete);
    return {"(X/$10000-$80)*$8000+X%$8000" + plus_ou_moins(entete),
            "(((" + x + "/$8000)+$80)*$10000)+(" + x + "%$8000)+$8000"};
}

Formules hirom_c0() { return lineaire(0xC00000); }
Formules hirom_40() { return lineaire(0x400000); }
Formules gba() { return lineaire(0x08000000); }

Formules lineaire(long long constante) {
    return {"X" + plus_ou_moins(-constante), "X" + plus_ou_moins(constante)};
}

Formules relative(long long constante) {
    if (constante > 0) return {"X+P" + plus_ou_moins(-constante), "X" + plus_ou_moins(constante) + "-P"};
    return {"X+P" + plus_ou_moins(-constante), "X-P" + plus_ou_moins(constante)};
}

Formules banque(long long periode, long long base, long long fenetre) {
    // Below the window: X-$w fails. Past it: ($haut-X) fails, unless no 2-byte value is.
    std::string const sous_le_haut =
        fenetre + periode >= 0x10000 ? "" : "+(" + hexa(fenetre + periode - 1) + "-X)*0";
    return {"X" + plus_ou_moins(-fenetre) + sous_le_haut + plus_ou_moins(base),
            "X" + plus_ou_moins(-base) + plus_ou_moins(fenetre)};
}

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

void Rom_de_test::ecrire_leurre(Jeu::Groupe const& groupe, std::vector<long long> const& debuts) {
    std::vector<long long> troisiemes = melanger(debuts);
    troisiemes.resize(static_cast<std::size_t>(groupe.nombre));
    for (long long& t : troisiemes) t += 2;
    ecrire_table(groupe, troisiemes);
}

void Rom_de_test::ecrire_entete_ines() { ecrire(0, {'N', 'E', 'S', 0x1A}); }

void Rom_de_test::ecrire(long long position, std::vector<unsigned char> const& octets) {
    for (std::size_t k = 0; k < octets.size(); ++k) rom_.at(static_cast<std::size_t>(position) + k) = octets[k];
}

Jeu::Groupe suite(long long adresse, int nombre, int taille, long long pas, Ordre_octets ordre,
                  Formules const& formules) {
    Jeu::Groupe g;
    g.adresse = adresse;
    g.nombre = nombre;
    g.taille = taille;
    g.pas = pas;
    g.ordre = ordre;
    g.formule_ext = formules.ext;
    g.formule_ins = formules.ins;
    return g;
}

Jeu::Groupe eclate(long long bas, long long haut, int nombre, long long pas, Formules const& formules) {
    Jeu::Groupe g = suite(0, nombre, 2, pas, Ordre_octets::petit_boutiste, formules);
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
