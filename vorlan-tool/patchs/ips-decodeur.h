#pragma once
#include <cstddef>
#include <vector>

// Applying an IPS patch, which is untrusted: it is read whole and checked before anything is
// written.
namespace IPS {

enum class Statut {
    ok,
    entete_absente,         // the patch does not start with "PATCH"
    enregistrement_tronque, // the patch ends inside a record
    fin_absente,            // the patch ends where a record or "EOF" should start, or inside "EOF"
    rle_vide,               // an RLE record whose run length is 0
    octets_apres_fin,       // after "EOF", bytes other than one 3-byte truncation size
};

struct Application {
    Statut statut = Statut::ok;
    // Where the patch goes wrong, in bytes from its start: 0 for a missing header; the first
    // byte of the record that is cut or whose run is empty; the end of the patch where "EOF"
    // is missing (or the start of the cut "EOF"); the first byte after "EOF".
    std::size_t position = 0;
    std::vector<unsigned char> rom;  // the new ROM, only when ok
    std::size_t enregistrements = 0;
    bool troncature = false;
};

// The ROM the patch makes of `rom`: records in patch order, those past the end growing it
// with zero bytes before them, then the truncation size, when present, setting its length.
Application appliquer(std::vector<unsigned char> const& rom, std::vector<unsigned char> const& patch);

}  // namespace IPS
