#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "jeu/description.h"

// ROMs built in memory for the pointer finder: random bytes (the decoys), ranges of text whose
// string starts are known, and pointer tables of any layout and formula written over them, each
// slot made to designate its target through the group's own formulas as a game description
// gives them. The same seed gives the same ROM on every machine.
namespace essai_pointeurs {

class Rom_de_test {
public:
    Rom_de_test(long long taille, unsigned graine);

    std::vector<unsigned char> const& octets() const { return rom_; }
    // Every string start written, ascending.
    std::vector<long long> const& debuts() const { return debuts_; }
    // The text ranges, in the order written.
    std::vector<Jeu::Plage> const& plages() const { return plages_; }

    // `nombre` strings of capital letters, `longueur_min` to `longueur_max` of them, each ended
    // by 00, from `debut`; their starts.
    std::vector<long long> ecrire_textes(long long debut, int nombre, int longueur_min, int longueur_max);
    // Slot i of the group made to designate cibles[i]; throws std::logic_error when the group's
    // formulas cannot reach it.
    void ecrire_table(Jeu::Groupe const& groupe, std::vector<long long> const& cibles);
    // The raw value of slot i (a miss, a null pointer).
    void ecrire_valeur(Jeu::Groupe const& groupe, int i, std::uint32_t valeur);
    void ecrire(long long position, std::vector<unsigned char> const& octets);

    // The generator the ROM was made with, for the callers' own choices.
    unsigned hasard(unsigned borne);
    std::vector<long long> melanger(std::vector<long long> valeurs);

private:
    std::vector<unsigned char> rom_;
    std::vector<long long> debuts_;
    std::vector<Jeu::Plage> plages_;
    unsigned etat_;
};

// A group laid out in a row, as a description writes it.
Jeu::Groupe suite(long long adresse, int nombre, int taille, long long pas, Ordre_octets ordre, std::string ext,
                  std::string ins);
// A split table of 2-byte values: low bytes from `bas`, high bytes from `haut`.
Jeu::Groupe eclate(long long bas, long long haut, int nombre, long long pas, std::string ext, std::string ins);

// The text of the string at `debut` as the extraction shows it: its letters and "#".
std::string texte_a(std::vector<unsigned char> const& rom, long long debut);

}  // namespace essai_pointeurs
