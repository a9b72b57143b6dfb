#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "patchs/bps-format.h"

// Applying a BPS patch, which is untrusted: it is checked whole (its CRC, its header, the
// source, every action's bounds) before the target is written, and the target's CRC after.
namespace BPS {

enum class Statut {
    ok,
    pas_bps,                // the patch does not start with "BPS1"
    trop_court,             // "BPS1", but no room for the three CRCs
    patch_endommage,        // the patch's own CRC differs: crc_attendu (stored), crc_reel (computed)
    // The patch is consistent with its CRC but malformed; `position` is the first byte of the
    // number or action at fault.
    nombre_tronque,         // a number runs into the CRCs
    nombre_demesure,        // a number beyond 64 bits
    metadonnees_tronquees,  // the metadata run into the CRCs
    cible_trop_grande,      // the target size is over `taille_cible_maximale`: taille_attendue
    lecture_hors_source,    // a SourceRead or SourceCopy reads outside the source
    copie_hors_sortie,      // a TargetCopy reads outside the output written so far
    litteral_tronque,       // a TargetRead's bytes run into the CRCs
    ecriture_hors_cible,    // an action writes past the target size
    cible_incomplete,       // the actions end before the target size: taille_attendue (target
                            // size), taille_reelle (bytes the actions write)
    // The wrong ROM: taille_attendue and crc_attendu from the patch, taille_reelle and
    // crc_reel of the ROM given.
    source_taille,          // its size differs
    source_crc,             // its size matches, its CRC differs
    resultat_faux,          // the target's CRC differs after applying: crc_attendu, crc_reel
};

struct Application {
    Statut statut = Statut::ok;
    std::size_t position = 0;
    std::uint64_t taille_attendue = 0;
    std::uint64_t taille_reelle = 0;
    std::uint32_t crc_attendu = 0;
    std::uint32_t crc_reel = 0;
    std::vector<unsigned char> cible;        // the new ROM, only when ok
    std::vector<unsigned char> metadonnees;  // as the patch carries them, only when ok
};

// The target the patch makes of `source`. The source is checked (size and CRC) after the
// patch's CRC and header, before the actions.
Application appliquer(std::vector<unsigned char> const& source, std::vector<unsigned char> const& patch,
                      std::uint64_t taille_cible_maximale = taille_maximale);

}  // namespace BPS
