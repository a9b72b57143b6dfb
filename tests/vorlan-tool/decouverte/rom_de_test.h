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

// A group's two formulas, for each kind of table as the finder writes them.
struct Formules {
    std::string ext;
    std::string ins;
};
// SNES LoROM in 3 bytes, banks $00-$7F or $80-$FF, after a copier's header of `entete` bytes.
Formules lorom_00(long long entete = 0);
Formules lorom_80(long long entete = 0);
// value = offset + $C00000, + $400000, + $08000000.
Formules hirom_c0();
Formules hirom_40();
Formules gba();
// value = offset + constante.
Formules lineaire(long long constante);
// value = offset - P + constante, P the slot's offset.
Formules relative(long long constante = 0);
// 2-byte values in a bank of `periode` bytes at ROM offset `base` (its header included), seen
// at `fenetre`: Game Boy (periode $4000, fenetre $4000), NES ($2000 or $4000 at $8000 to $E000),
// LoROM ($8000 at $8000), HiROM ($10000 at 0).
Formules banque(long long periode, long long base, long long fenetre);

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
    // A decoy: the group's slots made to designate the third byte of strings from `debuts` (of
    // two letters at least), in no order, so that no mapping makes them designate starts.
    void ecrire_leurre(Jeu::Groupe const& groupe, std::vector<long long> const& debuts);
    // "NES" $1A: the ROM then counts an iNES header of $10 bytes. (A copier's header of $200
    // bytes is told by the ROM's size: $200 past a multiple of $400.)
    void ecrire_entete_ines();
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
Jeu::Groupe suite(long long adresse, int nombre, int taille, long long pas, Ordre_octets ordre,
                  Formules const& formules);
// A split table of 2-byte values: low bytes from `bas`, high bytes from `haut`.
Jeu::Groupe eclate(long long bas, long long haut, int nombre, long long pas, Formules const& formules);

// The text of the string at `debut` as the extraction shows it: its letters and "#".
std::string texte_a(std::vector<unsigned char> const& rom, long long debut);

}  // namespace essai_pointeurs
