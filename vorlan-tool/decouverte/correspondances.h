#pragma once
#include <cstdint>
#include <optional>
#include <string>

// How consoles turn a ROM offset into the value a pointer holds, and the two formulas (in X
// and P, computed by Calcul) that a game description's group takes for each: extraction gives
// the offset of a value, insertion the value of an offset.
namespace Decouverte {

// In the order that breaks ties between readings that reach the same starts: the console
// kinds before the plain offset ones, and the banked kinds from the smallest bank, whose
// insertion reaches no further than the game can see.
enum class Correspondance {
    gba,              // 4 bytes: value = offset + $08000000
    hirom_c0,         // 3 bytes: value = offset + $C00000
    hirom_40,         // 3 bytes: value = offset + $400000
    lorom_00,         // 3 bytes: bank offset / $8000 (banks $00-$7F), then offset % $8000 + $8000
    lorom_80,         // the same seen in banks $80-$FF
    banque_nes_2000,  // 2 bytes in one bank of $2000 seen at $8000, $A000, $C000 or $E000
    banque_gb,        // 2 bytes $4000-$7FFF in one bank of $4000
    banque_nes_4000,  // 2 bytes in one bank of $4000 seen at $8000 or $C000
    banque_lorom,     // 2 bytes $8000-$FFFF in one bank of $8000, the bank implied
    banque_hirom,     // 2 bytes in one bank of $10000
    lineaire,         // value = offset + constante
    relative,         // value = offset - P + constante, P the offset of the slot
};

// One mapping and its parameters.
struct Forme {
    Correspondance correspondance = Correspondance::lineaire;
    // value - offset (+ P when relative): gba, hirom_*, lineaire, relative; for the banks, as
    // the finder reports it, fenetre - base.
    long long constante = 0;
    // The banks: the ROM offset of the bank's first byte, and the address it is seen at. A
    // value outside that window designates nothing (extraction "X-$4000+($7FFF-X)*0+$14000",
    // the middle term failing past $7FFF), so that the insertion reaches the bank only.
    long long base = 0;
    long long fenetre = 0;
    // The header that precedes the first bank ($200 of a copier, $10 of iNES); already part of
    // constante and base, named for lorom_* whose formulas take it apart.
    long long entete = 0;
    // 4-byte slots of lineaire (constante below 0) and relative: values that the extraction
    // reaches by going round 2^32 (a relative pointer that leads backwards, say) are given
    // back by an insertion that also goes round, X+$FFFF0000 rather than X-$10000.
    bool ins_modulaire = false;
};

// Bytes of a bank for the banked kinds; 0 for the others.
long long periode(Correspondance c);

// The ROM offset that formule_ext(forme) gives for a slot's value, P being the slot's offset,
// computed as Calcul does (32-bit integers, no subtraction below zero); nothing where Calcul
// fails. Hot loops call it for every slot, so it never evaluates the formula's text.
std::optional<long long> position(Forme const& forme, std::uint32_t valeur, long long p);

// position() for `nombre` slots whose values are given, the first slot at offset p and each
// next one a byte further (P = p + i), -1 where Calcul fails: the scan of a block, one mapping
// at a time.
void positions(Forme const& forme, std::uint32_t const* valeurs, long long nombre, long long p, long long* sortie);

// The value that formule_ins(forme) gives for an offset, as Jeu::Conversion takes it: it must
// fit `taille` bytes and lead back to the offset through the extraction; nothing otherwise.
std::optional<std::uint32_t> valeur(Forme const& forme, long long position, long long p, int taille);

// The two formulas' texts, "$" and capital hex digits.
std::string formule_ext(Forme const& forme);
std::string formule_ins(Forme const& forme);

}  // namespace Decouverte
